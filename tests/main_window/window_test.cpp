// The main window as a frame: start-up, its settings, the modes, shut-down, and the identifier read.
#include <algorithm>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

TEST_F(MainWindowTest, WithoutAdapterTheUsbErrorShowsOnceWhileTheScanTicksThenTheWindowOpens)
{
    control.setFreeDevices(0, "");
    driver.createProgram(log);
    form2().setObserver(&log);
    log.beforeEntry = [&, seen = std::string()]() mutable {  // settings writes logged where they happen
        const auto file = driver.readSettingsFile("QuelvarEV.ini").value_or("");
        for (std::string key : {"Write Delay", "Refresh Time"})
            if (file.find(key) != std::string::npos && seen.find(key) == std::string::npos)
                seen += key, log.entries.push_back("file:" + key);
    };
    std::vector<bool> scanTicks;  // whether the message was open at each tick
    get<forms::Timer>("tmrRegisterScan").onTimer = [&] { scanTicks.push_back(platform().messageOpen()); };
    platform().scriptReply({forms::Answer::Ok, 1000, [&] { log.add("message"); }});
    driver.startProgram(log);

    EXPECT_EQ(messages(), "USB Error. Insure USB cable is connected and Driver is working/Darnex;");
    log.entries.erase(std::unique(log.entries.begin(), log.entries.end()), log.entries.end());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"Form2.Caption", "file:Write Delay", "bus:7", "message", "tmrRegisterScan.Enabled",
                                                     "Form2.Geometry", "picTestMode.Geometry", "picTestMode.Visible", "picApplication.Geometry",
                                                     "file:Refresh Time", "Form2.Geometry", "Form2.Visible"}));
    advance(5000);
    EXPECT_EQ(scanTicks, std::vector<bool>(5, true));  // every 200 ms of the second the message was open, never after
    EXPECT_EQ(std::tuple(form2().caption(), vars().giDeviceAddress, get<forms::PictureBox>("picApplication").visible()),
              std::tuple("Quelvar Internal Evaluation Software Version 0.1.0", 0x12, true));
    for (const char* timer : {"tmrDataInput", "tmrChargerTimeOut", "tmrRegisterScan", "tmrStatus", "tmrControl"})
        EXPECT_FALSE(get<forms::Timer>(timer).enabled()) << timer;
}

TEST(MainWindowSettings, FirstStartWritesTheDefaultsAndRefreshTimeBecomesMilliseconds)
{
    // Nothing, or no period a timer can hold: the default second.
    for (const auto& [value, ms] : {std::pair<const char*, int>{nullptr, 1000}, {"2.5", 2500}, {"0.0035", 4}, {"abc", 1000}, {"40", 1000}, {"-1", 1000}}) {
        testsupport::TestDriver run;
        busctl::ScriptedControl adapter;
        if (value)
            run.writeSettingsFile("QuelvarEV.ini", std::string("[system]\nRefresh Time=") + value + "\n");
        run.startProgram(adapter);
        EXPECT_EQ(run.program().vars().giRefreshTime, ms) << (value ? value : "no file");
        EXPECT_TRUE(value || run.readSettingsFile("QuelvarEV.ini") == "[system]\nWrite Delay=0.07\nRefresh Time=1\n");
    }
}

// A running keep-alive goes on through every mode, each tick at the address of the moment.
TEST_F(MainWindowTest, ModesSetCaptionPageAndAddress)
{
    const std::string test = "Quelvar Evaluation Software (TEST MODE)";
    const std::tuple<const char*, std::string, bool, int> app{"mnuApplication", "Quelvar Evaluation Software", true, 0x12},
        testApp{"mnuApplicationTestMode", test, true, 0x52}, eeprom{"mnuTestMode", test, false, 0x52};
    start();
    user().click("chkRefreshTime");
    for (const auto& [menu, caption, application, address] : {testApp, eeprom, testApp, app}) {
        user().pick(menu);
        EXPECT_EQ(std::tuple(form2().caption(), get<forms::PictureBox>("picApplication").visible(), get<forms::PictureBox>("picTestMode").visible()),
                  std::tuple(caption, application, !application)) << menu;
        advance(1000);
        EXPECT_EQ(std::exchange(log.writes, {}), tick(platform().nowMs(), {0, 0, 0}, true, address)) << menu;
    }
}

// Exit or the close box picked while a handler pumps events in the middle of its bus work: the
// adapter is closed, nothing reaches the bus after it and no box opens.
TEST(MainWindowShutDown, ExitOrTheCloseBoxInsideAPumpingHandlerEndsAllBusTrafficAndMessages)
{
    for (bool byMenu : {true, false}) {
        testsupport::TestDriver d;
        busctl::ScriptedControl control;
        auto& form = d.startProgram(control);
        control.clearLog();
        auto& tmrStatus = form.get<forms::Timer>("tmrStatus");
        tmrStatus.onTimer = [&] {
            std::uint8_t byte = 0, ms = 0, ls = 0;
            adapter::ReadByteReg(d.program(), 0x00, byte);
            common::Delay(d.platform(), 0.07f);
            if (adapter::WriteByteReg(d.program(), 0x0B, 0x40) != 0)
                d.platform().msgBox("Write ERROR");
            if (adapter::ReadWordReg(d.program(), 0x14, ms, ls) != 0)
                d.platform().msgBox("Read ERROR");
        };
        d.platform().queueInput([&] { byMenu ? d.user(form).pick("mnuExit") : d.user(form).close(); });
        tmrStatus.setEnabled(true);
        d.platform().advance(1000);
        EXPECT_EQ(control.operations(), (std::vector<int>{busctl::op::RegisterTransfer, busctl::op::CloseAdapter})) << byMenu;
        EXPECT_TRUE(d.platform().messages().empty() && d.platform().ended() && !form.loaded()) << byMenu;
    }
}

TEST_F(MainWindowTest, IdentifierReadShowsBothWordsAsHexAndCellsOrOneReadErrorUnderTheHourglass)
{
    auto cells = [&](const std::string& which) {
        std::string seen = get("lbl" + which + "IdValue").caption() + " ";
        for (int bit = 15; bit >= 0; --bit) {
            const auto& cell = get("lbl" + which + "Id", bit);
            const bool set = cell.caption() == "         1" && cell.backColor() == 0x80FF80;
            seen += set ? 'G' : cell.caption() == "         0" && cell.backColor() == 0x8080FF ? 'R' : '?';
        }
        return seen;
    };
    using Read = busctl::ScriptedControl::WordRead;
    const std::string first = "0040 RRRRRRRRRGRRRRRR 00AB RRRRRRRRGRGRGRGG";
    start();
    control.setWord(0xFE, 0x0040);
    control.setWord(0xFF, 0x00AB);
    user().click("cmdReadId");
    EXPECT_EQ(cells("Manuf") + " " + cells("Dev"), first);
    EXPECT_EQ(control.wordReads(), (std::vector<Read>{{0xFE, 0x12}, {0xFF, 0x12}}));

    // A word failing four times is left as it was; after the manufacturer word the device word is not read.
    control.setWord(0xFE, 0xFFFF);
    control.setWord(0xFF, 0x0000);
    control.clearLog();
    control.queueStatuses(busctl::op::ReadWordCmd, {1, 1, 1, 1});
    user().click("cmdReadId");
    EXPECT_EQ(cells("Manuf") + " " + cells("Dev"), first);
    EXPECT_EQ(control.wordReads(), std::vector<Read>(4, {0xFE, 0x12}));
    platform().clearMessages();
    control.queueStatuses(busctl::op::ReadWordCmd, {0, 1, 1, 1, 1});
    platform().setMousePointer(5);
    const auto from = static_cast<std::ptrdiff_t>(platform().pointerHistory().size());
    int pointerAtMessage = -1;
    platform().scriptReply({forms::Answer::Ok, 0, [&] { pointerAtMessage = platform().mousePointer(); }});
    user().click("cmdReadId");
    EXPECT_EQ(cells("Manuf") + " " + cells("Dev"), "FFFF GGGGGGGGGGGGGGGG 00AB RRRRRRRRGRGRGRGG");
    EXPECT_EQ(std::vector(platform().pointerHistory().begin() + from, platform().pointerHistory().end()), (std::vector{forms::pointer::Hourglass, 5}));
    EXPECT_EQ(messages(), "Read ERROR/Darnex;");
    EXPECT_EQ(pointerAtMessage, int{forms::pointer::Hourglass});
}

}  // namespace
}  // namespace main_window_test
