#include "platform/busctl/simulated_board.h"

#include <array>
#include <functional>

#include <gtest/gtest.h>

#include "platform/busctl/bus_calls.h"

namespace {

using namespace busctl_test;
constexpr int App = SimulatedBoard::ChargerAddress;
constexpr int TestMode = SimulatedBoard::TestModeAddress;

class SimulatedBoardTest : public ::testing::Test {
protected:
    SimulatedBoardTest() { EXPECT_EQ(openDevice(board, "SIMBOARD-1"), 0); }
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
        EXPECT_EQ(readWord(board, c.command, c.command < 0x14 ? TestMode : other),
                  (Read{0, c.readBack}));
    }
}

TEST_F(SimulatedBoardTest, NobodyAnswersOutsideTheMap) {
    const std::pair<const char*, std::function<std::int16_t()>> cases[] = {
        {"word at unknown address", [&] { return readWord(board, 0x14, 0x20).status; }},
        {"unknown command", [&] { return readWord(board, 0x16, App).status; }},
        {"test-mode word at 0x12", [&] { return readWord(board, 0x00, App).status; }},
        {"trim at 0x12", [&] { return writeWord(board, 0x08, 1, App); }},
        {"byte at unknown address", [&] { return readByte(board, 0x20, 0x01).status; }},
        {"register 0x0C", [&] { return writeByte(board, App, 0x0C, 0); }},
        {"STATUS write", [&] { return writeByte(board, App, 0x00, 0); }},
        {"mode 0", [&] { return writeByte(board, App, 0x01, 0x01, 0); }},
        {"HDQ write", [&] {
             return call(board, op::HDQWriteCmd, {longVal(1), integerRef(1), integerRef(2)});
         }},
    };
    for (const auto& [what, transfer] : cases) {
        EXPECT_NE(transfer(), 0) << what;
    }
    // A failed read leaves the caller's variable alone.
    EXPECT_EQ(readWord(board, 0x16, App, 0x1234).value, 0x1234);
    EXPECT_EQ(readByte(board, App, 0x0C, 0x77).value, 0x77);
}

TEST(SimulatedBoardAdapter, TransfersNeedAnOpenAdapter) {
    SimulatedBoard board;
    std::vector<Arg> list{longVal(1), longRef(0), stringRef("")};
    board.invoke(op::ListFreeDevices, list);
    EXPECT_EQ(list[1].value, Variant{std::int32_t{1}});
    EXPECT_EQ(list[2].value, Variant{std::string("SIMBOARD-1")});
    auto transfersFail = [&] {
        return readWord(board, 0x14, App).status != 0 && writeWord(board, 0x14, 0, App) != 0 &&
               readByte(board, App, 0x01).status != 0 && writeByte(board, App, 0x01, 0) != 0;
    };
    EXPECT_TRUE(transfersFail());
    EXPECT_NE(openDevice(board, "SIMBOARD-2"), 0);
    EXPECT_TRUE(transfersFail());
    ASSERT_EQ(openDevice(board, "SIMBOARD-1"), 0);
    EXPECT_EQ(readWord(board, 0x14, App).status, 0);
    EXPECT_EQ(call(board, op::CloseAdapter), 0);
    EXPECT_TRUE(transfersFail());
}

TEST_F(SimulatedBoardTest, RefusesArgumentListsThatDoNotMatch) {
    const std::pair<int, std::vector<Arg>> cases[] = {
        {op::WriteWordCmd, {integerVal(0x14), integerVal(0x1F80), integerVal(App)}},
        {op::ReadWordCmd, {integerRef(0x14), integerRef(0)}},
        {op::RegisterTransfer, {integerVal(2), integerRef(App), integerRef(1), integerRef(0)}},
        {op::RegisterTransfer, {longVal(1), integerRef(App), integerRef(2), longRef(9)}},
        {op::OpenDevice, {{std::string("SIMBOARD-1"), Passing::ByValue}}},
        {op::CloseAdapter, {longVal(1)}},
        {3, {}},
    };
    for (auto [dispId, args] : cases) {
        const auto before = args;
        EXPECT_NE(std::get<std::int16_t>(board.invoke(dispId, args)), 0) << dispId;
        for (std::size_t i = 0; i < args.size(); ++i) {
            EXPECT_EQ(args[i].value, before[i].value) << dispId << " changed argument " << i;
        }
    }
    EXPECT_TRUE(board.isOpen());
    EXPECT_EQ(board.peekWord(App, 0x14), 0x0000);
    EXPECT_EQ(board.peekByte(0x02), 0x00);
}

TEST_F(SimulatedBoardTest, ConfirmWriteAnswersOnlyForTheWordWriteJustBefore) {
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
    ASSERT_EQ(writeWord(board, 0x15, 0x1000, App), 0);
    EXPECT_EQ(call(board, op::ConfirmWrite), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
    ASSERT_NE(writeWord(board, 0xFE, 0, App), 0);
    EXPECT_NE(call(board, op::ConfirmWrite), 0);
}

TEST_F(SimulatedBoardTest, ProtectorRegistersAnswerAtBothAddresses) {
    for (int reg = 0x01; reg <= 0x0A; ++reg) {
        ASSERT_EQ(writeByte(board, App, reg, 0xA4 + reg), 0);
        EXPECT_EQ(readByte(board, TestMode, reg), (Read{0, 0xA4 + reg}));
    }
    EXPECT_EQ(readByte(board, App, 0x00), (Read{0, 0x20}));
}

TEST_F(SimulatedBoardTest, LtclrPulseClearsLatchedFaults) {
    for (const int d : {0x00, 0x86, 0x87}) {
        SCOPED_TRACE(d);
        ASSERT_EQ(writeByte(board, App, 0x01, d), 0);
        board.latchFaults(0xFF);
        writeByte(board, App, 0x01, d | 0x01);  // a rising edge alone clears nothing
        EXPECT_EQ(readByte(board, App, 0x00).value, 0x3F);
        for (const int data : {d & 0xFE, d | 0x01, d & 0xFE}) {
            ASSERT_EQ(writeByte(board, App, 0x01, data), 0);
        }
        EXPECT_EQ(readByte(board, App, 0x00).value, 0x20);
    }
}

// The programming run as the EEPROM page drives it; true when both checks pass.
bool programEeprom(AdapterControl& bus, const std::array<int, 5>& config) {
    auto readsBack = [&](int flip) {
        for (int i = 0; i < 5; ++i) {
            if (readByte(bus, App, 0x06 + i).value != (config[i] ^ flip)) {
                return false;
            }
        }
        return true;
    };
    for (int i = 0; i < 5; ++i) {
        writeByte(bus, App, 0x06 + i, config[i] ^ 0xFF);
    }
    writeByte(bus, App, 0x0B, 0x62);
    const bool firstCheck = readsBack(0xFF);
    writeByte(bus, App, 0x0B, 0x41);
    const bool vgood = (readByte(bus, App, 0x00).value & 0x20) != 0;
    writeByte(bus, App, 0x0B, 0x00);
    return firstCheck && vgood && readsBack(0x00);
}

TEST_F(SimulatedBoardTest, ProgrammingRunPassesBothChecks) {
    for (const auto& config :
         {std::array{0x00, 0x00, 0x00, 0x00, 0x00}, std::array{0xB3, 0x5A, 0xFF, 0xDF, 0x81}}) {
        ASSERT_TRUE(programEeprom(board, config));
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(board.eepromByte(0x06 + i), config[i]);
        }
    }
}

TEST(SimulatedBoardEeprom, ContentSurvivesOrdinaryWrites) {
    const SimulatedBoard::EepromImage image{0x11, 0x22, 0x33, 0x44, 0x55};
    SimulatedBoard board(image);
    openDevice(board, "SIMBOARD-1");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(readByte(board, App, 0x06 + i).value, image[i]);  // loaded at power-on
        writeByte(board, App, 0x06 + i, 0xC0 + i);
    }
    // Unlock and lock without programming (a failed first check), then 0x41 while locked.
    for (const int command : {0x62, 0x00, 0x41, 0x00}) {
        writeByte(board, App, 0x0B, command);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(board.eepromByte(0x06 + i), image[i]);
        EXPECT_EQ(board.peekByte(0x06 + i), 0xC0 + i);
    }
}

}  // namespace
