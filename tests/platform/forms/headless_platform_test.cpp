// The headless platform: timers on the virtual clock, message boxes, waiting, modal shows.
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
    EXPECT_EQ(platform.msgBox("Write ERROR"), Answer::Ok);  // an OK box has no Cancel
    EXPECT_EQ(platform.msgBox("Again?", Buttons::OkCancel, "EEPROM"), Answer::Ok);

    const MessageRecord &first = platform.messages().at(0), &last = platform.messages().at(2);
    EXPECT_EQ(std::tuple(first.text, first.title, first.buttons, first.shownAtMs),
              std::tuple("Read ERROR", "Darnex", Buttons::Ok, 0));
    EXPECT_EQ(std::tuple(last.title, last.buttons, last.shownAtMs), std::tuple("EEPROM", Buttons::OkCancel, 2500));
}

TEST_F(FormsTest, WaitingAdvancesTheClockWithoutFiringAndNeverHangs)
{
    platform.waitForEvents(700);  // nothing scheduled: straight to the deadline
    timer("tmrScan", 200);        // due at 900
    platform.waitForEvents(5000);
    EXPECT_EQ(std::pair(platform.nowMs(), ticks.size()), std::pair(std::int64_t{900}, std::size_t{0}));
    platform.queueInput([] {});
    platform.waitForEvents(5000);  // input waiting: returns at once
    EXPECT_EQ(platform.nowMs(), 900);

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
    platform.advance(1250);
    EXPECT_DOUBLE_EQ(platform.systemTimer(), 0.75);
}

TEST_F(FormsTest, DueTimersFireInTimeOrderThenCreationOrderAndOnlyWithAnInterval)
{
    auto& a = timer("tmrA", 1000);
    auto& c = timer("tmrC", 500);
    timer("tmrZero", 0);
    timer("tmrOff", 100).setEnabled(false);
    EXPECT_EQ(timer("tmrNegative", -5).interval(), 0);
    EXPECT_EQ(timer("tmrBig", 70000).interval(), 65535);
    platform.advance(1500);
    EXPECT_EQ(ticks, (Ticks{{"tmrC", 500}, {"tmrA", 1000}, {"tmrC", 1000}, {"tmrC", 1500}}));
    a.setEnabled(false);
    c.setEnabled(false);
    ticks.clear();
    platform.advance(64035);
    EXPECT_EQ(ticks, (Ticks{{"tmrBig", 65535}}));
}

TEST_F(FormsTest, ChangingIntervalOrEnabledRestartsTheCountdown)
{
    auto& t = timer("tmrRefresh", 1000);
    platform.advance(600);
    t.setInterval(800);  // next tick 600 + 800
    platform.advance(900);
    t.setEnabled(false);
    platform.advance(5000);
    t.setEnabled(true);  // at 6500: next tick 7300
    platform.advance(1000);
    EXPECT_EQ(ticks, (Ticks{{"tmrRefresh", 1400}, {"tmrRefresh", 7300}}));
}

TEST_F(FormsTest, TickNeverReentersItsRunningHandler)
{
    // The first tick waits and pumps events, as the delay helper does, for 2.5 intervals.
    auto& slow = timer("tmrSlow", 1000);
    timer("tmrFast", 400);
    int depth = 0, deepest = 0;
    std::vector<std::int64_t> slowTicks;
    slow.onTimer = [&] {
        slowTicks.push_back(platform.nowMs());
        deepest = std::max(deepest, ++depth);
        const auto until = platform.nowMs() + (slowTicks.size() == 1 ? 2500 : 0);
        while (platform.nowMs() < until) {
            platform.doEvents();
            platform.waitForEvents(until);
        }
        --depth;
    };
    platform.advance(4000);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(slowTicks, (std::vector<std::int64_t>{1000, 4000}));  // 2000 and 3000 skipped
    EXPECT_EQ(ticks.size(), 10u);  // the fast timer kept ticking meanwhile
}

TEST_F(FormsTest, AModalShowRunsQueuedInputUntilHiddenIgnoringOtherWindowsAndNeverHangs)
{
    auto& dialog = driver.create([](Platform& p) { return std::make_unique<Form>(p, "frmDialog"); });
    dialog.add<CommandButton>("cmdOK").onClick = [&] { dialog.hide(); };
    watched(form.add<CommandButton>("cmdRead"));
    timer("tmrRefresh", 1000);
    for (auto action : std::vector<std::function<void()>>{
             [&] { user.click("cmdRead"); }, [&] { platform.advance(1500); },
             [&] { driver.user(dialog).click("cmdOK"); }, [&] { log.push_back("left over"); }})
        platform.queueInput(action);
    platform.showModal(dialog);
    EXPECT_EQ(std::tuple(log, form.visible(), dialog.visible(), ticks),
              std::tuple(Log{}, true, false, Ticks{{"tmrRefresh", 1000}}));
    platform.doEvents();
    EXPECT_EQ(log, Log{"left over"});

    // Open with nothing queued: a test fault, named, never a hang.
    EXPECT_THAT([&] { platform.showModal(dialog); },
                ::testing::ThrowsMessage<std::logic_error>(::testing::HasSubstr("frmDialog")));
}

}  // namespace
}  // namespace formstest
