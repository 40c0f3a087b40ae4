#include <gtest/gtest.h>

#include "setpoint_screen.h"

namespace main_window::testing {
namespace {

using Word = platform::busctl::ScriptedControl::WordWrite;
using platform::busctl::op::WriteWordCmd;

enum class Reg { ChargeCurrent, ChargeVoltage, InputCurrent };

struct Names {
    const char* box;
    const char* write;
    const char* label;
    int command;
};

Names names(Reg r)
{
    switch (r) {
    case Reg::ChargeCurrent: return {"txtChargeCurrent", "cmdWriteChargeCurrent", "lblChargeCurrentOL", 0x14};
    case Reg::ChargeVoltage: return {"txtChargeVoltage", "cmdWriteChargeVoltage", "lblChargeVoltageOl", 0x15};
    default: return {"txtInputCurrent", "cmdWriteInputCurrent", "lblInputCurrentOl", 0x3F};
    }
}

SetpointRow& rowOf(SetpointScreen& s, Reg r)
{
    return r == Reg::ChargeCurrent ? s.frames.chargeCurrent() : r == Reg::ChargeVoltage ? s.frames.chargeVoltage() : s.frames.inputCurrent();
}

struct RangeCase {
    Reg reg;
    const char* typed;
    const char* shown;
    bool overLimit;
    std::uint16_t word;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << names(c.reg).box << " '" << c.typed << "'"; }

class WriteRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(WriteRange, FixesTheBoxSetsTheLabelAndSendsTheRow)
{
    const RangeCase& c = GetParam();
    SetpointScreen s;
    const Names n = names(c.reg);
    SetpointRow& row = rowOf(s, c.reg);
    // Start from the opposite label state, so that both showing and hiding are seen.
    row.overLimitLabel->setVisible(!c.overLimit);

    s.type(n.box, c.typed);
    s.click(n.write);

    EXPECT_EQ(s.text(n.box), c.shown);
    EXPECT_EQ(s.labelShown(n.label), c.overLimit);
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{n.command, c.word, 0x12}}));
    for (int i = row.field.bottomBit; i <= row.field.topBit; ++i) {
        const bool set = (c.word >> i & 1) != 0;
        const auto& bit = *row.bits[static_cast<std::size_t>(i)];
        EXPECT_EQ(bit.value(), set ? 1 : 0) << "bit " << i;
        EXPECT_EQ(bit.caption(), set ? "1" : "0") << "bit " << i;
        EXPECT_EQ(bit.backColor(), set ? SetBitColor : ClearBitColor) << "bit " << i;
    }
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteRange, ::testing::Values(
    RangeCase{Reg::ChargeCurrent, "8064", "8064", false, 0x1F80},
    RangeCase{Reg::ChargeCurrent, "8065", "8064", true, 0x1F80},
    RangeCase{Reg::ChargeCurrent, "99999", "8064", true, 0x1F80},
    RangeCase{Reg::ChargeCurrent, "127", "0", false, 0x0000},
    RangeCase{Reg::ChargeCurrent, "200", "128", false, 0x0080},
    RangeCase{Reg::ChargeCurrent, "00300", "256", false, 0x0100},
    RangeCase{Reg::ChargeVoltage, "19200", "19200", false, 0x4B00},
    RangeCase{Reg::ChargeVoltage, "19201", "19201", true, 0x4B00},  // the box keeps what the row rounds
    RangeCase{Reg::ChargeVoltage, "40000", "32752", true, 0x7FF0},
    RangeCase{Reg::ChargeVoltage, "999999", "32752", true, 0x7FF0},
    RangeCase{Reg::ChargeVoltage, "1023", "0", false, 0x0000},
    RangeCase{Reg::ChargeVoltage, "1025", "1024", false, 0x0400},
    RangeCase{Reg::InputCurrent, "1", "256", false, 0x0080},
    RangeCase{Reg::InputCurrent, "255", "256", false, 0x0080},
    RangeCase{Reg::InputCurrent, "0", "0", false, 0x0000},
    RangeCase{Reg::InputCurrent, "511", "256", false, 0x0080},
    RangeCase{Reg::InputCurrent, "11004", "10752", false, 0x1500},
    RangeCase{Reg::InputCurrent, "11005", "11005", true, 0x1500},
    RangeCase{Reg::InputCurrent, "20000", "16128", true, 0x1F80}));

TEST(SetpointWrite, BitsOutsideTheFieldGoOutAsTheRowShowsThem)
{
    SetpointScreen s;
    s.click("chkChargeCurrent", 0);
    s.type("txtChargeCurrent", "128");
    s.click("cmdWriteChargeCurrent");
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{0x14, 0x0081, 0x12}}));

    s.control.clearLog();
    s.control.setWord(0x15, 0xFFFF);
    s.click("cmdReadChargeVoltage");
    s.type("txtChargeVoltage", "\b\b\b\b\b1024");
    s.click("cmdWriteChargeVoltage");
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{0x15, 0x840F, 0x12}}));
}

TEST(SetpointWrite, AFailedWriteLeavesTheScreenAsASuccessfulOne)
{
    SetpointScreen ok;
    SetpointScreen failing;
    failing.control.setDefaultStatus(WriteWordCmd, 1);
    for (SetpointScreen* s : {&ok, &failing}) {
        s->type("txtChargeVoltage", "19201");
        s->click("cmdWriteChargeVoltage");
    }
    EXPECT_EQ(look(failing.frames.chargeVoltage()), look(ok.frames.chargeVoltage()));
    EXPECT_EQ(failing.control.callCount(WriteWordCmd), 4);
    EXPECT_TRUE(failing.platform.messages().empty());
}

// Pasted text is not filtered; a Write of anything but digits does nothing, as for an empty box.
class NotANumber : public ::testing::TestWithParam<const char*> {};

TEST_P(NotANumber, WriteDoesNothing)
{
    SetpointScreen s;
    for (Reg r : {Reg::ChargeCurrent, Reg::ChargeVoltage, Reg::InputCurrent}) {
        const Names n = names(r);
        s.form.get<platform::forms::TextBox>(n.box).userReplaceText(GetParam());
        rowOf(s, r).overLimitLabel->setVisible(true);
        const std::string before = look(rowOf(s, r));
        s.click(n.write);
        EXPECT_EQ(look(rowOf(s, r)), before);
    }
    EXPECT_TRUE(s.control.calls().empty());
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Pasted, NotANumber, ::testing::Values("", "-5", "-9999", " 300", "3e4", "12.5", "0x10", "12a"));

TEST(SetpointWrite, OverlongDigitsFromCodeClampLikeAnyLargeNumber)
{
    SetpointScreen s;
    for (Reg r : {Reg::ChargeCurrent, Reg::ChargeVoltage, Reg::InputCurrent}) {
        s.form.get<platform::forms::TextBox>(names(r).box).setText(std::string(400, '9'));
        s.click(names(r).write);
    }
    EXPECT_EQ(s.text("txtChargeCurrent"), "8064");
    EXPECT_EQ(s.text("txtChargeVoltage"), "32752");
    EXPECT_EQ(s.text("txtInputCurrent"), "16128");
    EXPECT_EQ(s.control.wordWrites(), (std::vector<Word>{{0x14, 0x1F80, 0x12}, {0x15, 0x7FF0, 0x12}, {0x3F, 0x1F80, 0x12}}));
}

}  // namespace
}  // namespace main_window::testing
