// Start-up: the load's steps in their order, the adapter's open, the settings it reads and writes.
#include "main_window_fixture.h"
#include "platform/profile/profile.h"

namespace main_window_test {
namespace {

using busctl::op::ListFreeDevices;
using busctl::op::OpenDevice;

constexpr const char* UsbError = "USB Error. Insure USB cable is connected and Driver is working";

class StartupTest : public MainWindowTest {
protected:
    EventLog log{control};
    int scanTicks = 0;
    int scanTicksWhileMessage = 0;

    // Builds the run on the logging control, watches the main window and the register scan.
    void createWatched()
    {
        driver.createProgram(log);
        auto& form = form2();
        form.setObserver(&log);
        auto& scan = get<forms::Timer>("tmrRegisterScan");
        scan.onTimer = [this, previous = scan.onTimer] {
            ++scanTicks;
            scanTicksWhileMessage += platform().messageOpen() ? 1 : 0;
            if (previous)
                previous();
        };
        // Settings writes show in the log where they happened.
        log.beforeEntry = [this, seen = std::vector<std::string>{}]() mutable {
            const auto file = driver.readSettingsFile("QuelvarEV.ini").value_or("");
            for (const char* key : {"Write Delay", "Refresh Time"})
                if (file.find(key) != std::string::npos && std::ranges::find(seen, key) == seen.end()) {
                    seen.push_back(key);
                    log.entries.push_back(std::string("file:") + key);
                }
        };
    }
    void startWatched()
    {
        createWatched();
        driver.startProgram(log);
    }
};

TEST_F(StartupTest, WithoutAdapterShowsTheUsbErrorOnceThenOpensOnTheApplicationScreen)
{
    control.setFreeDevices(0, "");
    struct AtMessage {
        std::string caption, iniFile, settings;
        std::int16_t address;
        bool scanEnabled;
        int pointer;
    } atMessage{};
    platform().scriptReply({forms::Answer::Ok, 1000, [&] {
                                log.add("message");
                                atMessage = {form2().caption(), vars().gsIniFile,
                                             driver.readSettingsFile("QuelvarEV.ini").value_or(""),
                                             vars().giDeviceAddress,
                                             get<forms::Timer>("tmrRegisterScan").enabled(),
                                             platform().mousePointer()};
                            }});
    startWatched();

    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, UsbError);
    EXPECT_EQ(platform().messages()[0].buttons, forms::Buttons::Ok);
    EXPECT_EQ(platform().messages()[0].title, "Darnex");

    // Steps 1-3 before the message, 5-12 after it.
    EXPECT_TRUE(inOrder(log.entries, {"Form2.Caption", "file:Write Delay", "bus:7", "message",
                                      "tmrRegisterScan.Enabled", "Form2.Geometry", "picTestMode.Geometry",
                                      "picTestMode.Visible", "picApplication.Geometry", "file:Refresh Time",
                                      "Form2.Geometry", "Form2.Visible"}));
    EXPECT_EQ(atMessage.caption, "Quelvar Internal Evaluation Software Version 0.1.0");
    EXPECT_EQ(atMessage.iniFile, "QuelvarEV.ini");
    EXPECT_NE(atMessage.settings.find("Write Delay"), std::string::npos);
    EXPECT_EQ(atMessage.settings.find("Refresh Time"), std::string::npos);
    EXPECT_EQ(atMessage.address, 0);
    EXPECT_TRUE(atMessage.scanEnabled);

    // The register scan ran while the message was open (every 200 ms of the second it took).
    EXPECT_EQ(scanTicks, 5);
    EXPECT_EQ(scanTicksWhileMessage, 5);

    // No open without an adapter, and no register read at start-up.
    EXPECT_EQ(control.operations(), std::vector<int>{ListFreeDevices});
}

TEST_F(StartupTest, LeavesTheWindowOnTheApplicationScreenWithTimersStopped)
{
    startWatched();
    auto& form = form2();
    EXPECT_TRUE(platform().messages().empty());
    EXPECT_TRUE(form.loaded());
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(form.caption(), "Quelvar Internal Evaluation Software Version 0.1.0");
    EXPECT_EQ(vars().gsIniFile, "QuelvarEV.ini");
    EXPECT_EQ(vars().giDeviceAddress, 0x12);
    EXPECT_EQ(vars().gbScanOn, common::False);
    EXPECT_EQ(vars().gbUpdatingBits, common::False);

    // 12500 x 9200, centred on the 1920 x 1080 pixel screen.
    EXPECT_EQ(form.width(), 12500);
    EXPECT_EQ(form.height(), 9200);
    EXPECT_EQ(form.left(), (1920 * 15 - 12500) / 2);
    EXPECT_EQ(form.top(), (1080 * 15 - 9200) / 2);

    auto& app = get<forms::PictureBox>("picApplication");
    auto& test = get<forms::PictureBox>("picTestMode");
    for (auto* page : {&app, &test}) {
        EXPECT_EQ(page->left(), 0);
        EXPECT_EQ(page->top(), 480);
        EXPECT_EQ(page->width(), 12495);
        EXPECT_EQ(page->height(), 8040);
    }
    EXPECT_TRUE(app.visible());
    EXPECT_FALSE(test.visible());
    // The protector tabs stay where they were designed, hidden, mostly beyond the right edge.
    auto& tabs = get<forms::Control>("SSTab1");
    EXPECT_FALSE(tabs.visible());
    EXPECT_EQ(tabs.left(), 10560);

    for (auto* timer : timers())
        EXPECT_FALSE(timer->enabled()) << timer->name();
    EXPECT_EQ(get<forms::Timer>("tmrRegisterScan").interval(), 200);
    platform().advance(5000);
    EXPECT_EQ(scanTicks, 0);

    // The adapter was opened, and nothing else went on the bus.
    EXPECT_EQ(control.operations(), (std::vector<int>{ListFreeDevices, OpenDevice}));
}

TEST_F(StartupTest, OpensTheFirstFreeAdapterOrShowsTheUsbError)
{
    struct Case {
        std::int32_t count;
        std::string names;
        std::int16_t openStatus;
        std::vector<std::string> opened;  // names passed to the open
        bool message;
    };
    const Case cases[] = {
        {0, "", 0, {}, true},
        {3, "AD-1,AD-2,AD-3", 0, {"AD-1"}, false},
        {1, "AD-9", 0, {"AD-9"}, false},
        {2, ",AD-2", 0, {""}, false},
        {1, "AD-1", 4, {"AD-1"}, true},
    };
    for (const Case& c : cases) {
        testsupport::TestDriver run;
        busctl::ScriptedControl adapter;
        adapter.setFreeDevices(c.count, c.names);
        adapter.setDefaultStatus(OpenDevice, c.openStatus);
        run.startProgram(adapter);

        std::vector<std::string> opened;
        for (const auto& call : adapter.calls())
            if (call.dispId == OpenDevice)
                opened.push_back(std::get<std::string>(call.args.at(0).value));
        EXPECT_EQ(opened, c.opened) << c.names;
        EXPECT_EQ(run.platform().messages().size(), c.message ? 1u : 0u) << c.names;
        // Start-up goes on either way.
        EXPECT_EQ(run.program().vars().giDeviceAddress, 0x12) << c.names;
        EXPECT_TRUE(run.program().form2().visible()) << c.names;
    }
}

TEST_F(StartupTest, FirstStartWritesTheSystemDefaultsInOrder)
{
    start();
    const auto file = driver.readSettingsFile("QuelvarEV.ini");
    ASSERT_TRUE(file.has_value());
    const auto writeDelay = file->find("Write Delay");
    const auto refreshTime = file->find("Refresh Time");
    ASSERT_NE(writeDelay, std::string::npos);
    ASSERT_NE(refreshTime, std::string::npos);
    EXPECT_LT(writeDelay, refreshTime);

    const auto path = driver.settingsFolder() / "QuelvarEV.ini";
    EXPECT_EQ(platform::profile::readString(path, "system", "Write Delay", "-", 60), "0.07");
    EXPECT_EQ(platform::profile::readString(path, "system", "Refresh Time", "-", 60), "1");
    EXPECT_EQ(vars().giRefreshTime, 1000);
}

TEST_F(StartupTest, RefreshTimeSecondsBecomeMillisecondsOrKeepTheDefault)
{
    struct Case {
        std::string value;
        std::int16_t ms;
    };
    const Case cases[] = {
        {"2.5", 2500},      {"0.5", 500},       {"1", 1000},         {" 3 ; seconds", 3000},
        {"0.0025", 2},      {"0.0035", 4},      {"32.767", 32767},   {"-32.768", -32768},
        // Not a number, or no 16-bit count of milliseconds: the default second.
        {"abc", 1000},      {"40", 1000},       {"32.7675", 1000},   {"2e1", 1000},
        {"1,5", 1000},      {"0x10", 1000},     {"-", 1000},         {"1.2.3", 1000},
    };
    for (const Case& c : cases) {
        testsupport::TestDriver run;
        busctl::ScriptedControl adapter;
        run.writeSettingsFile("QuelvarEV.ini", "[system]\nWrite Delay=0.5\nRefresh Time=" + c.value + "\n");
        run.startProgram(adapter);
        EXPECT_EQ(run.program().vars().giRefreshTime, c.ms) << "\"" << c.value << "\"";
        // A value that is there is never written over.
        const auto path = run.settingsFolder() / "QuelvarEV.ini";
        EXPECT_EQ(platform::profile::readString(path, "system", "Write Delay", "-", 60), "0.5");
    }
}

}  // namespace
}  // namespace main_window_test
