#include "platform/busctl/simulated_board.h"

#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"

namespace {

using namespace busctl_test;
constexpr int App = SimulatedBoard::ChargerAddress;
constexpr int TestMode = SimulatedBoard::TestModeAddress;

// The board the program runs on by default: what no window test looks at closely.
TEST(SimulatedBoard, KeepsTheChargersWordAndRegisterRules) {
    SimulatedBoard board;
    EXPECT_NE(writeByte(board, App, 0x02, 1), 0);  // not open yet
    ASSERT_EQ(call(board, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0);
    // Address, command, word written, accepted, then the word as read at 0x52 (one charger, two addresses).
    const std::tuple<int, int, int, bool, int> words[] = {
        {App, 0x14, 0x1234, true, 0x1200},       {App, 0x15, 0xFFFF, true, 0x7FF0},
        {TestMode, 0x3F, 0xE0FF, true, 0x0080},  {TestMode, 0x08, 0x8001, true, 0x8001},
        {TestMode, 0x0B, 0x1234, false, 0x8001}, {App, 0x08, 0x1234, false, 0x8001},
        {App, 0xFE, 0x1234, false, 0x0040},
    };
    for (const auto& [address, command, written, accepted, kept] : words) {
        EXPECT_EQ(writeWord(board, command, written, address) == 0, accepted) << command;
        EXPECT_EQ(board.peekWord(TestMode, command), kept) << command;
    }
    EXPECT_EQ(board.peekWord(App, 0x00), std::nullopt);  // test-mode words only at 0x52
    EXPECT_NE(call(board, op::ConfirmWrite), 0);          // after a refused write
    ASSERT_EQ(writeWord(board, 0x15, 0x1000, App), 0);
    EXPECT_EQ(call(board, op::ConfirmWrite), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);

    board.latchFaults(0xFF);
    writeByte(board, App, 0x01, 0x01);  // a rising edge of LTCLR alone clears nothing
    EXPECT_EQ(board.peekByte(0x00), 0x3F);
    writeByte(board, App, 0x01, 0x00);
    EXPECT_EQ(board.peekByte(0x00), 0x20);  // VGOOD stays

    const auto eeprom = board.eepromByte(0x06);
    writeByte(board, App, 0x06, 0xC0);
    writeByte(board, App, 0x0B, 0x41);  // program, but locked: the full run is in tests/protector
    EXPECT_EQ(board.eepromByte(0x06), eeprom);
    EXPECT_EQ(board.peekByte(0x06), 0xC0);
}

}  // namespace
