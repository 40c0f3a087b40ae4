// The headless platform: message boxes, waiting, the system timer, the tabbed control's Click,
// and the test driver's folders.
#include "forms_fixture.h"

namespace formstest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(FormsTest, MessageBoxesAreLoggedAnsweredByScriptAndTimersTickWhileOpen)
{
    std::vector<bool> openAtTick;
    timer("tmrStatus", 1000).onTimer = [&] { openAtTick.push_back(platform.messageOpen()); };
    bool openDuringAction = false;
    platform.scriptReply({Answer::Ok, 2500, [&] { openDuringAction = platform.messageOpen(); }});
    EXPECT_EQ(platform.msgBox("Read ERROR"), Answer::Ok);
    EXPECT_TRUE(openDuringAction);
    EXPECT_FALSE(platform.messageOpen());
    EXPECT_EQ(openAtTick, (std::vector<bool>{true, true}));  // at 1000 and 2000

    platform.scriptReply({Answer::Cancel});
    EXPECT_EQ(platform.msgBox("Program EEPROM?", Buttons::OkCancel, "EEPROM"), Answer::Cancel);
    platform.scriptReply({Answer::Cancel});
    EXPECT_EQ(platform.msgBox("Write ERROR"), Answer::Ok);  // an OK box has no Cancel
    EXPECT_EQ(platform.msgBox("Again?", Buttons::OkCancel), Answer::Ok);

    ASSERT_EQ(platform.messages().size(), 4u);
    const MessageRecord& first = platform.messages()[0];
    EXPECT_EQ(first.text, "Read ERROR");
    EXPECT_EQ(first.title, "Darnex");
    EXPECT_EQ(first.buttons, Buttons::Ok);
    EXPECT_EQ(first.shownAtMs, 0);
    EXPECT_EQ(platform.messages()[1].shownAtMs, 2500);
    EXPECT_EQ(platform.messages()[1].title, "EEPROM");
    EXPECT_EQ(platform.messages()[1].answer, Answer::Cancel);
    EXPECT_EQ(platform.messages()[2].answer, Answer::Ok);
}

TEST_F(FormsTest, WaitingAdvancesTheClockWithoutFiringAndNeverHangs)
{
    platform.waitForEvents(700);  // nothing scheduled: straight to the deadline
    platform.waitForEvents(100);  // a deadline in the past changes nothing
    EXPECT_EQ(platform.nowMs(), 700);

    timer("tmrScan", 200);  // due at 900
    platform.waitForEvents(5000);
    EXPECT_EQ(platform.nowMs(), 900);
    EXPECT_EQ(ticks, Ticks{});
    platform.waitForEvents(5000);  // due now: returns at once
    EXPECT_EQ(platform.nowMs(), 900);
    platform.doEvents();
    EXPECT_EQ(ticks.size(), 1u);

    bool clicked = false;
    platform.queueInput([&] { clicked = true; });
    platform.waitForEvents(5000);  // input waiting: returns at once
    EXPECT_EQ(platform.nowMs(), 900);
    platform.doEvents();
    EXPECT_TRUE(clicked);

    // Input that keeps queuing more stops the wait with one clear failure instead of a hang.
    std::vector<std::string> runaways;
    platform.onRunaway = [&](const std::string& reason) { runaways.push_back(reason); };
    std::function<void()> again = [&] { platform.queueInput(again); };
    platform.queueInput(again);
    while (platform.nowMs() < 2000) {
        platform.doEvents();
        platform.waitForEvents(2000);
    }
    EXPECT_THAT(runaways, ElementsAre(HasSubstr("10000 actions ran without the clock moving")));

    // A wait loop ends even when the program ended under it with input still queued.
    platform.queueInput([] {});
    platform.endProgram();
    const auto ticked = ticks.size();
    while (platform.nowMs() < 8000) {
        platform.doEvents();
        platform.waitForEvents(8000);
    }
    EXPECT_EQ(ticks.size(), ticked);
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

    tabs.setVisible(false);  // as the main window keeps it: the user cannot reach it
    user.selectTab("SSTab1", 0);
    EXPECT_EQ(tabs.tab(), 1);
}

TEST(TestDriver, FoldersAreSetUpAndRemoved)
{
    std::filesystem::path settings, program;
    {
        testsupport::TestDriver driver;
        settings = driver.platform().settingsFolder();
        program = driver.platform().program().folder;
        driver.writeProgramFile("QuelvarInputData.txt", "1000,4200,500\r\n");
        driver.writeSettingsFile("QuelvarEV.ini", "[system]\r\n");
        EXPECT_EQ(driver.readSettingsFile("QuelvarEV.ini"), "[system]\r\n");
        EXPECT_EQ(driver.readSettingsFile("missing.ini"), std::nullopt);
        EXPECT_TRUE(std::filesystem::exists(program / "QuelvarInputData.txt"));
        EXPECT_TRUE(std::filesystem::exists(settings / "QuelvarEV.ini"));
    }
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_FALSE(std::filesystem::exists(program));
}

}  // namespace
}  // namespace formstest
