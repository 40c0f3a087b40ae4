#include <gtest/gtest.h>

#include <optional>

#include "timed_screen.h"

namespace main_window::testing {
namespace {

using Times = std::vector<std::int64_t>;

struct FileCase {
    const char* file;
    std::vector<std::string> texts;
    std::vector<bool> labels;
    std::vector<std::uint16_t> words;
};

class InputFileTick : public ::testing::TestWithParam<FileCase> {};

TEST_P(InputFileTick, FitsShowsAndWritesTheThreeSetpoints)
{
    const FileCase& c = GetParam();
    SCOPED_TRACE(c.file);
    TimedScreen s;
    s.inputFile(c.file);
    s.user.click("chkInputFile");
    s.advance(20);  // the design Interval
    EXPECT_EQ(s.takeWrites(), tick(20, c.words, false));
    std::size_t i = 0;
    for (SetpointRow* row : {&s.frames.chargeCurrent(), &s.frames.chargeVoltage(), &s.frames.inputCurrent()}) {
        SCOPED_TRACE(look(*row));
        EXPECT_EQ(row->valueBox->text(), c.texts[i]);
        EXPECT_EQ(row->overLimitLabel->visible(), c.labels[i]);
        for (int bit = row->field.bottomBit; bit <= row->field.topBit; ++bit) {
            const auto& box = *row->bits[static_cast<std::size_t>(bit)];
            EXPECT_EQ(box.caption(), box.value() == 1 ? "1" : "0");
            EXPECT_EQ(box.backColor(), box.value() == 1 ? SetBitColor : ClearBitColor);
        }
        ++i;
    }
    EXPECT_EQ(s.program.vars().gbUpdatingBits, common::False);
}

INSTANTIATE_TEST_SUITE_P(Files, InputFileTick, ::testing::Values(
    FileCase{"10000, 20000, 300", {"8064", "20000", "256"}, {true, false, false}, {0x1F80, 20000, 0x0080}},
    FileCase{"200\n15\n255\n", {"128", "0", "0"}, {false, false, false}, {0x0080, 0, 0}},
    FileCase{"-5,-5,-5", {"0", "0", "0"}, {false, false, false}, {0, 0, 0}},
    FileCase{"8064,32752,16128", {"8064", "32752", "16128"}, {false, false, false}, {0x1F80, 0x7FF0, 0x1F80}},
    FileCase{"32767,32767,32767", {"8064", "32752", "16128"}, {true, true, true}, {0x1F80, 0x7FF0, 0x1F80}}));

struct ErrorCase {
    const char* good;
    std::optional<std::string> bad;  // nothing: the file is deleted
    std::vector<std::uint16_t> words;
};

class InputFileError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(InputFileError, WritesTheLastGoodValuesCutToTheirStepsAndLeavesTheScreen)
{
    const ErrorCase& c = GetParam();
    SCOPED_TRACE(c.bad.value_or("deleted"));
    TimedScreen s;
    s.inputFile(c.good);
    s.user.click("chkInputFile");
    s.advance(20);
    const auto screen = look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent());
    const auto stored = s.program.vars();
    c.bad ? s.inputFile(*c.bad) : s.removeInputFile();
    s.takeWrites();
    s.advance(2000);
    EXPECT_EQ(s.takeWrites(), tick(1020, c.words, false) + tick(2020, c.words, false));
    EXPECT_EQ(look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent()), screen);
    EXPECT_EQ(s.program.vars().giInputFileChargeCurrent, stored.giInputFileChargeCurrent);
    EXPECT_EQ(s.program.vars().giInputFileChargeVoltage, stored.giInputFileChargeVoltage);
    EXPECT_EQ(s.program.vars().giInputFileInputCurrent, stored.giInputFileInputCurrent);
    EXPECT_TRUE(s.driver.platform().messages().empty());
}

const std::vector<std::uint16_t> LastGood{0x0180, 16800, 4096};

INSTANTIATE_TEST_SUITE_P(Files, InputFileError, ::testing::Values(
    ErrorCase{"384,16800,4096", std::nullopt, LastGood},
    ErrorCase{"384,16800,4096", "33000,16800,4096", LastGood},
    ErrorCase{"384,16800,4096", "1000,2000,three", LastGood},  // the first two are not taken either
    ErrorCase{"384,16800,4096", "1000,2000", LastGood},
    // Cut to the step but not to the maximum; negatives truncate toward zero.
    ErrorCase{"20000,100,300", std::nullopt, {19968, 96, 256}},
    ErrorCase{"-200,-20,-300", std::nullopt, {0xFF80, 0xFFF0, 0xFF00}}));

TEST(InputFile, WithoutAFileFromTheStartEachTickWritesZerosSilently)
{
    TimedScreen s;
    const auto screen = look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent());
    s.user.click("chkInputFile");
    s.advance(1020);
    EXPECT_EQ(s.takeWrites(), tick(20, {0, 0, 0}, false) + tick(1020, {0, 0, 0}, false));
    EXPECT_EQ(look(s.frames.chargeCurrent()) + look(s.frames.chargeVoltage()) + look(s.frames.inputCurrent()), screen);
    EXPECT_TRUE(s.driver.platform().messages().empty());
}

TEST(InputFile, EachTickTakesItsPeriodFromTheBoxWithoutEnter)
{
    TimedScreen s;
    s.user.click("chkInputFile");
    s.advance(20);  // the design Interval; the box's "1" makes the next period 1000
    for (const char* noPeriod : {"", "abc", "-1", "66"}) {
        s.setBox(noPeriod);
        s.advance(1000);
    }
    s.setBox("2");
    s.advance(3000);
    s.setBox("0");
    s.advance(2000);
    s.advance(100000);
    EXPECT_EQ(s.tickTimes(), (Times{20, 1020, 2020, 3020, 4020, 5020, 7020, 9020}));
    EXPECT_EQ(s.tmrDataInput.interval(), 0);
    EXPECT_EQ(s.program.vars().giRefreshTime, 1000);  // the keep-alive's period is not touched
}

TEST(InputFile, ANewOnPeriodStartsFromTheLastIntervalSet)
{
    TimedScreen s;
    s.user.click("chkInputFile");
    s.advance(500);
    s.user.click("chkInputFile");
    s.advance(500);
    s.user.click("chkInputFile");
    s.advance(2000);
    EXPECT_EQ(s.tickTimes(), (Times{20, 2000, 3000}));
}

// Records the timers' Enabled changes in the order they happen.
struct TimerLog : forms::FormObserver {
    std::vector<std::string> changes;
    void controlChanged(forms::Control& c, forms::Prop what) override
    {
        if (c.kind() == forms::Kind::Timer && what == forms::Prop::Enabled)
            changes.push_back(c.name() + (c.enabled() ? " on" : " off"));
    }
    void focusChanged(forms::Control*) override {}
};

TEST(TimedWritesExclusion, TickingEitherBoxUnticksTheOtherAndStopsItsTimerFirst)
{
    TimedScreen s;
    TimerLog log;
    s.form.setObserver(&log);
    s.user.click("chkRefreshTime");
    s.user.click("chkInputFile");
    EXPECT_EQ(s.form.get<forms::CheckBox>("chkRefreshTime").value(), 0);
    s.user.click("chkRefreshTime");
    EXPECT_EQ(s.form.get<forms::CheckBox>("chkInputFile").value(), 0);
    EXPECT_EQ(log.changes, (std::vector<std::string>{"tmrChargerTimeOut on", "tmrChargerTimeOut off", "tmrDataInput on",
                                                     "tmrDataInput off", "tmrChargerTimeOut on"}));
    s.advance(1000);
    EXPECT_EQ(s.tickTimes(), (Times{1000}));  // the keep-alive's tick, not the file's at 20
    s.form.setObserver(nullptr);
}

}  // namespace
}  // namespace main_window::testing
