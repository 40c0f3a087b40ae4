#include "setpoint_screen.h"

#include "adapter/frm_usb.h"
#include "platform/busctl/simulated_board.h"

namespace main_window::testing {
namespace {

using Word = platform::busctl::ScriptedControl::WordWrite;

struct RangeCase {
    const RowNames* row;
    const char *typed, *shown;
    bool overLimit;
    std::uint16_t word;
};
void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.row->box << " '" << c.typed << "'"; }

class WriteRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(WriteRange, FixesTheBoxSetsTheLabelAndSendsTheRow)
{
    const RangeCase& c = GetParam();
    SetpointScreen s;
    SetpointRow& row = (s.frames.*c.row->row)();
    row.overLimitLabel->setVisible(!c.overLimit);  // so that both showing and hiding are seen
    s.type(c.row->box, c.typed);
    s.click(c.row->write);

    EXPECT_EQ(s.text(c.row->box), c.shown);
    EXPECT_EQ(row.overLimitLabel->visible(), c.overLimit);
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{c.row->command, c.word, 0x12}}));
    expectField(row, c.word);
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteRange, ::testing::Values(
    RangeCase{&ChargeCurrent, "8064", "8064", false, 0x1F80}, RangeCase{&ChargeCurrent, "8065", "8064", true, 0x1F80},
    RangeCase{&ChargeCurrent, "99999", "8064", true, 0x1F80}, RangeCase{&ChargeCurrent, "127", "0", false, 0x0000},
    RangeCase{&ChargeCurrent, "200", "128", false, 0x0080}, RangeCase{&ChargeCurrent, "00300", "256", false, 0x0100},
    RangeCase{&ChargeVoltage, "19200", "19200", false, 0x4B00}, RangeCase{&ChargeVoltage, "19201", "19201", true, 0x4B00},
    RangeCase{&ChargeVoltage, "40000", "32752", true, 0x7FF0}, RangeCase{&ChargeVoltage, "999999", "32752", true, 0x7FF0},
    RangeCase{&ChargeVoltage, "1023", "0", false, 0x0000}, RangeCase{&ChargeVoltage, "1025", "1024", false, 0x0400},
    RangeCase{&InputCurrent, "1", "256", false, 0x0080}, RangeCase{&InputCurrent, "255", "256", false, 0x0080},
    RangeCase{&InputCurrent, "0", "0", false, 0x0000}, RangeCase{&InputCurrent, "511", "256", false, 0x0080},
    RangeCase{&InputCurrent, "11004", "10752", false, 0x1500}, RangeCase{&InputCurrent, "11005", "11005", true, 0x1500},
    RangeCase{&InputCurrent, "20000", "16128", true, 0x1F80}));

TEST(SetpointWrite, BitsOutsideTheFieldGoOutAsTheRowShowsThem)
{
    SetpointScreen s;
    s.click("chkChargeCurrent", 0);
    s.type("txtChargeCurrent", "128");
    s.click("cmdWriteChargeCurrent");
    s.control.setWord(0x15, 0xFFFF);
    s.click("cmdReadChargeVoltage");
    s.type("txtChargeVoltage", "\b\b\b\b\b1024");
    s.click("cmdWriteChargeVoltage");
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{0x14, 0x0081, 0x12}, {0x15, 0x840F, 0x12}}));
}

TEST(SetpointWrite, AFailedWriteLeavesTheScreenAsASuccessfulOne)
{
    SetpointScreen ok, failing;
    failing.control.setDefaultStatus(platform::busctl::op::WriteWordCmd, 1);
    for (SetpointScreen* s : {&ok, &failing}) {
        s->type("txtChargeVoltage", "19201");
        s->click("cmdWriteChargeVoltage");
    }
    EXPECT_EQ(look(failing.frames.chargeVoltage()), look(ok.frames.chargeVoltage()));
    EXPECT_EQ(failing.control.callCount(platform::busctl::op::WriteWordCmd), 4);
    EXPECT_TRUE(failing.platform.messages().empty());
}

// The key filter sees typed keys only; whatever else reaches a box, Write never overflows.
TEST(SetpointWrite, AnythingButDigitsDoesNothingAndLongDigitsClamp)
{
    SetpointScreen s;
    for (const RowNames* r : {&ChargeCurrent, &ChargeVoltage, &InputCurrent}) {
        SetpointRow& row = (s.frames.*r->row)();
        row.overLimitLabel->setVisible(true);
        for (const char* pasted : {"", "-5", "-9999", " 300", "3e4", "12.5", "0x10", "12a"}) {
            row.valueBox->userReplaceText(pasted);
            const std::string before = look(row);
            s.click(r->write);
            EXPECT_EQ(look(row), before) << r->box << " '" << pasted << "'";
        }
        EXPECT_TRUE(s.control.calls().empty());
        row.valueBox->setText(std::string(400, '9'));
        s.click(r->write);
        s.control.clearLog();
    }
    EXPECT_EQ(s.text("txtChargeCurrent") + " " + s.text("txtChargeVoltage") + " " + s.text("txtInputCurrent"), "8064 32752 16128");
}

// The simulated charger keeps only the field: a value off the step and a toggle outside the field
// come back as the register holds them.
TEST(SetpointOnBoard, AWrittenVoltageReadsBackAsItsField)
{
    platform::busctl::SimulatedBoard board;
    SetpointScreen s{&board};
    ASSERT_TRUE(s.program.usb().OpenFirstFreeDevice());
    s.click("chkChargeVoltage", 0);
    s.type("txtChargeVoltage", "\b19201");
    s.click("cmdWriteChargeVoltage");
    s.click("cmdReadChargeVoltage");
    EXPECT_EQ(s.text("txtChargeVoltage"), "19200");
    expectField(s.frames.chargeVoltage(), 0x4B00);
    EXPECT_EQ(s.frames.chargeVoltage().bits[0]->caption(), "0");
    EXPECT_TRUE(s.platform.messages().empty());
}

}  // namespace
}  // namespace main_window::testing
