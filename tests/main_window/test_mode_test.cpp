// The test-mode page: bit boxes and hex fields kept in step, Read, Write and the trim choice.
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

using Read = busctl::ScriptedControl::WordRead;
const char* const Words[] = {"TestMode0", "TestMode1", "TestMode2", "Trim0", "Trim1", "Trim2"};

std::string bitsOf(int word)
{
    std::string out;
    for (int i = 15; i >= 0; --i)
        out += "01"[word >> i & 1];
    return out;
}

class TestModeTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        start();
        user().pick("mnuTestMode");
        control.clearLog();
    }
    // The field, then the boxes, bit 15 first.
    std::string look(const std::string& word)
    {
        std::string out = get<forms::TextBox>("txt" + word).text() + " ";
        for (int i = 15; i >= 0; --i)
            out += "01"[get<forms::CheckBox>("chk" + word, i).value()];
        return out;
    }
    std::string looks(const std::string& except = "")
    {
        std::string out;
        for (const char* w : Words)
            out += w == except ? "" : look(w) + "|";
        return out;
    }
    std::string focused() { return form2().activeControl() ? form2().activeControl()->name() : ""; }
    void compose(const std::string& word, int value)
    {
        for (int i = 0; i < 16; ++i)
            get<forms::CheckBox>("chk" + word, i).setValue(value >> i & 1);
    }
};

TEST_F(TestModeTest, BoxClicksComposeTheFieldAloneAndIgnoreTheUpdatingFlag)
{
    vars().gbUpdatingBits = common::True;
    for (const auto& [from, to, shown] : {std::tuple{15, 16, "8000"}, {0, 15, "FFFF"}, {0, 16, "0000"}}) {
        for (int i = from; i < to; ++i)
            user().click("chkTestMode0", i);
        EXPECT_EQ(look("TestMode0"), std::string(shown) + " " + bitsOf(std::stoi(shown, nullptr, 16)));
    }
    EXPECT_EQ(vars().gbUpdatingBits, common::True);
    EXPECT_TRUE(control.calls().empty());
}

TEST_F(TestModeTest, FieldKeysPastesAndLeavingKeepTheWordInStepAndTouchNothingElse)
{
    // word, boxes before (field emptied), typed, pasted, how it is left, then field, boxes, focus.
    const std::tuple<const char*, int, const char*, const char*, int, const char*, int, const char*> cases[] = {
        {"TestMode0", 0, "g -12345", "", 0, "1234", 0, "txtTestMode0"},
        {"TestMode0", 0, "a", "", '\t', "000A", 0x000A, "txtTestMode1"},
        {"TestMode0", 0x00AB, "ab", "", '\t', "00AB", 0x00AB, "txtTestMode1"},
        {"TestMode1", 0x1234, "", "", '\t', "", 0, "txtTestMode2"},
        {"Trim0", 0, "1f", "", '\r', "001F", 0x001F, "cmdWriteTrim0"},
        {"Trim1", 0x00FF, "", "", '\r', "", 0, "cmdReadTrim1"},
        // Pasted: cut to four characters (not bytes), blanks skipped, leading hex digits only.
        {"TestMode2", 0, "", " a b5", '\t', "0A0B", 0x0A0B, "txtTrim0"},
        {"TestMode2", 0, "", "\u00e9\u00e9ABC", '\t', "00AB", 0x00AB, "txtTrim0"},
    };
    for (const auto& [word, before, typed, pasted, leave, text, boxes, focus] : cases) {
        SCOPED_TRACE(std::string(word) + " " + typed + pasted);
        auto& field = get<forms::TextBox>(std::string("txt") + word);
        user().focus(field.name());
        compose(word, before);
        field.setText("");
        const std::string others = looks(word);
        user().type(field.name(), typed);
        if (*pasted)
            field.userReplaceText(pasted);
        if (leave)
            leave == '\t' ? user().tab() : user().key(field.name(), 13);
        EXPECT_EQ(look(word) + " " + focused(), std::string(text) + " " + bitsOf(boxes) + " " + focus);
        EXPECT_EQ(looks(word), others);
    }
    EXPECT_EQ(get<forms::CheckBox>("chkTestMode0", 1).caption() + "/" + get<forms::CheckBox>("chkTestMode0", 3).caption(),
              "TM_EN 1/TM_SOFTRIM");

    // With the read-only copy chosen, Enter stays in the field and brings the boxes in step.
    user().click("optTrim2", 1);
    user().type("txtTrim2", "c\r");
    EXPECT_EQ(look("Trim2") + " " + focused(), "000C " + bitsOf(0x000C) + " txtTrim2");
    EXPECT_TRUE(control.calls().empty());
}

// A Read handled at the rule's first event pump: the field still ends showing the boxes.
TEST_F(TestModeTest, InputHandledWhileAFieldIsLeftStillLeavesTheFieldShowingTheBoxes)
{
    control.setWord(0x00, 0xA5F0);
    user().focus("txtTestMode0");
    user().type("txtTestMode0", "1f");
    platform().queueInput([&] { user().click("cmdReadTestMode0"); });
    user().tab();
    EXPECT_EQ(look("TestMode0"), "011E " + bitsOf(0x011E));
}

TEST_F(TestModeTest, ReadShowsTheWordFromTheChosenRegisterOrReportsAndChangesNothing)
{
    // word, trim option chosen (-1: none), command read.
    const std::tuple<const char*, int, int> cases[] = {
        {"TestMode0", -1, 0x00}, {"TestMode2", -1, 0x02}, {"Trim0", 1, 0x0B}, {"Trim0", 0, 0x08}, {"Trim2", 1, 0x0D}, {"Trim2", 0, 0x0A}};
    const auto pointers = platform().pointerHistory().size();
    std::string reports;
    for (const auto& [word, option, command] : cases) {
        SCOPED_TRACE(word);
        if (option >= 0)
            user().click(std::string("opt") + word, option);
        control.setWord(command, 0xA5F0);
        control.clearLog();
        user().click(std::string("cmdRead") + word);
        EXPECT_EQ(look(word), "A5F0 " + bitsOf(0xA5F0));
        EXPECT_EQ(control.wordReads(), (std::vector<Read>{{command, 0x52}}));

        compose(word, 0x0F0F);
        control.failNext(busctl::op::ReadWordCmd, 4);
        user().click(std::string("cmdRead") + word);
        EXPECT_EQ(look(word), "0F0F " + bitsOf(0x0F0F));
        EXPECT_EQ(control.wordReads(), (std::vector<Read>(5, {command, 0x52})));
        EXPECT_EQ(get<forms::CommandButton>(std::string("cmdWrite") + word).enabled(), option <= 0);
        EXPECT_EQ(messages(), reports += "Read ERROR/Darnex;");
    }
    EXPECT_EQ(platform().pointerHistory().size(), pointers);
}

TEST_F(TestModeTest, WriteSendsTheBoxesToTheWritableRegisterOnlyAndReportsAFailureOnce)
{
    // Typed and sent at once: the field's lost-focus rule runs before the click.
    user().type("txtTestMode1", "1f");
    user().click("cmdWriteTestMode1");
    user().click("cmdWriteTestMode2");
    user().click("optTrim2", 1);
    user().click("optTrim2", 0);
    compose("Trim2", 0x8001);
    user().click("cmdWriteTrim2");
    user().click("optTrim0", 1);
    user().click("cmdWriteTrim0");
    EXPECT_EQ(control.wordWrites(), (std::vector<Word>{{0x01, 0x001F, 0x52}, {0x02, 0x0000, 0x52}, {0x0A, 0x8001, 0x52}}));
    EXPECT_FALSE(get<forms::CommandButton>("cmdWriteTrim0").enabled());

    const std::string before = looks();
    control.clearLog();
    control.failNext(busctl::op::WriteWordCmd, 4);
    user().click("cmdWriteTestMode1");
    EXPECT_EQ(control.wordWrites(), std::vector<Word>(4, {0x01, 0x001F, 0x52}));
    EXPECT_EQ(messages(), "Write ERROR/Darnex;");
    EXPECT_EQ(looks(), before);

    // Nothing resets the page when the mode changes.
    user().pick("mnuApplication");
    user().pick("mnuTestMode");
    EXPECT_EQ(looks(), before);
    EXPECT_FALSE(get<forms::CommandButton>("cmdWriteTrim0").enabled());
    EXPECT_TRUE(get<forms::OptionButton>("optTrim0", 1).value());
}

}  // namespace
}  // namespace main_window_test
