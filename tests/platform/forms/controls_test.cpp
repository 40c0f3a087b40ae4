// Value, list and key semantics that the windows rely on.
#include "forms_fixture.h"

namespace formstest {
namespace {

TEST_F(FormsTest, CheckBoxClicksOnEveryChangeOfValueFromCodeAndOnlyThen)
{
    auto& chk = form.add<CheckBox>("chkBit");
    std::vector<int> seen;  // the value each Click sees
    chk.onClick = [&] { seen.push_back(chk.value()); };
    // (from, set, value after, the values Clicks saw); 3 and -1 are refused.
    for (const auto& [from, set, after, clicks] : {std::tuple{0, 1, 1, std::vector{1}}, {0, 2, 2, {2}}, {1, 1, 1, {}},
                                                   {0, 3, 0, {}}, {1, -1, 1, {}}}) {
        chk.setValue(from);
        seen.clear();
        chk.setValue(set);
        EXPECT_EQ(std::pair(chk.value(), seen), std::pair(after, clicks)) << from << " -> " << set;
    }
}

TEST_F(FormsTest, OptionButtonsGroupByContainer)
{
    auto& optSelf = watched(form.add<OptionButton>("optMode", nullptr, 0));
    auto& optHost = watched(form.add<OptionButton>("optMode", nullptr, 1));
    auto& optElse = form.add<OptionButton>("optElse", &form.add<Frame>("fraOther"));
    optElse.setValue(true);
    optSelf.setValue(true);
    log.clear();
    optHost.setValue(true);
    EXPECT_EQ(std::tuple(log, optSelf.value(), optElse.value()), std::tuple(Log{"optMode.Click"}, false, true));
}

TEST_F(FormsTest, ComboBoxClicksOnlyWhenAnItemIsSelected)
{
    auto& cbo = form.add<ComboBox>("cboCell");
    for (const char* item : {"Cell 1", "Cell 2", "Cell 3"})
        cbo.addItem(item);
    int clicks = 0;
    cbo.onClick = [&] { ++clicks; };
    struct Step {
        const char* what;
        std::function<void()> act;
        int clicks, listIndex;
        const char* text;
    } const steps[] = {
        {"user picks 1", [&] { user.choose("cboCell", 1); }, 1, 1, "Cell 2"},
        {"user picks 1 again", [&] { user.choose("cboCell", 1); }, 1, 1, "Cell 2"},
        {"code selects the same", [&] { cbo.setListIndex(1); }, 0, 1, "Cell 2"},
        {"code out of range", [&] { cbo.setListIndex(3); }, 0, 1, "Cell 2"},
        {"code sets an item's text", [&] { cbo.setText("Cell 1"); }, 0, -1, "Cell 1"},
        {"user types", [&] { cbo.userSetText("9"); }, 0, -1, "9"},
        {"code selects 0", [&] { cbo.setListIndex(0); }, 1, 0, "Cell 1"},
        {"code clears the selection", [&] { cbo.setListIndex(-1); }, 0, -1, ""},
    };
    for (const Step& s : steps) {
        clicks = 0;
        s.act();
        EXPECT_EQ(std::tuple(clicks, cbo.listIndex(), cbo.text()), std::tuple(s.clicks, s.listIndex, s.text))
            << s.what;
    }
}

TEST_F(FormsTest, TextBoxEditsAtTheCaret)
{
    struct Case {
        const char* text;
        int selStart, selLength, maxLength, key;
        const char* after;
        int caret;
    } const cases[] = {
        {"13", 1, 0, 0, '2', "123", 2},
        {"123", 3, 0, 3, '4', "123", 3},  // full: refused
        {"123", 1, 1, 3, '9', "193", 2},  // the selection makes room
        {"123", 3, 0, 0, 8, "12", 2},     // Backspace: the character before the caret
        {"123", 0, 2, 0, 8, "3", 0},      // Backspace: the selection
        {"123", 0, 0, 0, 8, "123", 0},    // nothing before the caret
        {"123", 1, 0, 0, 13, "123", 1},   // Enter inserts nothing
        {"ab", 1, 0, 0, 0xB5, "a\xC2\xB5" "b", 2},  // positions count characters
    };
    auto& txt = form.add<TextBox>("txtValue");
    int changes = 0;
    for (const Case& c : cases) {
        txt.setText(c.text);
        txt.setMaxLength(c.maxLength);
        txt.setSelStart(c.selStart);
        txt.setSelLength(c.selLength);
        txt.onChange = [&] { ++changes; };
        changes = 0;
        txt.userKey(c.key);
        txt.onChange = nullptr;
        EXPECT_EQ(std::tuple(txt.text(), txt.selStart(), changes),
                  std::tuple(c.after, c.caret, txt.text() == c.text ? 0 : 1))
            << c.text << " + " << c.key;
    }
}

TEST_F(FormsTest, TextBoxKeyPressComesFirstAndMayChangeOrDropTheKey)
{
    auto& txt = form.add<TextBox>("txtHex");
    std::string textAtKeyPress;
    txt.onKeyPress = [&](int& key) {
        textAtKeyPress = txt.text();
        if (key >= 'a' && key <= 'f')
            key -= 32;
        else if (!std::isxdigit(key) && key != 8)
            key = 0;
    };
    int changes = 0;
    txt.onChange = [&] { ++changes; };
    user.type("txtHex", "1g-a");
    EXPECT_EQ(txt.text(), "1A");
    EXPECT_EQ(textAtKeyPress, "1");  // the last KeyPress ran before its 'A' went in
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace formstest
