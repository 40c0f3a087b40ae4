// The headless platform: message boxes, waiting, the system timer, the tabbed control's Click,
// and the test driver's folders.
#include <fstream>

#include "forms_fixture.h"

namespace formstest {
namespace {

using Log = std::vector<std::string>;

TEST_F(FormsTest, MessageBoxesAreLoggedAndAnsweredByScript)
{
    HeadlessPlatform::Reply cancel;
    cancel.answer = Answer::Cancel;
    platform.advance(250);
    EXPECT_EQ(platform.msgBox("Read ERROR"), Answer::Ok);
    platform.scriptReply(cancel);
    EXPECT_EQ(platform.msgBox("Program EEPROM?", Buttons::OkCancel, "EEPROM"), Answer::Cancel);
    platform.scriptReply(cancel);
    EXPECT_EQ(platform.msgBox("Write ERROR"), Answer::Ok);  // an OK box has no Cancel
    EXPECT_EQ(platform.msgBox("Again?", Buttons::OkCancel), Answer::Ok);

    ASSERT_EQ(platform.messages().size(), 4u);
    const MessageRecord& first = platform.messages()[0];
    EXPECT_EQ(first.text, "Read ERROR");
    EXPECT_EQ(first.title, "Darnex");
    EXPECT_EQ(first.buttons, Buttons::Ok);
    EXPECT_EQ(first.shownAtMs, 250);
    EXPECT_EQ(platform.messages()[1].title, "EEPROM");
    EXPECT_EQ(platform.messages()[1].answer, Answer::Cancel);
    EXPECT_EQ(platform.messages()[2].answer, Answer::Ok);
}

TEST_F(FormsTest, TimersTickWhileAMessageBoxIsOpen)
{
    auto& tmr = form.add<Timer>("tmrStatus");
    tmr.setInterval(1000);
    std::vector<std::pair<std::int64_t, bool>> ticks;
    tmr.onTimer = [&] { ticks.emplace_back(platform.nowMs(), platform.messageOpen()); };
    bool openDuringAction = false;
    platform.scriptReply({Answer::Ok, 2500, [&] { openDuringAction = platform.messageOpen(); }});
    platform.msgBox("USB Error. Insure USB cable is connected and Driver is working");
    EXPECT_TRUE(openDuringAction);
    EXPECT_FALSE(platform.messageOpen());
    EXPECT_EQ(platform.nowMs(), 2500);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::int64_t, bool>>{{1000, true}, {2000, true}}));
}

TEST_F(FormsTest, WaitingAdvancesTheClockWithoutFiringAndNeverHangs)
{
    auto& tmr = form.add<Timer>("tmrScan");
    int ticks = 0;
    tmr.onTimer = [&] { ++ticks; };

    platform.waitForEvents(700);  // nothing scheduled: straight to the deadline
    EXPECT_EQ(platform.nowMs(), 700);
    platform.waitForEvents(100);  // a deadline in the past changes nothing
    EXPECT_EQ(platform.nowMs(), 700);

    tmr.setInterval(200);  // due at 900
    platform.waitForEvents(5000);
    EXPECT_EQ(platform.nowMs(), 900);
    EXPECT_EQ(ticks, 0);
    platform.waitForEvents(5000);  // due now: returns at once
    EXPECT_EQ(platform.nowMs(), 900);
    platform.doEvents();
    EXPECT_EQ(ticks, 1);

    bool clicked = false;
    platform.queueInput([&] { clicked = true; });
    platform.waitForEvents(5000);  // input waiting: returns at once
    EXPECT_EQ(platform.nowMs(), 900);
    platform.doEvents();
    EXPECT_TRUE(clicked);
}

TEST_F(FormsTest, SystemTimerCountsSecondsSinceMidnightAndWraps)
{
    platform.setTimeOfDay(86399.5);
    EXPECT_DOUBLE_EQ(platform.systemTimer(), 86399.5);
    platform.advance(250);
    EXPECT_DOUBLE_EQ(platform.systemTimer(), 86399.75);
    platform.advance(1000);
    EXPECT_DOUBLE_EQ(platform.systemTimer(), 0.75);
    platform.setTimeOfDay(3600);  // sets the time of day of "now"
    EXPECT_DOUBLE_EQ(platform.systemTimer(), 3600);
    EXPECT_EQ(platform.nowMs(), 1250);
}

TEST_F(FormsTest, TabControlClickCarriesThePreviousTab)
{
    auto& tabs = form.add<TabControl>("SSTab1");
    for (const char* caption : {"Control", "EEPROM", "Registers"})
        tabs.addTab(caption, &form.add<PictureBox>(std::string("pic") + caption, &tabs));
    std::vector<std::pair<int, int>> clicks;  // (previous, current)
    tabs.onTabClick = [&](int previous) { clicks.emplace_back(previous, tabs.tab()); };

    user.selectTab("SSTab1", 2);
    user.selectTab("SSTab1", 2);  // already there
    tabs.setTab(1);
    tabs.setTab(3);  // no such tab
    tabs.setTab(-1);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{0, 2}, {2, 1}}));
    EXPECT_EQ(tabs.tabCaption(1), "EEPROM");
    EXPECT_EQ(tabs.tabCaption(5), "");
    EXPECT_EQ(tabs.tabPanel(2), form.find("picRegisters"));

    tabs.setVisible(false);  // as the main window keeps it: the user cannot reach it
    user.selectTab("SSTab1", 0);
    EXPECT_EQ(tabs.tab(), 1);
}

TEST_F(FormsTest, PointerHistoryBeepsAndShownForms)
{
    platform.setMousePointer(pointer::Hourglass);
    platform.setMousePointer(pointer::Hourglass);
    platform.setMousePointer(pointer::Default);
    EXPECT_EQ(platform.pointerHistory(), (std::vector<int>{11, 11, 0}));
    EXPECT_EQ(platform.mousePointer(), pointer::Default);

    auto& about = driver.start([](Platform& p) { return std::make_unique<Form>(p, "frmAbout"); });
    EXPECT_EQ(platform.shownForms(), (std::vector<Form*>{&form, &about}));
    form.show();  // to the front
    EXPECT_EQ(platform.shownForms(), (std::vector<Form*>{&about, &form}));
    about.hide();
    EXPECT_EQ(platform.shownForms(), std::vector<Form*>{&form});
}

TEST(TestDriver, FoldersAreSetUpAndRemoved)
{
    std::filesystem::path settings, program;
    {
        testsupport::TestDriver driver;
        settings = driver.settingsFolder();
        program = driver.programFolder();
        EXPECT_EQ(driver.platform().settingsFolder(), settings);
        EXPECT_EQ(driver.platform().program().folder, program);
        EXPECT_EQ(driver.platform().program().title, "Darnex");
        driver.writeProgramFile("QuelvarInputData.txt", "1000,4200,500\r\n");
        driver.writeSettingsFile("QuelvarEV.ini", "[system]\r\nRefresh Time=1\r\n");
        EXPECT_EQ(driver.readSettingsFile("QuelvarEV.ini"), "[system]\r\nRefresh Time=1\r\n");
        EXPECT_EQ(driver.readSettingsFile("missing.ini"), std::nullopt);
        EXPECT_TRUE(std::filesystem::exists(program / "QuelvarInputData.txt"));
    }
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_FALSE(std::filesystem::exists(program));
}

TEST(TestDriver, StartsWindowsThatHoldTheirForm)
{
    // Windows may own a form rather than be one.
    struct Window {
        explicit Window(Platform& p) : f(p, "frmRegisters") { f.add<CommandButton>("cmdRead"); }
        Form& form() { return f; }
        Form f;
    };
    testsupport::TestDriver driver;
    int clicks = 0;
    auto& window = driver.start([](Platform& p) { return std::make_unique<Window>(p); });
    window.f.get<CommandButton>("cmdRead").onClick = [&] { ++clicks; };
    driver.user(window).click("cmdRead");
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(window.f.visible());
}

}  // namespace
}  // namespace formstest
