// The set-point frames: reads, bit clicks, the key filter and the Write buttons' range fix.
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

using forms::pointer::Default;
using forms::pointer::Hourglass;

TEST_F(MainWindowTest, ReadShowsTheFieldAndEveryBitOrReportsUnderTheHourglassAndChangesNothing)
{
    const std::tuple<const Frame&, int, const char*> cases[] = {
        {ChargeCurrent, 0xFFFF, "8064 III111111IIIIIII"}, {ChargeCurrent, 0x0000, "0 OOO000000OOOOOOO"},
        {ChargeVoltage, 0x4B00, "19200 O10010110000OOOO"}, {InputCurrent, 0x1080, "8448 OOO100001OOOOOOO"}};
    start();
    auto pointersOf = [&](const Frame& f) {
        const auto from = static_cast<std::ptrdiff_t>(platform().pointerHistory().size());
        user().click("cmdRead" + f.name);
        return std::vector(platform().pointerHistory().begin() + from, platform().pointerHistory().end());
    };
    for (const auto& [f, word, shown] : cases) {
        label(f).setVisible(true);
        control.setWord(f.field.command, static_cast<std::uint16_t>(word));
        EXPECT_EQ(pointersOf(f), (std::vector{Hourglass, Default}));
        EXPECT_EQ(look(f), shown) << f.name << " " << word;
    }
    EXPECT_EQ(messages() + std::to_string(vars().gbUpdatingBits), "0");

    control.setDefaultStatus(busctl::op::ReadWordCmd, 1);
    for (const Frame* f : Frames) {
        user().click("chk" + f->name, 9);
        label(*f).setVisible(true);
        const std::string before = look(*f);
        std::pair<int, int> whileOpen;
        platform().scriptReply({forms::Answer::Ok, 0, [&] { whileOpen = {platform().mousePointer(), vars().gbUpdatingBits}; }});
        platform().clearMessages();
        EXPECT_EQ(pointersOf(*f), (std::vector{Hourglass, Default}));
        EXPECT_EQ(messages(), "Read ERROR/Darnex;");
        EXPECT_EQ(whileOpen, std::pair(Hourglass, int{common::True}));
        EXPECT_EQ(vars().gbUpdatingBits, common::False);
        // Only the charge current keeps its warning after a failed read.
        EXPECT_EQ(label(*f).visible(), f == &ChargeCurrent) << f->name;
        label(*f).setVisible(true);
        EXPECT_EQ(look(*f), before) << f->name;
    }
}

TEST_F(MainWindowTest, BitClicksAndKeysEditTheScreenOnly)
{
    start();
    user().click("chkChargeCurrent", 12);
    user().click("chkChargeCurrent", 3);
    EXPECT_EQ(look(ChargeCurrent), "4096 OOO1-----OOOIOOO");
    // Only digits and Backspace reach the boxes; a code past 16 bits would wrap onto "5".
    for (const char* name : {"txtChargeCurrent", "txtChargeVoltage", "txtInputCurrent", "txtRefreshTime"}) {
        get<forms::TextBox>(name).setText("");
        user().type(name, "1a-2.\r\U00010035 3\b4");
        EXPECT_EQ(get<forms::TextBox>(name).text(), "124") << name;
    }
    EXPECT_TRUE(control.calls().empty());
}

TEST_F(MainWindowTest, WriteFixesTheBoxSetsTheLabelAndSendsTheRowWhetherOrNotTheWriteFails)
{
    const std::tuple<const Frame&, const char*, const char*, int> cases[] = {
        {ChargeCurrent, "8064", "8064", 0x1F80}, {ChargeCurrent, "8065", "8064!", 0x1F80}, {ChargeCurrent, "127", "0", 0x0000},
        {ChargeCurrent, "00200", "128", 0x0080}, {ChargeVoltage, "1023", "0", 0x0000}, {ChargeVoltage, "40000", "32752!", 0x7FF0},
        // Set from code, the toggles leave "19201" in the box.
        {ChargeVoltage, "19200", "19200", 0x4B00}, {ChargeVoltage, "19201", "19201!", 0x4B00}, {InputCurrent, "0", "0", 0x0000},
        {InputCurrent, "1", "256", 0x0080}, {InputCurrent, "511", "256", 0x0080}, {InputCurrent, "11004", "10752", 0x1500},
        {InputCurrent, "11005", "11005!", 0x1500}, {InputCurrent, "20000", "16128!", 0x1F80}};
    start();
    for (std::int16_t status : {0, 1}) {
        control.setDefaultStatus(busctl::op::WriteWordCmd, status);
        for (const auto& [f, typed, shown, word] : cases) {
            label(f).setVisible(std::string(shown).back() != '!');  // so that both showing and hiding are seen
            box(f).setText(typed);
            control.clearLog();
            user().click("cmdWrite" + f.name);
            EXPECT_EQ(look(f), std::string(shown) + " " + rowShowing(f, word)) << f.name << " " << typed << " " << status;
            EXPECT_EQ(control.wordWrites(), std::vector<Word>(status ? 4 : 1, {f.field.command, static_cast<std::uint16_t>(word), 0x12}));
        }
    }
    EXPECT_EQ(messages() + std::to_string(vars().gbUpdatingBits), "0");

    // Bits outside the field go out as the last read left them.
    control.setDefaultStatus(busctl::op::WriteWordCmd, 0);
    control.clearLog();
    control.setWord(0x15, 0xFFFF);
    user().click("cmdReadChargeVoltage");
    box(ChargeVoltage).setText("1024");
    user().click("cmdWriteChargeVoltage");
    EXPECT_EQ(control.wordWrites(), (std::vector<Word>{{0x15, 0x840F, 0x12}}));

    // Whatever else a paste leaves, Write does nothing, and long digits never overflow.
    control.clearLog();
    for (const Frame* f : Frames) {
        label(*f).setVisible(true);
        for (const char* pasted : {"", "-5", "-9999", " 300", "3e4", "12.5", "0x10", "12a"}) {
            box(*f).userReplaceText(pasted);
            const std::string before = look(*f);
            user().click("cmdWrite" + f->name);
            EXPECT_EQ(look(*f), before) << f->name << " '" << pasted << "'";
        }
        box(*f).setText(std::string(400, '9'));
    }
    EXPECT_TRUE(control.calls().empty());
    for (const Frame* f : Frames)
        user().click("cmdWrite" + f->name);
    EXPECT_EQ(box(ChargeCurrent).text() + " " + box(ChargeVoltage).text() + " " + box(InputCurrent).text(), "8064 32752 16128");
}

}  // namespace
}  // namespace main_window_test
