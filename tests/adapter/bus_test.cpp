#include "adapter/bus.h"

#include <functional>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/frm_usb.h"
#include "adapter/rig.h"
#include "platform/busctl/simulated_board.h"

namespace {

using namespace adapter_test;
using namespace adapter;
using ::testing::Each;
using ::testing::SizeIs;
using common::Program;
using WordWrite = ScriptedControl::WordWrite;

struct Wrapper {
    const char* name;
    std::function<std::int32_t(Program&)> call;
    std::size_t addressArg;  // where the device address sits in the control's arguments
};
const Wrapper wrappers[] = {
    {"ReadByteReg", [](Program& p) { U8 d = 0; return ReadByteReg(p, 5, d); }, 1},
    {"WriteByteReg", [](Program& p) { return WriteByteReg(p, 5, 0xA5); }, 1},
    {"ReadWordReg", [](Program& p) { U8 h = 0, l = 0; return ReadWordReg(p, 0x14, h, l); }, 2},
    {"WriteWordReg", [](Program& p) { return WriteWordReg(p, 0x14, 0x1F, 0x80); }, 2},
};

TEST(BusWrappers, FirstCallCreatesTheHiddenWindowAndEachCallTakesTheCurrentAddress)
{
    for (const auto& w : wrappers) {
        SCOPED_TRACE(w.name);
        Rig rig;
        EXPECT_FALSE(rig.program.usbCreated());
        std::string caption = "USB Driver Installation";
        for (const I16 address : {I16{0x12}, I16{0x52}}) {
            rig.program.vars().giDeviceAddress = address;
            rig.bus.clearLog();
            w.call(rig.program);
            EXPECT_EQ(rig.bus.calls().at(0).args.at(w.addressArg).value, Variant{address});
            ASSERT_TRUE(rig.program.usbCreated());
            EXPECT_EQ(rig.program.usb().caption(), caption);
            rig.program.usb().setCaption(caption = "marked");  // a re-created window loses this
        }
        EXPECT_FALSE(rig.program.usb().visible());
        EXPECT_TRUE(rig.platform.shownForms().empty());
    }
}

TEST(BusWrappers, WordTransfersMakeUpToFourAttempts)
{
    struct Case { int op; std::vector<I16> statuses; int attempts; std::int32_t status; std::uint16_t word; };
    const Case cases[] = {
        {op::ReadWordCmd, {}, 1, 0, 0x8000},          {op::WriteWordCmd, {}, 1, 0, 0x1F80},
        {op::ReadWordCmd, {1, 1, 1}, 4, 0, 0xFFFF},   {op::WriteWordCmd, {1, 1, 1}, 4, 0, 0x8000},
        {op::ReadWordCmd, {1, 2, 3, 4}, 4, 4, 0x1F80}, {op::WriteWordCmd, {1, 2, 3, -2}, 4, -2, 0xFFFF},
        {op::ConfirmWrite, {3, 3}, 3, 0, 0x9F10},  // a failed confirmation fails that attempt
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.statuses));
        Rig rig;
        rig.program.vars().giDeviceAddress = 0x12;
        rig.bus.queueStatuses(c.op, c.statuses);
        if (c.op == op::ReadWordCmd) {
            rig.bus.setWord(0x14, c.word);
            U8 high = 0x11, low = 0x22;
            // The returned status is the one BusStatusHook is handed; the hook changes nothing.
            EXPECT_EQ(ReadWordReg(rig.program, 0x14, high, low), c.status);
            EXPECT_EQ(rig.bus.callCount(op::ReadWordCmd), c.attempts);
            EXPECT_EQ(high << 8 | low, c.status == 0 ? c.word : 0x1122);
        } else {
            EXPECT_EQ(WriteWordReg(rig.program, 0x14, c.word >> 8, c.word & 0xFF), c.status);
            EXPECT_THAT(rig.bus.wordWrites(), SizeIs(c.attempts));
            EXPECT_THAT(rig.bus.wordWrites(), Each(WordWrite{0x14, c.word, 0x12}));
            EXPECT_EQ(rig.bus.callCount(op::ConfirmWrite), c.op == op::ConfirmWrite ? 3 : c.status == 0);
        }
    }
}

// Answers every call with one result and, when told, puts a value into the last argument.
struct FixedAnswer final : AdapterControl {
    Variant result;
    std::optional<Variant> data;
    Variant invoke(int, std::vector<Arg>& args) override
    {
        if (data)
            args.at(3).value = *data;
        return result;
    }
};

TEST(BusWrappers, ByteReadTakesTheByteTheControlLeftAndRefusesNonBytes)
{
    struct Case { Variant result; std::optional<Variant> data; std::int32_t status; U8 byte; };
    const Case cases[] = {
        {I16{6}, std::nullopt, 6, 0x5A},  // control left the data alone
        {I16{6}, I16{0x7E}, 6, 0x7E},     // whatever the status, the byte follows the data
        {std::int32_t{70000}, std::nullopt, -1, 0x5A},  // no 16-bit status: a failure
        {std::string("0"), std::nullopt, -1, 0x5A},
        {I16{0}, I16{300}, -1, 0x5A},  // no byte: a failure, the caller's byte kept
        {I16{6}, I16{-1}, 6, 0x5A},
    };
    for (const Case& c : cases) {
        Rig<FixedAnswer> rig;
        rig.bus.result = c.result;
        rig.bus.data = c.data;
        U8 byte = 0x5A;
        EXPECT_EQ(ReadByteReg(rig.program, 5, byte), c.status);
        EXPECT_EQ(byte, c.byte);
    }
}

TEST(BusWrappers, WorkAgainstTheSimulatedBoard)
{
    Rig<SimulatedBoard> rig;
    rig.program.vars().giDeviceAddress = SimulatedBoard::ChargerAddress;
    U8 high = 0, low = 0, byte = 0;
    EXPECT_NE(ReadWordReg(rig.program, 0x14, high, low), 0);  // not open yet
    ASSERT_TRUE(rig.program.usb().OpenFirstFreeDevice());
    EXPECT_EQ(WriteWordReg(rig.program, 0x14, 0xFF, 0xFF), 0);
    EXPECT_EQ(ReadWordReg(rig.program, 0x14, high, low), 0);
    EXPECT_EQ(high << 8 | low, 0x1F80);  // only the field bits stick
    EXPECT_EQ(WriteByteReg(rig.program, 0x03, 0xA5), 0);
    EXPECT_EQ(ReadByteReg(rig.program, 0x03, byte), 0);
    EXPECT_EQ(byte, 0xA5);
    rig.program.usb().CloseDevice();
    EXPECT_NE(WriteByteReg(rig.program, 0x03, 0x00), 0);
}

}  // namespace
