#include <gtest/gtest.h>

#include <limits>

#include "common/helpers.h"
#include "platform/forms/form.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/timer.h"

// CenterForm and SelectAllText are seen where the windows use them.
namespace {

using namespace platform::forms;

TEST(Helpers, HexText)
{
    const std::pair<const char*, int> parsed[] = {{"", 0}, {"09", 9}, {"aB", 171}, {"100", -1}, {" 1", -1}, {"-1", -1},
                                                  {"&h", -1}, {"/", -1}, {":", -1}, {"@", -1}, {"G", -1}, {"`", -1}, {"g", -1}};
    for (const auto& [text, value] : parsed)
        EXPECT_EQ(common::ParseHexByte(text), value) << '"' << text << '"';
    EXPECT_EQ(common::Hex2(10) + common::Hex2(255) + common::Hex2(256), "0AFF100");
}

TEST(Helpers, KeyFilters)
{
    // Key, what the hex and the digit filters pass: the neighbours of each range and Enter are dropped.
    for (const auto& [key, hex, digit] : {std::tuple{'0', '0', '0'}, {'9', '9', '9'}, {'\b', '\b', '\b'}, {'A', 'A', 0}, {'f', 'f', 0},
                                          {'\r', 0, 0}, {'G', 0, 0}, {'g', 0, 0}, {'/', 0, 0}, {':', 0, 0}, {'@', 0, 0}, {'`', 0, 0}})
        EXPECT_EQ(common::FilterHexKey(key) * 1000 + common::FilterDigitKey(key), hex * 1000 + digit) << int{key};
}

TEST(Helpers, DelayWaitsOnTheClockPumpingEventsAndEndsAtMidnight)
{
    HeadlessPlatform platform;
    Form form{platform, "frmTest"};
    form.show();
    platform.setTimeOfDay(12 * 3600);
    std::vector<std::int64_t> ticks;
    auto& timer = form.add<Timer>("tmrTest");
    timer.onTimer = [&] { ticks.push_back(platform.nowMs()); };
    timer.setInterval(30);
    bool inputRan = false;
    platform.queueInput([&] { inputRan = true; });
    common::Delay(platform, 0.07f);
    EXPECT_NEAR(platform.nowMs(), 70, 5);  // the end is compared in single precision: about 4 ms at noon
    EXPECT_TRUE(inputRan);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{30, 60}));

    // However long the wait, it ends at midnight; nothing, a negative or NaN is no wait at all.
    timer.setEnabled(false);
    for (const auto& [start, seconds, elapsedMs] : {std::tuple{86399.98, 1.0f, 20}, {43200, std::numeric_limits<float>::infinity(), 43'200'000},
                                                    {43200, -1.0f, 0}, {43200, std::numeric_limits<float>::quiet_NaN(), 0}}) {
        platform.setTimeOfDay(start);
        const auto before = platform.nowMs();
        common::Delay(platform, seconds);
        EXPECT_NEAR(platform.nowMs() - before, elapsedMs, 10) << start << " + " << seconds;
    }
}

}  // namespace
