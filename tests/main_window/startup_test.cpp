// Start-up: the load's steps in their order, the adapter's open, the settings it reads and writes.
#include "main_window_fixture.h"
#include "platform/profile/profile.h"

namespace main_window_test {
namespace {

using busctl::op::ListFreeDevices;
using busctl::op::OpenDevice;

TEST_F(MainWindowTest, WithoutAdapterTheUsbErrorShowsOnceWhileTheScanTicksThenTheWindowOpens)
{
    control.setFreeDevices(0, "");
    EventLog log(control);
    driver.createProgram(log);
    form2().setObserver(&log);
    // Settings writes appear in the log where they happened.
    log.beforeEntry = [&, seen = std::string()]() mutable {
        const auto file = driver.readSettingsFile("QuelvarEV.ini").value_or("");
        for (std::string key : {"Write Delay", "Refresh Time"})
            if (file.find(key) != std::string::npos && seen.find(key) == std::string::npos) {
                seen += key;
                log.entries.push_back("file:" + key);
            }
    };
    std::vector<bool> scanTicks;  // whether the message was open at each tick
    get<forms::Timer>("tmrRegisterScan").onTimer = [&] { scanTicks.push_back(platform().messageOpen()); };
    platform().scriptReply({forms::Answer::Ok, 1000, [&] { log.add("message"); }});

    driver.startProgram(log);

    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, "USB Error. Insure USB cable is connected and Driver is working");
    EXPECT_EQ(platform().messages()[0].buttons, forms::Buttons::Ok);
    EXPECT_EQ(platform().messages()[0].title, "Darnex");
    EXPECT_TRUE(inOrder(log.entries, {"Form2.Caption", "file:Write Delay", "bus:7", "message",
                                      "tmrRegisterScan.Enabled", "Form2.Geometry", "picTestMode.Geometry",
                                      "picTestMode.Visible", "picApplication.Geometry", "file:Refresh Time",
                                      "Form2.Geometry", "Form2.Visible"}));
    // Every 200 ms of the second the message was open, and never after.
    EXPECT_EQ(scanTicks, std::vector<bool>(5, true));
    platform().advance(5000);
    EXPECT_EQ(scanTicks.size(), 5u);
    EXPECT_EQ(control.operations(), std::vector<int>{ListFreeDevices});  // no open, no register read
    EXPECT_TRUE(form2().visible());
    EXPECT_TRUE(get<forms::PictureBox>("picApplication").visible());
}

TEST_F(MainWindowTest, StartupLeavesTheApplicationScreenAddressedAndTimersStopped)
{
    start();
    auto& form = form2();
    EXPECT_TRUE(platform().messages().empty());
    EXPECT_EQ(form.caption(), "Quelvar Internal Evaluation Software Version 0.1.0");
    EXPECT_EQ(vars().gsIniFile, "QuelvarEV.ini");
    EXPECT_EQ(vars().giDeviceAddress, 0x12);
    // 12500 x 9200, centred on the 1920 x 1080 pixel screen.
    EXPECT_EQ(std::vector({form.left(), form.top(), form.width(), form.height()}),
              std::vector({(28800 - 12500) / 2, (16200 - 9200) / 2, 12500, 9200}));
    for (const char* page : {"picApplication", "picTestMode"}) {
        auto& p = get<forms::PictureBox>(page);
        EXPECT_EQ(std::vector({p.left(), p.top(), p.width(), p.height()}), std::vector({0, 480, 12495, 8040}));
    }
    EXPECT_TRUE(get<forms::PictureBox>("picApplication").visible());
    EXPECT_FALSE(get<forms::PictureBox>("picTestMode").visible());
    for (const char* timer : {"tmrDataInput", "tmrChargerTimeOut", "tmrRegisterScan", "tmrStatus", "tmrControl"})
        EXPECT_FALSE(get<forms::Timer>(timer).enabled()) << timer;
    EXPECT_EQ(control.operations(), (std::vector<int>{ListFreeDevices, OpenDevice}));
}

TEST_F(MainWindowTest, FirstStartWritesTheSystemDefaultsInOrder)
{
    start();
    const auto file = driver.readSettingsFile("QuelvarEV.ini").value_or("");
    EXPECT_LT(file.find("Write Delay"), file.find("Refresh Time"));
    EXPECT_NE(file.find("Refresh Time"), std::string::npos);
    const auto path = driver.settingsFolder() / "QuelvarEV.ini";
    EXPECT_EQ(platform::profile::readString(path, "system", "Write Delay", "-", 60), "0.07");
    EXPECT_EQ(platform::profile::readString(path, "system", "Refresh Time", "-", 60), "1");
    EXPECT_EQ(vars().giRefreshTime, 1000);
}

TEST_F(MainWindowTest, RefreshTimeSecondsBecomeMillisecondsOrKeepTheDefault)
{
    const std::pair<const char*, std::int16_t> cases[] = {
        {"2.5", 2500}, {"0.5", 500}, {" 3 ; seconds", 3000}, {"0.0025", 2}, {"0.0035", 4},
        {"32.767", 32767},
        // Not a number, or no period a timer can hold: the default second.
        {"abc", 1000}, {"40", 1000}, {"-1", 1000}, {"32.7675", 1000}, {"1,5", 1000}, {"1.2.3", 1000},
    };
    for (const auto& [value, ms] : cases) {
        testsupport::TestDriver run;
        busctl::ScriptedControl adapter;
        run.writeSettingsFile("QuelvarEV.ini", std::string("[system]\nWrite Delay=0.5\nRefresh Time=") + value + "\n");
        run.startProgram(adapter);
        EXPECT_EQ(run.program().vars().giRefreshTime, ms) << "\"" << value << "\"";
    }
}

}  // namespace
}  // namespace main_window_test
