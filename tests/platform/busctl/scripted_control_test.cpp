#include "platform/busctl/scripted_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"
#include "platform/busctl/simulated_board.h"

namespace {

using namespace busctl_test;
using ::testing::ElementsAre;

// The protector tests rest on this: one ordered list of byte transfers, and a failure aimed at one
// register's nth read or write hits exactly that transfer and never reaches the board.
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
        writeByte(*bus, 0x52, 0x04, 0x81);
        readByte(*bus, 0x52, 0x04, 0x33);  // fails: the entry value stays
        readByte(*bus, 0x52, 0x04);
        EXPECT_THAT(bus->byteTransfers(), ElementsAre(T{W, 0x52, 0x04, 0x81, 8}, T{R, 0x52, 0x04, 0, 0}, T{W, 0x52, 0x04, 0x81, 0},
                                                      T{R, 0x52, 0x04, 0x33, 7}, T{R, 0x52, 0x04, 0x81, 0}));
    }
}

}  // namespace
