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
    platform.scriptReply({Answer::Ok, 2500});
    EXPECT_EQ(platform.msgBox("Read ERROR"), Answer::Ok);
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
}

TEST_F(FormsTest, DueTimersFireInTimeThenCreationOrderOnlyWithAnIntervalAndUntilTheEnd)
{
    timer("tmrA", 1000);
    timer("tmrEnd", 1500).onTimer = [&] { platform.endProgram(); };  // the tick due with it does not run
    timer("tmrC", 500);
    timer("tmrZero", 0);
    timer("tmrOff", 100).setEnabled(false);
    EXPECT_EQ(timer("tmrNegative", -5).interval(), 0);
    EXPECT_EQ(timer("tmrBig", 70000).interval(), 65535);
    platform.advance(1500);
    EXPECT_EQ(ticks, (Ticks{{"tmrC", 500}, {"tmrA", 1000}, {"tmrC", 1000}}));
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
