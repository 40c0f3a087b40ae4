#include "platform/busctl/simulated_board.h"

#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"

namespace {

using namespace busctl_test;
constexpr int App = SimulatedBoard::ChargerAddress;
constexpr int TestMode = SimulatedBoard::TestModeAddress;

class SimulatedBoardTest : public ::testing::Test {
protected:
    SimulatedBoardTest() { EXPECT_EQ(call(board, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0); }
    SimulatedBoard board;
};

TEST_F(SimulatedBoardTest, WordsKeepTheirFieldBitsAndReadOnlyWordsRefuseWrites) {
    struct Case { int address, command, written; bool accepted; int readBack; };
    const Case cases[] = {
        {App, 0x14, 0x1234, true, 0x1200},       {TestMode, 0x14, 0x807F, true, 0x0000},
        {App, 0x15, 0xFFFF, true, 0x7FF0},       {TestMode, 0x15, 0x9F1F, true, 0x1F10},
        {App, 0x3F, 0xE0FF, true, 0x0080},       {TestMode, 0x00, 0xA5C3, true, 0xA5C3},
        {TestMode, 0x02, 0xFFFF, true, 0xFFFF},  {TestMode, 0x08, 0x8001, true, 0x8001},
        {TestMode, 0x09, 0xBEEF, true, 0xBEEF},  {TestMode, 0x0C, 0x1234, false, 0xBEEF},
        {App, 0xFE, 0x1234, false, 0x0040},      {TestMode, 0xFF, 0x1234, false, 0x0088},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(writeWord(board, c.command, c.written, c.address) == 0, c.accepted);
        const int other = c.address == App ? TestMode : App;  // one charger behind both addresses
        EXPECT_EQ(readWord(board, c.command, c.command < 0x14 ? TestMode : other), (Read{0, c.readBack}));
    }
}

TEST_F(SimulatedBoardTest, RefusesWhatItDoesNotAnswerAndChangesNothing) {
    EXPECT_NE(readWord(board, 0x14, 0x20).status, 0);  // unknown address
    EXPECT_NE(writeWord(board, 0x08, 1, App), 0);      // trims only at the test-mode address
    EXPECT_NE(readByte(board, 0x20, 0x01).status, 0);
    EXPECT_NE(writeByte(board, App, 0x0C, 0), 0);
    EXPECT_NE(writeByte(board, App, 0x00, 0), 0);      // STATUS is read only
    EXPECT_NE(writeByte(board, App, 0x01, 0x01, 0), 0);  // mode 0
    EXPECT_NE(call(board, op::HDQWriteCmd, {longVal(1), integerRef(1), integerRef(2)}), 0);
    EXPECT_EQ(readWord(board, 0x00, App, 0x1234), (Read{2, 0x1234}));  // test-mode word at 0x12
    EXPECT_EQ(readWord(board, 0x16, App, 0x1234).value, 0x1234);
    EXPECT_EQ(readByte(board, App, 0x0C, 0x77).value, 0x77);
    // Argument lists that do not match the operation.
    std::vector<Arg> shortRead{integerRef(0x14), integerRef(0x55)};  // no address
    EXPECT_NE(std::get<std::int16_t>(board.invoke(op::ReadWordCmd, shortRead)), 0);
    EXPECT_EQ(shortRead[1].value, Variant{std::int16_t{0x55}});
    EXPECT_NE(call(board, op::WriteWordCmd, {integerVal(0x14), integerVal(0x1F80), integerVal(App)}), 0);
    EXPECT_NE(call(board, op::RegisterTransfer, {integerVal(2), integerRef(App), integerRef(2), integerRef(0)}), 0);
    EXPECT_NE(call(board, op::RegisterTransfer, {longVal(1), integerRef(App), integerRef(2), longRef(9)}), 0);
    EXPECT_NE(call(board, op::CloseAdapter, {longVal(1)}), 0);
    EXPECT_NE(call(board, 3), 0);
    EXPECT_TRUE(board.isOpen());
    EXPECT_EQ(board.peekWord(App, 0x14), 0x0000);
    EXPECT_EQ(board.peekByte(0x02), 0x00);
}

TEST(SimulatedBoardAdapter, TransfersNeedAnOpenAdapterAndConfirmWriteOnlyFollowsAGoodWordWrite) {
    SimulatedBoard board;
    const auto transfersFail = [&] {
        return readWord(board, 0x14, App).status != 0 && writeWord(board, 0x14, 0, App) != 0 &&
               readByte(board, App, 0x01).status != 0 && writeByte(board, App, 0x01, 0) != 0;
    };
    EXPECT_TRUE(transfersFail());
    EXPECT_NE(call(board, op::OpenDevice, {stringRef("SIMBOARD-2")}), 0);
    EXPECT_TRUE(transfersFail());
    ASSERT_EQ(call(board, op::OpenDevice, {stringRef("SIMBOARD-1")}), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
    ASSERT_EQ(writeWord(board, 0x15, 0x1000, App), 0);
    EXPECT_EQ(call(board, op::ConfirmWrite), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
    ASSERT_NE(writeWord(board, 0xFE, 0, App), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
    EXPECT_EQ(call(board, op::CloseAdapter), 0);
    EXPECT_TRUE(transfersFail());
}

TEST_F(SimulatedBoardTest, ProtectorRegistersAnswerAtBothAddressesAndLtclrClearsFaults) {
    for (int reg = 0x01; reg <= 0x0A; ++reg) {
        ASSERT_EQ(writeByte(board, App, reg, 0xA4 + reg), 0);
        EXPECT_EQ(readByte(board, TestMode, reg), (Read{0, 0xA4 + reg}));
    }
    for (const int d : {0x00, 0x86, 0x87}) {
        SCOPED_TRACE(d);
        ASSERT_EQ(writeByte(board, App, 0x01, d), 0);
        board.latchFaults(0xFF);
        writeByte(board, App, 0x01, d | 0x01);  // a rising edge alone clears nothing
        EXPECT_EQ(readByte(board, App, 0x00), (Read{0, 0x3F}));
        for (const int data : {d & 0xFE, d | 0x01, d & 0xFE})
            ASSERT_EQ(writeByte(board, App, 0x01, data), 0);
        EXPECT_EQ(readByte(board, App, 0x00), (Read{0, 0x20}));  // VGOOD stays
    }
}

TEST(SimulatedBoardEeprom, ContentSurvivesOrdinaryWrites) {
    const SimulatedBoard::EepromImage image{0x11, 0x22, 0x33, 0x44, 0x55};
    SimulatedBoard board(image);
    call(board, op::OpenDevice, {stringRef("SIMBOARD-1")});
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(readByte(board, App, 0x06 + i).value, image[i]);  // loaded at power-on
        writeByte(board, App, 0x06 + i, 0xC0 + i);
    }
    // Unlock and lock without programming, then 0x41 while locked: the full run is in tests/protector.
    for (const int command : {0x62, 0x00, 0x41, 0x00})
        writeByte(board, App, 0x0B, command);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(board.eepromByte(0x06 + i), image[i]);
        EXPECT_EQ(board.peekByte(0x06 + i), 0xC0 + i);
    }
}

}  // namespace
