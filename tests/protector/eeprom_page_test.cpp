// The EEPROM page and "Program EEPROM": the fill, FS, the cell count and the delay box; the run on the
// board, each fault shown once with the lock already closed, no traffic without a value for every
// setting and an OK.
#include <cstdio>
#include <random>
#include <regex>

#include "adapter/bus.h"
#include "platform/busctl/dispatch.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

using ::testing::ElementsAre;
using Texts = std::vector<std::string>;

constexpr const char* Prompt = "If PACK voltage is at least 20V then continue, if not cancel programming.";
constexpr const char* Vlog = "Set EEPROM pin to VLOG.";
constexpr const char* Gnd = "Set EEPROM pin to GND.";
constexpr const char* FirstCheck = "EEPROM data read verification failed.";
constexpr const char* SecondCheck = "EEPROM did not program correctly.";
constexpr const char* NotNumeric = "Only numeric values should be entered for Overcurrent Delay Time.";
constexpr const char* Refused = "Every EEPROM setting needs a valid value before programming.";
constexpr const char* Unlocked = "\nEEPROM_CNTRL could not be reset to 0x00; the EEPROM may still be unlocked.";

class EepromTest : public ProtectorTest {
protected:
    // picEeprom in sight without the fill a change of tab runs; the test fills when it wants.
    void reveal(bool onBoard)
    {
        start(onBoard ? &boardControl : nullptr);
        auto change = std::exchange(tabs().onTabClick, nullptr);
        tabs().setTab(1);
        tabs().onTabClick = std::move(change);
    }
    void fill() { form2().InitializeEepromPage(); }
    void program() { user().click("cmdProgramEeprom"); }
    forms::ComboBox& list(const char* name) { return get<forms::ComboBox>(name); }
    forms::TextBox& delay() { return get<forms::TextBox>("txtOcDelay"); }
    bool ticked(const char* name) { return get<forms::CheckBox>(name).value() == 1; }
    // Through the program, so that the control double and the board alike hold the byte.
    void poke(std::uint8_t reg, std::uint8_t value) { adapter::WriteByteReg(driver.program(), reg, value); }
    std::uint8_t peek(std::uint8_t reg)
    {
        std::uint8_t value = 0;
        adapter::ReadByteReg(driver.program(), reg, value);
        return value;
    }
    Texts messages()  // since the last look, which clears them
    {
        Texts texts;
        for (const auto& m : platform().messages())
            texts.push_back(m.text);
        platform().clearMessages();
        return texts;
    }
};

TEST_F(EepromTest, AFillShowsTheChipsFieldsAfterSixReadsAndWritesNothingWhileFsAgrees)
{
    reveal(false);
    bus().setByte(0x06, 0x4C);
    for (auto [ocdelay, shown] : {std::pair{0x10, "100"}, {0x13, "400"}, {0xDF, "1600"}}) {
        bus().setByte(0x09, static_cast<std::uint8_t>(ocdelay));
        fill();
        EXPECT_EQ(std::regex_replace(trace(), std::regex("=.."), "") + " " + delay().text(), "R06 R07 R01 R08 R09 R0A " + std::string(shown));
    }
    EXPECT_THAT((Texts{list("cboOvThresh").text(), list("cboOvHyst").text(), list("cboOvDetDelay").text()}),
                ElementsAre("4.35", "200", "1000"));
    EXPECT_TRUE(ticked("chkZvc") && ticked("chkCben"));
}

TEST_F(EepromTest, FsFromTheChipIsWrittenBackOnceAndTheUvDelaysFollowTheCellCountByCode)
{
    reveal(false);
    bus().setByte(0x01, 0x85);
    bus().setByte(0x08, 0x40);
    fill();
    EXPECT_TRUE(ticked("chkFsBit"));
    EXPECT_EQ(trace(), "R06=00 R07=00 R01=85 R01=85 W01=85 R01=85 R08=40 R08=40 R09=00 R0A=00");
    std::string items;
    for (int i = 0; i < list("cboUvDelay").listCount(); ++i)
        items += list("cboUvDelay").list(i) + " ";
    EXPECT_EQ(items, "0 2.5 5 10 12.5 15 20 30 1000- 2000- 3000- 4000- 5000- 6000- 7000- 8000- ");
    user().choose("cboCellCount", 0);
    EXPECT_EQ(list("cboUvDelay").text(), "6.25");
    for (auto [typed, item7] : {std::pair{"300", "765"}, {"7.6", "24"}, {"6.5", "18"}}) {  // 255 cells; half to even
        list("cboCellCount").userSetText(typed);
        fill();
        EXPECT_EQ(list("cboUvDelay").list(7), item7) << typed;
    }

    // Unticking clears FS alone and shows the chip's code; after a failed read nothing is written.
    trace();
    user().click("chkFsBit");
    EXPECT_EQ(list("cboUvDelay").text(), "5000");
    bus().failByteTransfer(Read, 0x01, 1);
    user().click("chkFsBit");
    EXPECT_EQ(trace(), "R01=85 W01=05 R01=05 R08=40 R01=00! R01=05 R08=40");
}

// The control double (false) and the simulated board (true).
class EepromOnBus : public EepromTest, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(ControlAndBoard, EepromOnBus, ::testing::Bool());

TEST_P(EepromOnBus, AFillWhoseFsReadFailsWritesNothingBackWhileTheUsersClicksStillWrite)
{
    reveal(GetParam());
    for (auto [reg, value] : {std::pair{0x01, 0x85}, {0x06, 0x00}, {0x07, 0x00}, {0x08, 0x40}, {0x09, 0x00}, {0x0A, 0x00}})
        poke(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value));
    fill();
    trace();
    bus().failByteTransfer(Read, 0x01, 1);
    fill();
    EXPECT_EQ(trace(), "R06=00 R07=00 R01=00! R01=85 R01=85 R08=40 R08=40 R09=00 R0A=00");
    EXPECT_EQ(std::pair(ticked("chkFsBit"), peek(0x01)), std::pair(false, std::uint8_t{0x85}));
    trace();
    user().click("chkFsBit");
    user().click("chkFsBit");
    EXPECT_EQ(trace(), "R01=85 W01=85 R01=85 R08=40 R01=85 W01=05 R01=05 R08=40");
}

TEST_F(EepromTest, TheDelayBoxKeepsTheNearestDelayWithACodeAndRefusesWhatIsNoNumber)
{
    reveal(false);
    // nullptr: refused, the text stays, selected, with the focus back in the box.
    for (auto [typed, left] : {std::pair<const char*, const char*>{"5", "20"}, {"30", "40"}, {"50", "40"}, {"350", "320"},
                               {"360", "400"}, {"450", "400"}, {"1650", "1600"}, {"abc", nullptr}, {"", nullptr}}) {
        delay().setText("");
        user().type("txtOcDelay", typed);
        user().focus("cboOvThresh");
        EXPECT_EQ(delay().text(), left ? left : typed);
        EXPECT_EQ(messages(), left ? Texts{} : Texts{NotNumeric}) << typed;
        EXPECT_EQ(form2().activeControl() == &delay() && delay().selLength() == static_cast<int>(delay().text().size()), !left);
    }
    EXPECT_TRUE(transfers().empty());
}

TEST_F(EepromTest, ARunProgramsTheComplementsChecksTwiceAndAPowerCycleLoadsTheBytes)
{
    reveal(true);
    fill();  // the board's 0x2A 0x17 0x63 0x04 0x42
    list("cboOvThresh").userSetText("4.35");  // typed, not chosen
    user().choose("cboOvHyst", 1);
    user().choose("cboOvDetDelay", 2);
    delay().setText("");
    user().type("txtOcDelay", "400");
    user().click("chkCben");
    bus().clearLog();
    const auto before = platform().nowMs();
    program();
    EXPECT_EQ(trace(), "W06=B3 W07=E8 W08=9C W09=6C W0A=BD W0B=62 R06=B3 R07=E8 R08=9C R09=6C R0A=BD W0B=41 "
                       "R00=20 W0B=00 R06=4C R07=17 R08=63 R09=93 R0A=42");
    EXPECT_EQ(std::pair(platform().messages()[0].title, platform().messages()[0].buttons), std::pair(std::string("EEPROM Programming"), forms::Buttons::OkCancel));
    EXPECT_THAT(messages(), ElementsAre(Prompt, Vlog, Gnd));
    EXPECT_GE(platform().nowMs() - before, 140) << "two waits of 0.07 s";
    EXPECT_EQ(list("cboOvThresh").listIndex(), 4);
    EXPECT_TRUE(get("ImgGrnLEDVgood", 1).visible() && !get("ImgGrnLEDVgood", 0).visible());
    board.powerCycle();
    EXPECT_EQ(board.peekByte(0x09), 0x93);

    for (auto [ms, sent] : {std::pair{"20", "W09=7F"}, {"320", "W09=70"}, {"1600", "W09=60"}}) {  // codes 0, 15, 31, CBEN
        delay().setText(ms);
        program();
        EXPECT_EQ(std::pair(trace().substr(21, 6), messages().size()), std::pair(std::string(sent), std::size_t{3})) << ms;
    }
    // A second click while the run waits or asks does nothing; nor does a failed STATUS read
    // change the lamp, which VGOOD clear puts out.
    board.setVgood(false);
    platform().queueInput([this] { program(); });
    platform().scriptReply({});
    platform().scriptReply({forms::Answer::Ok, 0, [this] { program(); }});
    bus().clearLog();
    program();
    EXPECT_EQ(transfers().size(), 19u);
    EXPECT_THAT(messages(), ElementsAre(Prompt, Vlog, Gnd));
    bus().failByteTransfer(Read, 0x00, 1);
    board.setVgood(true);
    program();
    EXPECT_TRUE(!get("ImgGrnLEDVgood", 1).visible() && get("ImgGrnLEDVgood", 0).visible());
}

TEST_F(EepromTest, EachFaultShowsItsOneMessageWithTheLockAlreadyClosed)
{
    using Make = std::function<void(busctl::ScriptedControl&, busctl::SimulatedBoard&)>;
    // Lasting board faults come last, where the cases before them no longer reach them.
    const std::tuple<const char*, Make, Texts, std::size_t> cases[] = {
        {"failed read in the first check", [](auto& bus, auto&) { bus.failByteTransfer(Read, 0x07, 1); }, {Prompt, FirstCheck}, 9},
        {"failed complement write", [](auto& bus, auto&) { bus.failByteTransfer(Write, 0x09, 1); }, {Prompt, FirstCheck}, 5},
        {"failed 0x41 write", [](auto& bus, auto&) { bus.failByteTransfer(Write, 0x0B, 2); }, {Prompt, FirstCheck}, 13},
        {"EEPROM bits that do not program", [](auto&, auto& board) { board.killEepromBits(0x0A, 0x40); }, {Prompt, Vlog, Gnd, SecondCheck}, 19},
        {"mismatch at 0x08", [](auto&, auto& board) { board.ignoreWrites(0x08); }, {Prompt, FirstCheck}, 10},
    };
    reveal(true);
    fill();
    for (const auto& [fault, make, shown, count] : cases) {
        SCOPED_TRACE(fault);
        bus().clearLog();
        make(bus(), board);
        std::optional<std::uint8_t> lockAtMessage;
        for (std::size_t i = 0; i < shown.size(); ++i)
            platform().scriptReply({forms::Answer::Ok, 0, [&] { lockAtMessage = board.peekByte(0x0B); }});
        program();
        EXPECT_EQ(messages(), shown);
        EXPECT_EQ(lockAtMessage, 0x00);
        EXPECT_EQ(transfers().size(), count) << "the run stops where it fails";
    }
}

TEST_P(EepromOnBus, TheClosingLockIsTriedUpToFourTimesOnEveryPathAndOnlyTheLastFailureIsTold)
{
    // A fault that ends the run, the EEPROM_CNTRL writes before its closing 0x00, and what the
    // run shows; the closing write after the pin has no fault of its own (0: none).
    struct Path { const char* what; busctl::ScriptedControl::Direction direction; int reg; int before; Texts shown; };
    const Path paths[] = {
        {"failed complement write", Write, 0x09, 0, {Prompt, FirstCheck}},
        {"failed 0x62 write", Write, 0x0B, 1, {Prompt, FirstCheck}},
        {"failed read in the first check", Read, 0x07, 1, {Prompt, FirstCheck}},
        {"failed 0x41 write", Write, 0x0B, 2, {Prompt, FirstCheck}},
        {"closing write after the pin", Write, 0, 2, {Prompt, Vlog, Gnd}},
    };
    reveal(GetParam());
    fill();
    for (const Path& path : paths) {
        for (int lockFailures : {0, 3, 4}) {
            SCOPED_TRACE(std::string(path.what) + ", closing 0x00 failing " + std::to_string(lockFailures) + " times");
            poke(0x0B, 0x00);
            if (path.reg)
                bus().failByteTransfer(path.direction, path.reg, path.reg == 0x0B ? path.before : 1);
            // Failures aimed at one register fire in turn, so one nth for all makes them consecutive.
            for (int n = 1; n <= lockFailures; ++n)
                bus().failByteTransfer(Write, 0x0B, path.reg == 0x0B ? path.before : path.before + 1);
            bus().clearLog();
            program();
            Texts shown = path.shown;
            if (!path.reg && (lockFailures == 4 || !GetParam()))  // the double gives back the complements
                shown.push_back(SecondCheck);
            if (lockFailures == 4)
                shown.back() += Unlocked;
            EXPECT_EQ(messages(), shown);
            std::string locks;
            for (const Transfer& t : transfers())
                if (t.direction == Write && t.reg == 0x0B && t.value == 0x00)
                    locks += t.status ? '!' : '0';
            EXPECT_EQ(locks, std::string(lockFailures, '!') + (lockFailures < 4 ? "0" : ""));
            if (lockFailures < 4) {
                EXPECT_EQ(peek(0x0B), 0x00);
            }
        }
    }
}

// Every transfer fails at random: each run ends with EEPROM_CNTRL at 0x00 or says that it may
// not be, shows at most one failure, and is silent only when the EEPROM holds what the page showed.
TEST_F(EepromTest, RunsWithRandomlyFailingTransfersEndLockedOrSaySoWithOneMessage)
{
    constexpr int Runs = 2000;
    reveal(true);
    fill();
    constexpr std::size_t MostTransfers = 40;  // a run makes 22 at most
    std::mt19937 random(2024);
    // From runs that mostly succeed to runs whose closing writes fail four times over.
    constexpr double Rates[] = {0.02, 0.1, 0.3, 0.6};
    std::uniform_int_distribution<std::size_t> rates(0, std::size(Rates) - 1);
    int silent = 0, firstCheck = 0, secondCheck = 0, told = 0;
    for (int run = 0; run < Runs; ++run) {
        SCOPED_TRACE(run);
        std::bernoulli_distribution fails(Rates[rates(random)]);
        std::vector<std::int16_t> statuses(MostTransfers);
        for (auto& status : statuses)
            status = fails(random) ? busctl::board_status::Nack : busctl::board_status::Ok;
        bus().queueStatuses(busctl::op::RegisterTransfer, statuses);
        bus().clearLog();
        // A new configuration each run, so that a silent run must have programmed this one.
        list("cboOvThresh").setListIndex(run % 8);
        list("cboShortCircuitThresh").setListIndex(run % 16);
        const auto started = platform().nowMs();
        program();
        ASSERT_LT(platform().nowMs() - started, 1000) << "a run that waits beyond its two waits";
        const Texts shown = messages();
        ASSERT_GE(shown.size(), 1u);
        const std::string& last = shown.back();
        const bool first = last.starts_with(FirstCheck), second = last.starts_with(SecondCheck);
        const bool warned = last.ends_with(Unlocked);
        ASSERT_EQ(std::count_if(shown.begin(), shown.end(), [](const std::string& text) {
                      return text.starts_with(FirstCheck) || text.starts_with(SecondCheck);
                  }), first || second ? 1 : 0);
        ASSERT_TRUE(board.peekByte(0x0B) == 0x00 || warned) << "left unlocked without a word";
        if (!first && !second) {
            // The board's own bytes as filled, with the two lists of this run.
            const int configuration[] = {0x28 | run % 8, 0x17, 0x63, 0x04, 0x40 | run % 16};
            for (int reg = 0x06; reg <= 0x0A; ++reg)
                ASSERT_EQ(board.eepromByte(reg), configuration[reg - 0x06]) << "a silent run that did not program";
        }
        // Use up what the run left queued, so that the next run fails at its own rate.
        for (std::size_t left = MostTransfers - transfers().size(); left > 0; --left)
            peek(0x00);
        board.powerCycle();
        silent += !first && !second;
        firstCheck += first;
        secondCheck += second;
        told += warned;
    }
    std::printf("%d runs: %d silent, %d \"%s\", %d \"%s\", %d told EEPROM_CNTRL may be unlocked\n", Runs, silent,
                firstCheck, FirstCheck, secondCheck, SecondCheck, told);
    EXPECT_GT(told, 0) << "the seed no longer reaches four failing closing writes";
}

TEST_F(EepromTest, NothingReachesTheBusWithoutAValueForEverySettingAndAnOk)
{
    reveal(false);
    program();  // before any fill
    EXPECT_EQ(form2().activeControl(), &list("cboOvThresh"));
    bus().setByte(0x01, 0x80);
    bus().setByte(0x08, 0x52);
    list("cboCellCount").userSetText("0");  // every scaled UV delay reads "0"
    fill();
    delay().setText("");
    user().focus("txtOcDelay");
    program();
    EXPECT_EQ(form2().activeControl(), &delay());
    EXPECT_THAT(messages(), ElementsAre(Refused, NotNumeric, Refused));
    user().type("txtOcDelay", "90");
    platform().scriptReply({forms::Answer::Cancel});
    trace();
    program();
    EXPECT_EQ(std::pair(messages(), trace()), std::pair(Texts{Prompt}, std::string()));
    program();
    EXPECT_EQ(trace().substr(14, 6), "W08=AD") << "the chip's UV delay code 5";
}

}  // namespace
}  // namespace protector_test
