#include "platform/busctl/scripted_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"
#include "platform/busctl/simulated_board.h"

namespace {

using namespace busctl_test;
using ::testing::ElementsAre;
using LoggedArg = ScriptedControl::LoggedArg;
using WordWrite = ScriptedControl::WordWrite;
using ByteWrite = ScriptedControl::ByteWrite;

TEST(ScriptedControl, LogsEveryArgumentAsItCameIn) {
    ScriptedControl bus;
    bus.setByte(0x05, 0x3C);
    EXPECT_EQ(readByte(bus, 0x52, 0x05, 0x99), (Read{0, 0x3C}));
    EXPECT_EQ(call(bus, op::ConfirmWrite), 0);
    EXPECT_THAT(bus.operations(), ElementsAre(op::RegisterTransfer, op::ConfirmWrite));
    EXPECT_THAT(bus.calls()[0].args,
                ElementsAre(LoggedArg{ArgType::Long, Passing::ByValue, std::int32_t{2}},
                            LoggedArg{ArgType::Integer, Passing::ByRef, std::int16_t{0x52}},
                            LoggedArg{ArgType::Integer, Passing::ByRef, std::int16_t{0x05}},
                            LoggedArg{ArgType::Integer, Passing::ByRef, std::int16_t{0x99}}));
}

TEST(ScriptedControl, AnswersStatusesInTheScriptedOrder) {
    ScriptedControl bus;
    bus.queueStatuses(op::ReadWordCmd, {5, 0});
    bus.failNext(op::ReadWordCmd, 2, 7);
    bus.setDefaultStatus(op::ConfirmWrite, 3);
    bus.setWord(0x15, 0x1000);
    // A failed read keeps the caller's word.
    for (const Read& want :
         {Read{5, 0xAAAA}, Read{0, 0x1000}, Read{7, 0xAAAA}, Read{7, 0xAAAA}, Read{0, 0x1000}}) {
        EXPECT_EQ(readWord(bus, 0x15, 0x12, 0xAAAA), want);
    }
    EXPECT_EQ(writeWord(bus, 0x15, 0, 0x12), 0);  // each operation has its own script
    EXPECT_EQ(call(bus, op::ConfirmWrite), 3);
}

TEST(ScriptedControl, KeepsWhatWasWrittenAndListsTheWrites) {
    ScriptedControl bus;
    bus.setByte(0x01, 0x87);
    bus.failNext(op::WriteWordCmd, 1);
    writeWord(bus, 0x14, 0x9F10, 0x12);
    writeWord(bus, 0x14, 0x9F10, 0x12);
    writeWord(bus, 0x00, 0x8000, 0x52);
    const int d = readByte(bus, 0x12, 0x01).value;
    for (const int data : {d & 0xFE, d | 0x01, d & 0xFE}) {
        writeByte(bus, 0x12, 0x01, data);
    }
    EXPECT_THAT(bus.wordWrites(), ElementsAre(WordWrite{0x14, 0x9F10, 0x12},  // failed, then again
                                              WordWrite{0x14, 0x9F10, 0x12},
                                              WordWrite{0x00, 0x8000, 0x52}));
    EXPECT_THAT(bus.byteWrites(),
                ElementsAre(ByteWrite{0x01, 0x86}, ByteWrite{0x01, 0x87}, ByteWrite{0x01, 0x86}));
    EXPECT_EQ(readByte(bus, 0x12, 0x01).value, 0x86);
    EXPECT_EQ(readWord(bus, 0x14, 0x12).value, 0x9F10);
    EXPECT_THAT(bus.byteReads(), ElementsAre(0x01, 0x01));
    EXPECT_THAT(bus.wordReads(), ElementsAre(0x14));
    bus.clearLog();
    EXPECT_TRUE(bus.calls().empty());
}

TEST(ScriptedControl, ListsNoAdapterWhenToldSo) {
    ScriptedControl bus;
    bus.setFreeDevices(0, "");
    std::vector<Arg> args{longVal(1), longRef(5), stringRef("junk")};
    bus.invoke(op::ListFreeDevices, args);
    EXPECT_EQ(args[1].value, Variant{std::int32_t{0}});
    EXPECT_EQ(args[2].value, Variant{std::string()});
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
    ASSERT_EQ(openDevice(bus, "SIMBOARD-1"), 0);
    bus.failNext(op::WriteWordCmd, 1, 6);
    EXPECT_EQ(writeWord(bus, 0x14, 0xFFFF, 0x12), 6);
    EXPECT_EQ(board.peekWord(0x12, 0x14), 0x0000);  // a scripted failure never reaches the board
    EXPECT_EQ(writeWord(bus, 0x14, 0xFFFF, 0x12), 0);
    EXPECT_EQ(readWord(bus, 0x14, 0x12), (Read{0, 0x1F80}));
    EXPECT_EQ(bus.callCount(op::WriteWordCmd), 2);
}

}  // namespace
