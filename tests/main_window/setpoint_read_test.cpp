#include <gtest/gtest.h>

#include "setpoint_screen.h"

namespace main_window::testing {
namespace {

using platform::busctl::op::ReadWordCmd;
using platform::forms::pointer::Default;
using platform::forms::pointer::Hourglass;

struct Row {
    SetpointRow& (SetpointFrames::*row)();
    const char* read;
    int command;
};
const Row ChargeCurrent{&SetpointFrames::chargeCurrent, "cmdReadChargeCurrent", 0x14};
const Row ChargeVoltage{&SetpointFrames::chargeVoltage, "cmdReadChargeVoltage", 0x15};
const Row InputCurrent{&SetpointFrames::inputCurrent, "cmdReadInputCurrent", 0x3F};

struct ReadCase {
    Row row;
    std::uint16_t word;
    const char* shown;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.row.read << " 0x" << std::hex << c.word; }

class SetpointRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SetpointRead, ShowsTheFieldInTheBoxAndEveryBitInTheRow)
{
    const ReadCase& c = GetParam();
    SetpointScreen s;
    SetpointRow& row = (s.frames.*c.row.row)();
    row.overLimitLabel->setVisible(true);
    s.control.setWord(c.row.command, c.word);

    s.click(c.row.read);

    EXPECT_EQ(row.valueBox->text(), c.shown);
    for (int i = 0; i < 16; ++i) {
        const bool set = (c.word >> i & 1) != 0;
        const bool inField = i >= row.field.bottomBit && i <= row.field.topBit;
        const auto& bit = *row.bits[static_cast<std::size_t>(i)];
        EXPECT_EQ(bit.value(), set ? 1 : 0) << "bit " << i;
        EXPECT_EQ(bit.caption(), set ? "1" : "0") << "bit " << i;
        EXPECT_EQ(bit.backColor(), !inField ? OutsideFieldColor : set ? SetBitColor : ClearBitColor) << "bit " << i;
    }
    EXPECT_FALSE(row.overLimitLabel->visible());
    EXPECT_EQ(s.control.wordReads(), std::vector<int>{c.row.command});
    EXPECT_EQ(s.platform.pointerHistory(), (std::vector<int>{Hourglass, Default}));
    EXPECT_TRUE(s.platform.messages().empty());
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Table, SetpointRead, ::testing::Values(
    ReadCase{ChargeCurrent, 0xFFFF, "8064"},
    ReadCase{ChargeCurrent, 0x0000, "0"},
    ReadCase{ChargeVoltage, 0x4B00, "19200"},
    ReadCase{ChargeVoltage, 0xFFFF, "32752"},
    ReadCase{InputCurrent, 0x1F80, "16128"},
    ReadCase{InputCurrent, 0x1080, "8448"}));

TEST(SetpointRead, AFailedReadReportsUnderTheHourglassAndChangesNothing)
{
    for (const Row& r : {ChargeCurrent, ChargeVoltage, InputCurrent}) {
        SetpointScreen s;
        SetpointRow& row = (s.frames.*r.row)();
        s.click(row.bits[9]->name(), 9);
        row.overLimitLabel->setVisible(true);
        const std::string before = look(row);
        s.control.setDefaultStatus(ReadWordCmd, 1);
        int pointerWhileOpen = -1;
        std::int16_t flagWhileOpen = 0;
        s.platform.scriptReply({.whileOpen = [&] {
            pointerWhileOpen = s.platform.mousePointer();
            flagWhileOpen = s.program.vars().gbUpdatingBits;
        }});

        s.click(r.read);

        ASSERT_EQ(s.platform.messages().size(), 1u);
        EXPECT_EQ(s.platform.messages()[0].text, "Read ERROR");
        EXPECT_EQ(s.platform.messages()[0].title, "Darnex");
        EXPECT_EQ(pointerWhileOpen, Hourglass);
        EXPECT_EQ(flagWhileOpen, common::True);
        EXPECT_EQ(s.platform.mousePointer(), Default);
        EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
        EXPECT_EQ(s.control.callCount(ReadWordCmd), 4);
        // Only the charge current keeps its warning after a failed read.
        EXPECT_EQ(row.overLimitLabel->visible(), r.command == 0x14) << r.read;
        row.overLimitLabel->setVisible(true);
        EXPECT_EQ(look(row), before) << r.read;
    }
}

TEST(SetpointRead, ThePublicReadsRestoreWhateverPointerWasUp)
{
    SetpointScreen s;
    s.platform.setMousePointer(Hourglass);
    s.frames.ReadChargeCurrent();
    s.frames.ReadChargeVoltage();
    EXPECT_EQ(s.platform.mousePointer(), Hourglass);
    EXPECT_EQ(s.control.wordReads(), (std::vector<int>{0x14, 0x15}));
}

}  // namespace
}  // namespace main_window::testing
