#include <gtest/gtest.h>

#include <algorithm>

#include "timed_screen.h"

namespace main_window::testing {
namespace {

using Times = std::vector<std::int64_t>;

TEST(TimedWritesLayout, ControlsHaveTheirDesignValues)
{
    TimedScreen s;
    struct Design { const char* name; int left, top, width, height, tabIndex; const char* caption; };
    for (const Design& d : {Design{"chkRefreshTime", 11100, 5160, 1335, 255, 470, "Refresh Time"},
                            Design{"txtRefreshTime", 11160, 5520, 615, 285, 469, ""},
                            Design{"Label60", 11880, 5580, 375, 255, 471, "sec"},
                            Design{"chkInputFile", 11100, 6120, 1215, 255, 482, "Input by File"}}) {
        SCOPED_TRACE(d.name);
        const auto& c = s.form.get<forms::Control>(d.name);
        EXPECT_EQ(c.container(), &s.pic);
        EXPECT_EQ((std::vector{c.left(), c.top(), c.width(), c.height(), c.tabIndex()}),
                  (std::vector{d.left, d.top, d.width, d.height, d.tabIndex}));
        EXPECT_EQ(c.caption(), d.caption);
    }
    EXPECT_EQ(s.txtRefreshTime.text(), "1");
    EXPECT_EQ(s.txtRefreshTime.maxLength(), 4);
    for (const char* box : {"chkRefreshTime", "chkInputFile"}) {
        EXPECT_EQ(s.form.get<forms::CheckBox>(box).value(), 0);
        EXPECT_EQ(s.form.get<forms::CheckBox>(box).style(), forms::CheckStyle::Standard);
    }
}

TEST(KeepAlive, RewritesAllSixteenBitsOfEachRowOnePeriodAfterTickingAndEveryPeriod)
{
    TimedScreen s;
    s.user.click("chkChargeCurrent", 0);  // outside the field: written all the same
    s.user.click("chkChargeCurrent", 7);
    s.user.click("chkChargeVoltage", 15);
    s.user.click("chkInputCurrent", 12);
    const auto screen = look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent());

    s.user.click("chkRefreshTime");
    s.advance(999);
    EXPECT_TRUE(s.control.writes.empty());
    s.advance(1001);
    EXPECT_EQ(s.takeWrites(), tick(1000, {0x0081, 0x8000, 0x1000}, true) + tick(2000, {0x0081, 0x8000, 0x1000}, true));
    EXPECT_EQ(look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent()), screen);
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
    EXPECT_TRUE(s.bus.wordReads().empty());

    s.program.vars().giDeviceAddress = 0x52;  // a mode change stops nothing
    s.advance(1000);
    EXPECT_EQ(s.takeWrites(), tick(3000, {0x0081, 0x8000, 0x1000}, true, 0x52));

    s.user.click("chkRefreshTime");
    s.advance(10000);
    EXPECT_TRUE(s.control.writes.empty());
}

struct EnterCase {
    const char* text;
    std::int16_t period;  // giRefreshTime after Enter
    Times ticks;          // the first three, Enter being pressed at 1500
};

class KeepAliveEnter : public ::testing::TestWithParam<EnterCase> {};

TEST_P(KeepAliveEnter, SetsThePeriodOrKeepsTheOldOne)
{
    SCOPED_TRACE(GetParam().text);
    TimedScreen s;
    s.user.click("chkRefreshTime");
    s.advance(1500);
    s.enter(GetParam().text);
    s.advance(70000);
    EXPECT_EQ(s.program.vars().giRefreshTime, GetParam().period);
    auto ticks = s.tickTimes();
    ticks.resize(std::min<std::size_t>(ticks.size(), 3));
    EXPECT_EQ(ticks, GetParam().ticks);
    EXPECT_TRUE(s.form.get<forms::CheckBox>("chkRefreshTime").hasFocus());
    EXPECT_TRUE(s.driver.platform().messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, KeepAliveEnter, ::testing::Values(
    EnterCase{"5", 5000, {1000, 6500, 11500}},
    EnterCase{"32", 32000, {1000, 33500, 65500}},
    EnterCase{"0", 0, {1000}},
    // No period in the text: the old one goes on, its countdown undisturbed.
    EnterCase{"", 1000, {1000, 2000, 3000}},
    EnterCase{"33", 1000, {1000, 2000, 3000}},
    EnterCase{"9999", 1000, {1000, 2000, 3000}},
    EnterCase{"abc", 1000, {1000, 2000, 3000}},
    EnterCase{"-1", 1000, {1000, 2000, 3000}}));

TEST(KeepAlive, EnterOnZeroStopsTheWritesAndFiveBringsThemBack)
{
    TimedScreen s;
    s.user.click("chkRefreshTime");
    s.advance(1000);
    s.enter("0");
    s.advance(60000);
    s.enter("5");
    s.advance(10000);
    EXPECT_EQ(s.tickTimes(), (Times{1000, 66000, 71000}));
}

TEST(KeepAlive, RunsOnTheStoredPeriodUntilEnterIsPressed)
{
    TimedScreen s;
    s.program.vars().giRefreshTime = 2000;  // as "Refresh Time" = 2 leaves it, the box showing "1"
    s.user.click("chkRefreshTime");
    s.advance(4500);
    s.user.key("txtRefreshTime", 13);
    s.advance(2000);
    EXPECT_EQ(s.tickTimes(), (Times{2000, 4000, 5500, 6500}));
}

TEST(KeepAlive, OnlyDigitsAndBackspaceReachTheBox)
{
    TimedScreen s;
    s.user.type("txtRefreshTime", "2x.-\U00010035 345");  // a code past 16 bits is no digit
    EXPECT_EQ(s.txtRefreshTime.text(), "1234");
    s.user.key("txtRefreshTime", 8);
    EXPECT_EQ(s.txtRefreshTime.text(), "123");
}

TEST(KeepAlive, FailedWritesAreSilentAndTheTicksGoOn)
{
    TimedScreen s;
    s.bus.setDefaultStatus(busctl::op::WriteWordCmd, 1);
    s.user.click("chkRefreshTime");
    s.advance(2000);
    std::vector<int> commands;
    for (const Write& w : s.control.writes)
        commands.push_back(w.command);
    std::vector<int> fourAttemptsEach;
    for (int tick = 0; tick < 2; ++tick)
        for (int command : {0x14, 0x15, 0x3F})
            fourAttemptsEach.insert(fourAttemptsEach.end(), 4, command);
    EXPECT_EQ(commands, fourAttemptsEach);
    EXPECT_TRUE(s.driver.platform().messages().empty());
}

}  // namespace
}  // namespace main_window::testing
