#include "platform/busctl/scripted_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"
#include "platform/busctl/simulated_board.h"

// The window tests rest on this double: what it keeps, lists and fails must be exact.
namespace {

using namespace busctl_test;
using ::testing::ElementsAre;
using WordWrite = ScriptedControl::WordWrite;

TEST(ScriptedControl, KeepsOnlySuccessfulWordWritesAndRefusesMalformedCallsWithoutUsingTheScript) {
    ScriptedControl bus;
    bus.queueStatuses(op::WriteWordCmd, {0, 1});
    bus.setDefaultStatus(op::WriteWordCmd, 9);
    EXPECT_NE(call(bus, op::WriteWordCmd, {integerVal(0x14), integerVal(0), integerVal(0x12)}), 0);
    EXPECT_EQ(writeWord(bus, 0x14, 0x9F10, 0x12), 0);
    EXPECT_EQ(writeWord(bus, 0x14, 0x1F80, 0x52), 1);
    EXPECT_EQ(writeWord(bus, 0x15, 0, 0x12), 9);
    EXPECT_FALSE(bus.calls()[0].wellFormed);
    EXPECT_THAT(bus.wordWrites(), ElementsAre(WordWrite{0x14, 0x9F10, 0x12}, WordWrite{0x14, 0x1F80, 0x52}, WordWrite{0x15, 0, 0x12}));
    EXPECT_EQ(readWord(bus, 0x14, 0x12), (Read{0, 0x9F10}));
}

// One list of byte transfers in order; a failure aimed at one register's nth read or write hits
// exactly that transfer and never reaches the board.
TEST(ScriptedControl, ListsByteTransfersInOrderAndFailsOnlyTheAimedOne) {
    using T = ScriptedControl::ByteTransfer;
    constexpr auto R = ScriptedControl::Direction::Read, W = ScriptedControl::Direction::Write;
    SimulatedBoard board;
    ScriptedControl scripted, boarded(board);
    ASSERT_EQ(call(boarded, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0);
    for (ScriptedControl* bus : {&scripted, &boarded}) {
        SCOPED_TRACE(bus == &scripted ? "script" : "board");
        bus->setByte(0x03, 0x5A);  // the board's answers win over the script's
        bus->failByteTransfer(R, 0x04, 2, 7);
        bus->failByteTransfer(W, 0x04, 1, 8);
        writeByte(*bus, 0x52, 0x04, 0x81);  // fails
        readByte(*bus, 0x52, 0x04);
        readByte(*bus, 0x52, 0x03);
        writeByte(*bus, 0x52, 0x04, 0x81);
        readByte(*bus, 0x52, 0x04, 0x33);  // fails: the entry value stays
        readByte(*bus, 0x52, 0x04);
        const int r3 = bus == &scripted ? 0x5A : 0;
        EXPECT_THAT(bus->byteTransfers(), ElementsAre(T{W, 0x52, 0x04, 0x81, 8}, T{R, 0x52, 0x04, 0, 0}, T{R, 0x52, 0x03, r3, 0},
                                                      T{W, 0x52, 0x04, 0x81, 0}, T{R, 0x52, 0x04, 0x33, 7}, T{R, 0x52, 0x04, 0x81, 0}));
    }
    boarded.failNext(op::WriteWordCmd, 1, 6);
    EXPECT_EQ(writeWord(boarded, 0x14, 0xFFFF, 0x12), 6);
    EXPECT_EQ(board.peekWord(0x12, 0x14), 0x0000);
}

}  // namespace
