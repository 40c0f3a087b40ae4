#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "common/helpers.h"
#include "platform/forms/form.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/timer.h"

// CenterForm and SelectAllText are seen where the windows use them.
namespace {

using namespace platform::forms;

TEST(Helpers, HexText)
{
    const std::pair<const char*, int> parsed[] = {
        {"", 0},    {"0", 0},   {"F", 15},  {"ff", 255}, {"aB", 171}, {"09", 9},  {"100", -1},
        {"fff", -1}, {"G", -1}, {"g", -1},  {" 1", -1},  {"1 ", -1},  {"-1", -1}, {"+1", -1},
        {"&h", -1}, {"/", -1},  {":", -1},  {"@", -1},   {"`", -1}};
    for (const auto& [text, value] : parsed)
        EXPECT_EQ(common::ParseHexByte(text), value) << '"' << text << '"';
    const std::pair<long, const char*> shown[] = {
        {0, "00"}, {5, "05"}, {10, "0A"}, {171, "AB"}, {255, "FF"}, {256, "100"}};
    for (const auto& [value, text] : shown)
        EXPECT_EQ(common::Hex2(value), text) << value;
}

TEST(Helpers, KeyFilters)
{
    // (hex filter, digit filter). Neighbours of each range, Enter and a blank are dropped.
    const auto filtered = [](int key) {
        const auto code = static_cast<std::int16_t>(key);
        return std::pair<int, int>(common::FilterHexKey(code), common::FilterDigitKey(code));
    };
    for (int key : {48, 57, 8})  // '0', '9', Backspace
        EXPECT_EQ(filtered(key), std::pair(key, key)) << key;
    for (int key : {'A', 'F', 'a', 'f'})
        EXPECT_EQ(filtered(key), std::pair(key, 0)) << key;
    for (int key : {13, 71, 103, 47, 58, 64, 96, 32, 45, 0})  // Enter G g / : @ ` blank - NUL
        EXPECT_EQ(filtered(key), std::pair(0, 0)) << key;
}

TEST(Helpers, DelayWaitsOnTheClockPumpingEventsAndEndsAtMidnight)
{
    HeadlessPlatform platform;
    Form form{platform, "frmTest"};
    form.show();  // timers of a form tick once it is loaded
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
    struct Case { double start; float seconds; std::int64_t elapsedMs; };
    const Case cases[] = {{86399.98, 1.0f, 20}, {43200, std::numeric_limits<float>::infinity(), 43'200'000},
                          {43200, 0.0f, 0}, {43200, -1.0f, 0}, {43200, std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const Case& c : cases) {
        platform.setTimeOfDay(c.start);
        const auto before = platform.nowMs();
        common::Delay(platform, c.seconds);
        EXPECT_NEAR(platform.nowMs() - before, c.elapsedMs, 10) << c.start << " + " << c.seconds;
    }
}

}  // namespace
