#include "platform/busctl/scripted_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"
#include "platform/busctl/simulated_board.h"

// The log and the status script are checked where the adapter window's calls are, in tests/adapter.
namespace {

using namespace busctl_test;
using ::testing::ElementsAre;
using WordWrite = ScriptedControl::WordWrite;
using ByteWrite = ScriptedControl::ByteWrite;

TEST(ScriptedControl, KeepsWhatWasWrittenAndListsEveryAttempt) {
    ScriptedControl bus;
    bus.setByte(0x02, 0x5A);
    bus.queueStatuses(op::WriteWordCmd, {0, 1});
    bus.queueStatuses(op::RegisterTransfer, {0, 1});
    writeWord(bus, 0x14, 0x9F10, 0x12);
    writeWord(bus, 0x14, 0x1F80, 0x52);  // fails, so not kept
    writeByte(bus, 0x12, 0x01, 0x86);
    writeByte(bus, 0x12, 0x01, 0x87);  // fails, so not kept
    EXPECT_THAT(bus.wordWrites(), ElementsAre(WordWrite{0x14, 0x9F10, 0x12}, WordWrite{0x14, 0x1F80, 0x52}));
    EXPECT_THAT(bus.byteWrites(), ElementsAre(ByteWrite{0x01, 0x86}, ByteWrite{0x01, 0x87}));
    EXPECT_EQ(readWord(bus, 0x14, 0x12), (Read{0, 0x9F10}));
    EXPECT_EQ(readByte(bus, 0x12, 0x01), (Read{0, 0x86}));
    EXPECT_EQ(readByte(bus, 0x12, 0x02), (Read{0, 0x5A}));
}

TEST(ScriptedControl, RefusesAMalformedCallWithoutUsingTheScript) {
    ScriptedControl bus;
    bus.queueStatuses(op::WriteWordCmd, {0});
    bus.setDefaultStatus(op::WriteWordCmd, 9);
    EXPECT_NE(call(bus, op::WriteWordCmd, {integerVal(0x14), integerVal(0), integerVal(0x12)}), 0);
    EXPECT_EQ(writeWord(bus, 0x14, 0, 0x12), 0);
    EXPECT_FALSE(bus.calls()[0].wellFormed);
    EXPECT_THAT(bus.wordWrites(), ElementsAre(WordWrite{0x14, 0, 0x12}));
}

TEST(ScriptedControl, BackingBoardAnswersWhatTheScriptDoesNotFail) {
    SimulatedBoard board;
    ScriptedControl bus(board);
    ASSERT_EQ(call(bus, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0);
    bus.failNext(op::WriteWordCmd, 1, 6);
    EXPECT_EQ(writeWord(bus, 0x14, 0xFFFF, 0x12), 6);
    EXPECT_EQ(board.peekWord(0x12, 0x14), 0x0000);  // a scripted failure never reaches the board
    EXPECT_EQ(writeWord(bus, 0x14, 0xFFFF, 0x12), 0);
    EXPECT_EQ(readWord(bus, 0x14, 0x12), (Read{0, 0x1F80}));
    EXPECT_EQ(bus.callCount(op::WriteWordCmd), 2);
}

// One list of byte transfers in order; a failure aimed at one register's nth read or write hits
// exactly that transfer, on the script and on the board alike.
TEST(ScriptedControl, ListsByteTransfersInOrderAndFailsOnlyTheAimedOne) {
    using T = ScriptedControl::ByteTransfer;
    constexpr auto R = ScriptedControl::Direction::Read, W = ScriptedControl::Direction::Write;
    SimulatedBoard board;
    ScriptedControl scripted, boarded(board);
    ASSERT_EQ(call(boarded, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0);
    for (ScriptedControl* bus : {&scripted, &boarded}) {
        SCOPED_TRACE(bus == &scripted ? "script" : "board");
        bus->failByteTransfer(R, 0x04, 2, 7);
        bus->failByteTransfer(W, 0x04, 1, 8);
        writeByte(*bus, 0x52, 0x04, 0x81);  // fails
        readByte(*bus, 0x52, 0x04);
        readByte(*bus, 0x52, 0x03);
        writeByte(*bus, 0x52, 0x04, 0x81);
        readByte(*bus, 0x52, 0x04, 0x33);  // fails: the entry value stays
        readByte(*bus, 0x52, 0x04);
        EXPECT_THAT(bus->byteTransfers(), ElementsAre(T{W, 0x52, 0x04, 0x81, 8}, T{R, 0x52, 0x04, 0, 0}, T{R, 0x52, 0x03, 0, 0},
                                                      T{W, 0x52, 0x04, 0x81, 0}, T{R, 0x52, 0x04, 0x33, 7}, T{R, 0x52, 0x04, 0x81, 0}));
    }
}

}  // namespace
