#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "common/helpers.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "support/test_driver.h"

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

class WindowHelpers : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    HeadlessPlatform& platform = driver.platform();
    Form& form = driver.start([](Platform& p) { return std::make_unique<Form>(p, "frmTest"); });
};

TEST_F(WindowHelpers, DelayWaitsOnTheClockAndPumpsEvents)
{
    platform.setTimeOfDay(12 * 3600);
    std::vector<std::int64_t> ticks;
    auto& timer = form.add<Timer>("tmrTest");
    timer.onTimer = [&] { ticks.push_back(platform.nowMs()); };
    timer.setInterval(30);
    bool inputRan = false;
    platform.queueInput([&] { inputRan = true; });

    common::Delay(platform, 0.07f);
    // The end is compared in single precision: about 4 ms at noon.
    EXPECT_NEAR(platform.nowMs(), 70, 5);
    EXPECT_TRUE(inputRan);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{30, 60}));
}

TEST_F(WindowHelpers, DelayOfNothingReturnsWithoutPumping)
{
    bool inputRan = false;
    platform.queueInput([&] { inputRan = true; });
    for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()})
        common::Delay(platform, seconds);
    EXPECT_EQ(platform.nowMs(), 0);
    EXPECT_FALSE(inputRan);
}

TEST_F(WindowHelpers, DelayEndsAtMidnight)
{
    struct Case { double start; float seconds; std::int64_t atMostMs; };
    const Case cases[] = {{86399.98, 1.0f, 30}, {12 * 3600, std::numeric_limits<float>::infinity(), 43200010}};
    for (const Case& c : cases) {
        platform.setTimeOfDay(c.start);
        const auto before = platform.nowMs();
        common::Delay(platform, c.seconds);
        EXPECT_LE(platform.nowMs() - before, c.atMostMs) << c.start << " + " << c.seconds;
        EXPECT_LT(platform.systemTimer(), 1.0) << c.start << " + " << c.seconds;
    }
}

TEST_F(WindowHelpers, CenterForm)
{
    platform.setScreenSize(28800, 16200);
    struct Case { int width, height, left, top; };
    // A form larger than the screen goes partly off its top-left corner.
    for (const Case& c : {Case{4800, 3600, 12000, 6300}, Case{30000, 20000, -600, -1900}}) {
        form.move(1, 2, c.width, c.height);
        common::CenterForm(form);
        EXPECT_EQ(std::vector({form.left(), form.top(), form.width(), form.height()}),
                  std::vector({c.left, c.top, c.width, c.height}));
    }
}

TEST_F(WindowHelpers, SelectAllText)
{
    auto& box = form.add<TextBox>("txtTest");
    box.setText("1A2B");
    box.setSelStart(1);
    common::SelectAllText(box);
    EXPECT_EQ(std::pair(box.selStart(), box.selLength()), std::pair(0, 4));
}

}  // namespace
