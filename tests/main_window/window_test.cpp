// The main window as a frame: start-up, its settings, the modes, shut-down, and the identifier read.
#include <algorithm>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "dialogs/frm_about.h"
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
TEST_F(MainWindowTest, ModesSetCaptionPageAndAddressAndRepeatingOneChangesNothing)
{
    const std::string test = "Quelvar Evaluation Software (TEST MODE)";
    const std::tuple<const char*, std::string, bool, int> app{"mnuApplication", "Quelvar Evaluation Software", true, 0x12},
        testApp{"mnuApplicationTestMode", test, true, 0x52}, eeprom{"mnuTestMode", test, false, 0x52};
    start();
    control.setWord(0xFE, 0x0040);
    user().click("cmdReadId");
    user().click("chkRefreshTime");
    for (const auto& [menu, caption, application, address] : {app, testApp, eeprom, testApp, app, eeprom, app}) {
        user().pick(menu);
        EXPECT_EQ(std::tuple(form2().caption(), get<forms::PictureBox>("picApplication").visible(), get<forms::PictureBox>("picTestMode").visible()),
                  std::tuple(caption, application, !application)) << menu;
        log.entries.clear();
        form2().setObserver(&log);
        user().pick(menu);
        form2().setObserver(nullptr);
        EXPECT_TRUE(log.entries.empty()) << menu;
        advance(1000);
        EXPECT_EQ(std::exchange(log.writes, {}), tick(platform().nowMs(), {0, 0, 0}, true, address)) << menu;
    }
    EXPECT_EQ(get("lblManufIdValue").caption(), "0040");
}

TEST(MainWindowShutDown, ExitAndTheCloseBoxCloseTheAdapterThenEndTheProgram)
{
    for (bool byMenu : {true, false}) {
        testsupport::TestDriver d;
        busctl::ScriptedControl adapter;
        Recorder log(adapter, d);
        log.beforeEntry = [&] { d.platform().ended() ? log.entries.push_back("ended") : void(); };
        auto& form = d.startProgram(log);
        d.user(form).pick("mnuAbout");
        auto& about = d.program().about();
        about.onUnload = [](int&) { FAIL() << "no unload handler runs at the end"; };
        byMenu ? d.user(form).pick("mnuExit") : d.user(form).close();
        EXPECT_EQ(log.entries.back(), "bus:6") << byMenu;  // the adapter closed, nothing after the end
        EXPECT_EQ(std::ranges::count(log.entries, "ended"), 0) << byMenu;
        EXPECT_TRUE(d.platform().ended() && !form.loaded() && !about.loaded()) << byMenu;
    }
}

// A handler that pumps events in the middle of its bus work, with File > Exit picked while it
// waits: nothing reaches the bus after CloseAdapter and no box opens.
TEST_F(MainWindowTest, ExitPickedInsideAPumpingHandlerEndsAllBusTrafficAndMessages)
{
    start();
    auto& tmrStatus = get<forms::Timer>("tmrStatus");
    tmrStatus.onTimer = [&] {
        std::uint8_t byte = 0, ms = 0, ls = 0;
        adapter::ReadByteReg(driver.program(), 0x00, byte);
        common::Delay(platform(), 0.07f);
        if (adapter::WriteByteReg(driver.program(), 0x0B, 0x40) != 0)
            platform().msgBox("Write ERROR");
        if (adapter::ReadWordReg(driver.program(), 0x14, ms, ls) != 0)
            platform().msgBox("Read ERROR");
    };
    platform().queueInput([&] { user().pick("mnuExit"); });
    tmrStatus.setEnabled(true);
    advance(1000);
    EXPECT_EQ(control.operations(), (std::vector<int>{busctl::op::RegisterTransfer, busctl::op::CloseAdapter}));
    EXPECT_EQ(messages(), "");
    EXPECT_TRUE(platform().ended());
}

// Each read under the hourglass, the pointer that was showing back after it; a failed read shows
// one "Read ERROR" and changes only what was read before it.
TEST_F(MainWindowTest, IdentifierReadShowsBothWordsAsHexAndCells)
{
    auto rows = [&] {
        std::string seen;
        for (const std::string which : {"Manuf", "Dev"}) {
            seen += " " + get("lbl" + which + "IdValue").caption() + " ";
            for (int bit = 15; bit >= 0; --bit) {
                const auto& cell = get("lbl" + which + "Id", bit);
                const bool set = cell.caption() == "         1" && cell.backColor() == 0x80FF80;
                seen += set ? 'G' : cell.caption() == "         0" && cell.backColor() == 0x8080FF ? 'R' : '?';
            }
        }
        return seen;
    };
    const std::string first = " 0040 RRRRRRRRRGRRRRRR 00AB RRRRRRRRGRGRGRGG";
    const std::tuple<int, int, std::vector<std::int16_t>, std::vector<int>, std::string> steps[] = {
        {0x0040, 0x00AB, {}, {0xFE, 0xFF}, first},
        {0xFFFF, 0x0000, {1, 1, 1, 1}, {0xFE, 0xFE, 0xFE, 0xFE}, first},
        {0xFFFF, 0x0000, {0, 1, 1, 1, 1}, {0xFE, 0xFF, 0xFF, 0xFF, 0xFF}, " FFFF GGGGGGGGGGGGGGGG 00AB RRRRRRRRGRGRGRGG"}};
    start();
    int pointerAtMessage = -1;
    platform().setMousePointer(5);
    for (const auto& [manufacturer, device, statuses, reads, shown] : steps) {
        control.setWord(0xFE, static_cast<std::uint16_t>(manufacturer));
        control.setWord(0xFF, static_cast<std::uint16_t>(device));
        control.queueStatuses(busctl::op::ReadWordCmd, statuses);
        control.clearLog();
        platform().clearMessages();
        const auto from = static_cast<std::ptrdiff_t>(platform().pointerHistory().size());
        platform().scriptReply({forms::Answer::Ok, 0, [&] { pointerAtMessage = platform().mousePointer(); }});
        user().click("cmdReadId");
        EXPECT_EQ(rows(), shown);
        std::vector<busctl::ScriptedControl::WordRead> atCharger;
        for (int command : reads)
            atCharger.push_back({command, 0x12});
        EXPECT_EQ(control.wordReads(), atCharger);
        EXPECT_EQ(std::vector(platform().pointerHistory().begin() + from, platform().pointerHistory().end()), (std::vector{forms::pointer::Hourglass, 5}));
        EXPECT_EQ(messages(), statuses.empty() ? "" : "Read ERROR/Darnex;");
        EXPECT_EQ(std::exchange(pointerAtMessage, -1), statuses.empty() ? -1 : int{forms::pointer::Hourglass});
    }
}

}  // namespace
}  // namespace main_window_test
