#include "setpoint_screen.h"

namespace main_window::testing {
namespace {

using platform::forms::pointer::Default;
using platform::forms::pointer::Hourglass;

struct ReadCase {
    const RowNames* row;
    std::uint16_t word;
    const char* shown;
};
void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.row->read << " 0x" << std::hex << c.word; }

class SetpointRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SetpointRead, ShowsTheFieldInTheBoxAndEveryBitInTheRow)
{
    const ReadCase& c = GetParam();
    SetpointScreen s;
    SetpointRow& row = (s.frames.*c.row->row)();
    row.overLimitLabel->setVisible(true);
    s.control.setWord(c.row->command, c.word);
    s.click(c.row->read);

    EXPECT_EQ(row.valueBox->text(), c.shown);
    expectField(row, c.word);
    for (int i = 0; i < 16; ++i)
        if (i < row.field.bottomBit || i > row.field.topBit) {
            EXPECT_EQ(row.bits[i]->caption() + std::to_string(row.bits[i]->backColor()),
                      ((c.word >> i & 1) ? "1" : "0") + std::to_string(OutsideFieldColor)) << "bit " << i;
        }
    EXPECT_FALSE(row.overLimitLabel->visible());
    EXPECT_EQ(s.platform.pointerHistory(), (std::vector<int>{Hourglass, Default}));
    EXPECT_TRUE(s.platform.messages().empty());
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Table, SetpointRead, ::testing::Values(
    ReadCase{&ChargeCurrent, 0xFFFF, "8064"}, ReadCase{&ChargeCurrent, 0x0000, "0"},
    ReadCase{&ChargeVoltage, 0x4B00, "19200"}, ReadCase{&ChargeVoltage, 0xFFFF, "32752"},
    ReadCase{&InputCurrent, 0x1F80, "16128"}, ReadCase{&InputCurrent, 0x1080, "8448"}));

TEST(SetpointRead, AFailedReadReportsUnderTheHourglassAndChangesNothing)
{
    for (const RowNames* r : {&ChargeCurrent, &ChargeVoltage, &InputCurrent}) {
        SetpointScreen s;
        SetpointRow& row = (s.frames.*r->row)();
        s.click(r->bits, 9);
        row.overLimitLabel->setVisible(true);
        const std::string before = look(row);
        s.control.setDefaultStatus(platform::busctl::op::ReadWordCmd, 1);
        std::pair<int, int> whileOpen;
        s.platform.scriptReply({.whileOpen = [&] { whileOpen = {s.platform.mousePointer(), s.program.vars().gbUpdatingBits}; }});
        s.click(r->read);

        ASSERT_EQ(s.platform.messages().size(), 1u);
        EXPECT_EQ(s.platform.messages()[0].text + "/" + s.platform.messages()[0].title, "Read ERROR/Darnex");
        EXPECT_EQ(whileOpen, std::pair(Hourglass, int{common::True}));
        EXPECT_EQ(std::pair(s.platform.mousePointer(), int{s.program.vars().gbUpdatingBits}), std::pair(Default, 0));
        // Only the charge current keeps its warning after a failed read.
        EXPECT_EQ(row.overLimitLabel->visible(), r == &ChargeCurrent) << r->read;
        row.overLimitLabel->setVisible(true);
        EXPECT_EQ(look(row), before) << r->read;
    }
}

TEST(SetpointClick, EditsTheBoxAndTheClickedToggleOnly)
{
    SetpointScreen s;
    const auto& bits = s.frames.chargeCurrent().bits;
    s.click("chkChargeCurrent", 12);
    s.click("chkChargeCurrent", 3);
    EXPECT_EQ(s.text("txtChargeCurrent"), "4096");
    EXPECT_EQ(std::tuple(bits[3]->caption(), bits[3]->backColor(), bits[12]->backColor(), bits[11]->backColor()),
              std::tuple("1", OutsideFieldColor, SetBitColor, platform::forms::colors::ButtonFace));
    s.click("chkChargeCurrent", 12);
    EXPECT_EQ(s.text("txtChargeCurrent") + bits[12]->caption(), "00");
    EXPECT_EQ(bits[12]->backColor(), ClearBitColor);
    s.click("chkInputCurrent", 7);
    s.click("chkInputCurrent", 12);
    EXPECT_EQ(s.text("txtInputCurrent"), "8448");
    EXPECT_TRUE(s.control.calls().empty());

    s.form.get<forms::TextBox>("txtChargeCurrent").setText("");
    s.click("chkChargeCurrent", 0);
    s.click("chkChargeCurrent", 7);
    s.form.get<forms::TextBox>("txtChargeCurrent").setText("");
    s.frames.ComputeChargeCurrent();
    EXPECT_EQ(s.text("txtChargeCurrent"), "128");
}

TEST(SetpointKeys, OnlyDigitsAndBackspaceReachTheBoxes)
{
    SetpointScreen s;
    for (const char* box : {"txtChargeCurrent", "txtChargeVoltage", "txtInputCurrent"}) {
        s.type(box, "1a-2.\r3 \b");
        s.form.get<forms::TextBox>(box).userKey(0x10030);  // a wide code that would wrap onto "0"
        EXPECT_EQ(s.text(box), "12") << box;
    }
}

}  // namespace
}  // namespace main_window::testing
