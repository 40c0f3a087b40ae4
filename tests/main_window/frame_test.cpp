// The main window as a frame: the menus, the three modes and shut-down.
#include "dialogs/frm_about.h"
#include "main_window_fixture.h"
#include "platform/forms/text_box.h"

namespace main_window_test {
namespace {

TEST_F(MainWindowTest, MenuBarShowsFileOptionsHelpAndKeepsI2cHidden)
{
    start();
    std::vector<std::string> bar;
    for (auto* menu : form2().menus())
        if (menu->visible())
            bar.push_back(menu->caption());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Options", "&Help"}));
    EXPECT_FALSE(get<forms::MenuItem>("mnuI2C").enabled());
    EXPECT_EQ(get<forms::MenuItem>("mnuReadWriteI2C").caption(), "&Read and Write Registers");
}

TEST_F(MainWindowTest, ApplicationScreenCarriesTheSetPointFramesAndTheirPublicReads)
{
    start();
    control.setWord(0x14, 0x1F80);
    control.setWord(0x15, 0x4B00);
    form2().ReadChargeCurrent();
    form2().ReadChargeVoltage();
    EXPECT_EQ(get<forms::TextBox>("txtChargeCurrent").text(), "8064");
    EXPECT_EQ(get<forms::TextBox>("txtChargeVoltage").text(), "19200");
    EXPECT_EQ(get<forms::Frame>("Frame19").container(), &get<forms::PictureBox>("picApplication"));
}

TEST_F(MainWindowTest, ModesSetCaptionPageAndAddress)
{
    struct Step {
        const char* menu;
        const char* caption;
        bool applicationShown;
        std::int16_t address;
    };
    const Step app{"mnuApplication", "Quelvar Evaluation Software", true, 0x12};
    const Step testApp{"mnuApplicationTestMode", "Quelvar Evaluation Software (TEST MODE)", true, 0x52};
    const Step testEeprom{"mnuTestMode", "Quelvar Evaluation Software (TEST MODE)", false, 0x52};
    for (const auto& run : std::vector<std::vector<Step>>{
             {app}, {testApp}, {testEeprom, app}, {testEeprom, testApp, testEeprom, app, app}}) {
        testsupport::TestDriver d;
        busctl::ScriptedControl adapter;
        auto& form = d.startProgram(adapter);
        for (const Step& step : run) {
            d.user(form).pick(step.menu);
            EXPECT_EQ(form.caption(), step.caption) << step.menu;
            EXPECT_EQ(form.get<forms::PictureBox>("picApplication").visible(), step.applicationShown) << step.menu;
            EXPECT_EQ(form.get<forms::PictureBox>("picTestMode").visible(), !step.applicationShown) << step.menu;
            EXPECT_EQ(d.program().vars().giDeviceAddress, step.address) << step.menu;
        }
    }
}

TEST_F(MainWindowTest, ModesLeaveTimersPagesAndTheBusAloneAndRepeatingOneChangesNothing)
{
    start();
    user().click("cmdReadId");
    auto& keepAlive = get<forms::Timer>("tmrChargerTimeOut");
    keepAlive.setInterval(1000);
    keepAlive.setEnabled(true);
    int ticks = 0;
    keepAlive.onTimer = [&] { ++ticks; };
    control.clearLog();
    EventLog log(control);

    for (const char* menu : {"mnuTestMode", "mnuApplicationTestMode", "mnuApplication"}) {
        user().pick(menu);
        form2().setObserver(&log);
        user().pick(menu);
        form2().setObserver(nullptr);
        platform().advance(1000);
    }
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(get("lblManufIdValue").caption(), "0000");
    EXPECT_TRUE(control.calls().empty());
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxCloseTheAdapterThenEndTheProgram)
{
    for (bool byMenu : {true, false}) {
        testsupport::TestDriver d;
        busctl::ScriptedControl adapter;
        EventLog log(adapter);
        log.beforeEntry = [&] {
            if (d.platform().ended())
                log.entries.push_back("ended");
        };
        auto& form = d.startProgram(log);
        d.user(form).pick("mnuAbout");
        auto& about = d.program().about();
        about.onUnload = [](int&) { FAIL() << "no unload handler runs at the end"; };

        byMenu ? d.user(form).pick("mnuExit") : d.user(form).close();

        EXPECT_EQ(log.entries.back(), "bus:6") << byMenu;  // the adapter closed before the end
        EXPECT_EQ(std::ranges::count(log.entries, "ended"), 0) << byMenu;
        EXPECT_TRUE(d.platform().ended()) << byMenu;
        EXPECT_FALSE(form.loaded() || about.loaded()) << byMenu;
    }
}

}  // namespace
}  // namespace main_window_test

namespace main_window_test {

TEST_F(MainWindowTest, KeepAliveAndInputByFileGoOnThroughModeChangesAtTheNewAddress)
{
    start();
    for (const char* box : {"chkRefreshTime", "chkInputFile"}) {
        user().pick("mnuApplication");
        user().click(box);
        platform().advance(1000);
        control.clearLog();
        platform().advance(1000);
        user().pick("mnuTestMode");
        platform().advance(1000);
        user().click(box);  // off again
        std::vector<int> addresses;
        for (const auto& write : control.wordWrites())
            addresses.push_back(write.address);
        EXPECT_EQ(addresses, (std::vector<int>{0x12, 0x12, 0x12, 0x52, 0x52, 0x52})) << box;
    }
}

}  // namespace main_window_test
