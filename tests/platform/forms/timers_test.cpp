// Timer ticks on the virtual clock: order, restart, no re-entry, end of the program.
#include "forms_fixture.h"

namespace formstest {
namespace {

TEST_F(FormsTest, DueTimersFireInTimeOrderThenCreationOrder)
{
    timer("tmrA", 1000);
    timer("tmrB", 1500);
    timer("tmrC", 500);
    platform.advance(3000);
    EXPECT_EQ(ticks, (Ticks{{"tmrC", 500}, {"tmrA", 1000}, {"tmrC", 1000}, {"tmrB", 1500}, {"tmrC", 1500},
                            {"tmrA", 2000}, {"tmrC", 2000}, {"tmrC", 2500}, {"tmrA", 3000}, {"tmrB", 3000},
                            {"tmrC", 3000}}));
    EXPECT_EQ(platform.nowMs(), 3000);
}

TEST_F(FormsTest, IntervalZeroOrDisabledNeverTicksAndIntervalIsClamped)
{
    timer("tmrZero", 0);
    timer("tmrOff", 100).setEnabled(false);
    auto& big = timer("tmrBig", 70000);
    auto& negative = timer("tmrNegative", -5);
    EXPECT_EQ(big.interval(), 65535);
    EXPECT_EQ(negative.interval(), 0);
    platform.advance(65534);
    EXPECT_EQ(ticks, Ticks{});
    platform.advance(1);
    EXPECT_EQ(ticks, (Ticks{{"tmrBig", 65535}}));
}

TEST_F(FormsTest, ChangingIntervalOrEnabledRestartsTheCountdown)
{
    auto& t = timer("tmrRefresh", 1000);
    platform.advance(600);
    t.setInterval(800);  // next tick 600 + 800
    platform.advance(900);
    t.setInterval(800);  // the same value changes nothing
    t.setEnabled(false);
    platform.advance(5000);
    t.setEnabled(true);  // at 6500: next tick 7300
    t.setEnabled(true);
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
    // 1000 runs until 3500; its ticks at 2000 and 3000 are skipped; the next is at 4000.
    EXPECT_EQ(slowTicks, (std::vector<std::int64_t>{1000, 4000}));
    EXPECT_EQ(ticks.size(), 10u);  // the fast timer kept ticking meanwhile
}

TEST_F(FormsTest, NothingTicksAfterTheProgramEnds)
{
    auto& t = timer("tmrScan", 100);
    timer("tmrOther", 100);
    int unloads = 0;
    form.onUnload = [&](int&) { ++unloads; };
    t.onTimer = [&] {
        ticks.emplace_back("tmrScan", platform.nowMs());
        if (ticks.size() == 3)
            platform.endProgram();
    };
    platform.advance(1000);
    platform.doEvents();
    t.setInterval(50);
    platform.advance(1000);
    EXPECT_EQ(ticks, (Ticks{{"tmrScan", 100}, {"tmrOther", 100}, {"tmrScan", 200}}));
    EXPECT_TRUE(platform.ended());
    EXPECT_EQ(platform.nextTimerDue(), std::nullopt);
    EXPECT_EQ(platform.shownForms(), std::vector<Form*>{});
    EXPECT_EQ(unloads, 0);
}

TEST_F(FormsTest, ClosedFormStopsItsTimersAndShowingRestartsThem)
{
    timer("tmrStatus", 1000);
    platform.advance(1500);
    user.close();
    EXPECT_FALSE(form.loaded());
    platform.advance(5000);
    form.show();  // at 6500
    platform.advance(1000);
    EXPECT_EQ(ticks, (Ticks{{"tmrStatus", 1000}, {"tmrStatus", 7500}}));
}

}  // namespace
}  // namespace formstest
