// "Program EEPROM" on the board: the complements, the lock sequence, both checks and the pin
// prompts; every fault shown once with the lock already closed; nothing on the bus without a
// value for every setting and an OK.
#include <gmock/gmock.h>

#include <optional>

#include "eeprom_fixture.h"

namespace protector_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* Prompt = "If PACK voltage is at least 20V then continue, if not cancel programming.";
constexpr const char* Vlog = "Set EEPROM pin to VLOG.";
constexpr const char* Gnd = "Set EEPROM pin to GND.";
constexpr const char* FirstCheck = "EEPROM data read verification failed.";
constexpr const char* SecondCheck = "EEPROM did not program correctly.";

class EepromProgrammingTest : public EepromTest {
protected:
    // The board's own EEPROM on the page.
    void startFilled()
    {
        startOnBoard();
        revealEepromPage();
        fill();
        bus().clearLog();
    }
    void program() { user().click("cmdProgramEeprom"); }
    std::optional<int> written(int reg)
    {
        for (const Transfer& t : transfers())
            if (t.direction == Write && t.reg == reg)
                return t.value;
        return std::nullopt;
    }
    bool vgoodLit() { return get("ImgGrnLEDVgood", 1).visible() && !get("ImgGrnLEDVgood", 0).visible(); }
};

TEST_F(EepromProgrammingTest, ARunWritesTheComplementsProgramsAndChecksThenAPowerCycleLoadsTheBytes)
{
    startFilled();
    get<forms::ComboBox>("cboOvThresh").userSetText("4.35");  // typed, not chosen
    user().choose("cboOvHyst", 1);
    user().choose("cboOvDetDelay", 2);
    get<forms::TextBox>("txtOcDelay").setText("");
    user().type("txtOcDelay", "400");
    user().click("chkCben");
    const auto before = platform().nowMs();
    program();

    // 0x06 0x4C, the board's 0x07 0x17 and 0x08 0x63, 0x09 0x93 with CBEN, the board's 0x0A 0x42.
    EXPECT_THAT(transfers(), ElementsAreArray(Transfers{
        {Write, 0x12, 0x06, 0xB3, 0}, {Write, 0x12, 0x07, 0xE8, 0}, {Write, 0x12, 0x08, 0x9C, 0},
        {Write, 0x12, 0x09, 0x6C, 0}, {Write, 0x12, 0x0A, 0xBD, 0}, {Write, 0x12, 0x0B, 0x62, 0},
        {Read, 0x12, 0x06, 0xB3, 0}, {Read, 0x12, 0x07, 0xE8, 0}, {Read, 0x12, 0x08, 0x9C, 0},
        {Read, 0x12, 0x09, 0x6C, 0}, {Read, 0x12, 0x0A, 0xBD, 0}, {Write, 0x12, 0x0B, 0x41, 0},
        {Read, 0x12, 0x00, 0x20, 0}, {Write, 0x12, 0x0B, 0x00, 0},
        {Read, 0x12, 0x06, 0x4C, 0}, {Read, 0x12, 0x07, 0x17, 0}, {Read, 0x12, 0x08, 0x63, 0},
        {Read, 0x12, 0x09, 0x93, 0}, {Read, 0x12, 0x0A, 0x42, 0}}));
    EXPECT_THAT(messageTexts(), ElementsAre(Prompt, Vlog, Gnd));
    EXPECT_EQ(platform().messages()[0].buttons, forms::Buttons::OkCancel);
    EXPECT_EQ(platform().messages()[0].title, "EEPROM Programming");
    EXPECT_EQ(platform().messages()[1].title, "Darnex");
    EXPECT_GE(platform().nowMs() - before, 140) << "two waits of 0.07 s";
    EXPECT_EQ(get<forms::ComboBox>("cboOvThresh").listIndex(), 4);
    EXPECT_TRUE(vgoodLit());

    board.powerCycle();
    for (auto [reg, value] : {std::pair{0x06, 0x4C}, {0x07, 0x17}, {0x08, 0x63}, {0x09, 0x93}, {0x0A, 0x42}})
        EXPECT_EQ(board.peekByte(reg), value) << reg;
}

TEST_F(EepromProgrammingTest, EachDelayTakesTheCodeOfItsSegment)
{
    struct Case {
        const char* delay;
        bool zvc, cben;
        int sent;
    };
    const Case cases[] = {{"20", false, false, 0xFF}, {"100", false, false, 0xFB}, {"320", false, false, 0xF0},
                          {"400", false, false, 0xEC}, {"1600", true, true, 0x20}};
    startFilled();
    for (const Case& c : cases) {
        get<forms::TextBox>("txtOcDelay").setText(c.delay);
        get<forms::CheckBox>("chkZvc").setValue(c.zvc);
        get<forms::CheckBox>("chkCben").setValue(c.cben);
        bus().clearLog();
        program();
        EXPECT_EQ(written(0x09), c.sent) << c.delay;
    }
}

TEST_F(EepromProgrammingTest, WithNoCellsEveryScaledDelayReadsZeroAndTheChipsCodeIsKept)
{
    start();
    revealEepromPage();
    bus().setByte(0x01, 0x80);
    bus().setByte(0x08, 0x52);
    get<forms::ComboBox>("cboCellCount").userSetText("none");
    fill();
    const auto delays = items("cboUvDelay");
    EXPECT_THAT(std::vector(delays.begin(), delays.begin() + 8), ElementsAre("0", "0", "0", "0", "0", "0", "0", "0"));
    bus().clearLog();
    program();
    EXPECT_EQ(written(0x08), 0xAD);
}

TEST_F(EepromProgrammingTest, EachFaultShowsItsOneMessageWithTheLockAlreadyClosed)
{
    struct Case {
        const char* fault;
        std::function<void(busctl::ScriptedControl&, busctl::SimulatedBoard&)> make;
        std::vector<std::string> messages;
        int firstCheckReads;
    };
    // Lasting board faults come last, once earlier cases no longer reach them.
    const Case cases[] = {
        {"failed read in the first check", [](auto& bus, auto&) { bus.failByteTransfer(Read, 0x07, 1); },
         {Prompt, FirstCheck}, 2},
        {"failed complement write", [](auto& bus, auto&) { bus.failByteTransfer(Write, 0x09, 1); },
         {Prompt, FirstCheck}, 0},
        {"failed 0x41 write", [](auto& bus, auto&) { bus.failByteTransfer(Write, 0x0B, 2); },
         {Prompt, FirstCheck}, 5},
        {"failed read in the second check", [](auto& bus, auto&) { bus.failByteTransfer(Read, 0x0A, 2); },
         {Prompt, Vlog, Gnd, SecondCheck}, 5},
        {"failed closing write", [](auto& bus, auto&) { bus.failByteTransfer(Write, 0x0B, 3); },
         {Prompt, Vlog, Gnd, SecondCheck}, 5},
        {"EEPROM bits that do not program", [](auto&, auto& board) { board.killEepromBits(0x0A, 0x40); },
         {Prompt, Vlog, Gnd, SecondCheck}, 5},
        {"mismatch at 0x08", [](auto&, auto& board) { board.ignoreWrites(0x08); }, {Prompt, FirstCheck}, 3},
    };
    startFilled();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        bus().clearLog();
        platform().clearMessages();
        c.make(bus(), board);
        std::optional<std::uint8_t> lockAtMessage;
        for (std::size_t i = 0; i < c.messages.size(); ++i)
            platform().scriptReply({forms::Answer::Ok, 0, [&] { lockAtMessage = board.peekByte(0x0B); }});
        program();
        EXPECT_EQ(messageTexts(), c.messages);
        EXPECT_EQ(lockAtMessage, 0x00);
        int reads = 0;
        bool unlocked = false;
        for (const Transfer& t : transfers()) {
            if (t.reg == 0x0B) {
                if (unlocked)
                    break;
                unlocked = t.value == 0x62;
            }
            reads += unlocked && t.direction == Read;
        }
        EXPECT_EQ(reads, c.firstCheckReads);
    }
}

TEST_F(EepromProgrammingTest, TheVgoodLampFollowsStatusAndAFailedStatusReadLeavesIt)
{
    startFilled();
    program();
    EXPECT_TRUE(vgoodLit());
    board.setVgood(false);
    program();
    EXPECT_FALSE(get("ImgGrnLEDVgood", 1).visible());
    EXPECT_TRUE(get("ImgGrnLEDVgood", 0).visible());
    board.setVgood(true);
    platform().clearMessages();
    bus().failByteTransfer(Read, 0x00, 1);
    program();
    EXPECT_FALSE(vgoodLit());
    EXPECT_THAT(messageTexts(), ElementsAre(Prompt, Vlog, Gnd));
}

TEST_F(EepromProgrammingTest, ASecondClickDuringARunDoesNothing)
{
    startFilled();
    auto clickAgain = [this] { program(); };
    platform().queueInput(clickAgain);  // handled in the first wait
    platform().scriptReply({});
    platform().scriptReply({forms::Answer::Ok, 0, clickAgain});
    program();
    EXPECT_THAT(messageTexts(), ElementsAre(Prompt, Vlog, Gnd));
    EXPECT_EQ(transfers().size(), 19u);
}

TEST_F(EepromProgrammingTest, NothingReachesTheBusWithoutAValueForEverySettingAndAnOk)
{
    constexpr const char* Refused = "Every EEPROM setting needs a valid value before programming.";
    startOnBoard();
    revealEepromPage();
    program();  // before any fill
    EXPECT_THAT(messageTexts(), ElementsAre(Refused));
    EXPECT_EQ(form2().activeControl(), &get("cboOvThresh"));

    fill();
    bus().clearLog();
    platform().clearMessages();
    get<forms::ComboBox>("cboShortCircuitDelay").userSetText("7");
    program();
    EXPECT_EQ(form2().activeControl(), &get("cboShortCircuitDelay"));
    get<forms::ComboBox>("cboShortCircuitDelay").userSetText("60");
    get<forms::TextBox>("txtOcDelay").setText("");
    user().focus("txtOcDelay");
    program();
    EXPECT_EQ(form2().activeControl(), &get("txtOcDelay"));
    EXPECT_THAT(messageTexts(), ElementsAre(Refused, "Only numeric values should be entered for Overcurrent Delay Time.", Refused));

    platform().clearMessages();
    user().type("txtOcDelay", "90");
    platform().scriptReply({forms::Answer::Cancel});
    program();
    EXPECT_THAT(messageTexts(), ElementsAre(Prompt));
    EXPECT_TRUE(transfers().empty());
}

}  // namespace
}  // namespace protector_test
