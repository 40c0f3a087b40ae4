// The keep-alive ("Refresh Time") and "Input by File" on the virtual clock, and the data file's reader.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "main_window/input_data_file.h"
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

using main_window::InputData;

TEST_F(MainWindowTest, KeepAliveRewritesEveryBitOfEachRowOnePeriodAfterTickingSilentlyEvenWhenWritesFail)
{
    start();
    for (const auto& [name, bit] : {std::pair{"chkChargeCurrent", 0}, {"chkChargeCurrent", 7}, {"chkChargeVoltage", 15}, {"chkInputCurrent", 12}})
        user().click(name, bit);  // bit 0 of the charge current is outside the field: written all the same
    const auto screen = looks();
    user().click("chkRefreshTime");
    advance(999);
    EXPECT_TRUE(log.writes.empty());
    advance(1001);
    EXPECT_EQ(log.writes, tick(1000, {0x0081, 0x8000, 0x1000}, true, 0x12, tick(2000, {0x0081, 0x8000, 0x1000}, true)));
    EXPECT_EQ(looks(), screen);
    EXPECT_EQ(vars().gbUpdatingBits, common::False);

    control.setDefaultStatus(busctl::op::WriteWordCmd, 1);
    advance(1000);
    EXPECT_EQ(control.callCount(busctl::op::WriteWordCmd), 6 + 12);  // four attempts each
    EXPECT_TRUE(control.wordReads().empty());
    user().click("chkRefreshTime");
    advance(10000);
    EXPECT_EQ(tickTimes(), (Times{1000, 2000, 3000, 3000, 3000, 3000}));
    EXPECT_EQ(messages(), "");
}

TEST_F(MainWindowTest, KeepAliveRunsOnTheStoredPeriodUntilEnterSetsAnother)
{
    driver.writeSettingsFile("QuelvarEV.ini", "[system]\nRefresh Time=2\n");
    start();
    user().click("chkRefreshTime");
    advance(4500);
    // Enter on a text with no period keeps the one in force, its countdown undisturbed.
    for (const auto& [text, ms, period] : {std::tuple{"1", 500, 1000}, {"", 1000, 1000}, {"abc", 1000, 1000}, {"33", 1000, 1000},
                                           {"-1", 1000, 1000}, {"32", 64500, 32000}, {"0", 60000, 0}, {"5", 10000, 5000}}) {
        get<forms::TextBox>("txtRefreshTime").userReplaceText(text);
        user().key("txtRefreshTime", 13);
        EXPECT_EQ(vars().giRefreshTime, period) << '"' << text << '"';
        advance(ms);
    }
    EXPECT_EQ(tickTimes(), (Times{2000, 4000, 5500, 6500, 7500, 8500, 41000, 73000, 138500, 143500}));
    EXPECT_TRUE(get<forms::CheckBox>("chkRefreshTime").hasFocus());
    EXPECT_EQ(messages(), "");
}

TEST_F(MainWindowTest, InputByFileShowsAndWritesTheFileOrRewritesTheLastGoodValues)
{
    struct Step {
        std::optional<std::string> file;  // nothing: no file
        std::vector<int> words;
        std::vector<std::string> shown;  // the boxes, '!' where the over-limit label shows; none: as they were
    };
    const std::vector<int> good{0x0180, 16800, 4096};  // 0x01 and 0x80 to 0x14
    const Step steps[] = {
        {std::nullopt, {0, 0, 0}, {}},
        {"10000, 20000, 300", {0x1F80, 20000, 0x0080}, {"8064!", "20000", "256"}},
        {"32767,32767,32767", {0x1F80, 0x7FF0, 0x1F80}, {"8064!", "32752!", "16128!"}},
        {"-32768 32767\t0\n\nrest", {0, 0x7FF0, 0}, {"0", "32752!", "0"}},
        {"384\r\n16800\r\n4096\r\n", {0x0180, 16800, 0x0800}, {"384", "16800", "4096"}},
        // Each field a plain signed decimal integer, or the tick takes none of the file.
        {"33000,16800,4096", good, {}}, {"1000,2000", good, {}}, {"1000,,300", good, {}}, {"1000,2000.5,300", good, {}},
        {"+1000,2000,300", good, {}}, {"1000,2000,300mA", good, {}}, {std::nullopt, good, {}},
        // Cut to the step but not to the maximum; negatives truncate toward zero.
        {"20000,100,300", {0x1F80, 96, 0x0080}, {"8064!", "96", "256"}},
        {std::nullopt, {19968, 96, 256}, {}},
        {"-200,-20,-300", {0, 0, 0}, {"0", "0", "0"}},
        {std::nullopt, {0xFF80, 0xFFF0, 0xFF00}, {}},
    };
    start();
    user().click("chkInputFile");
    std::int64_t at = 20;  // the design Interval, then the box's second
    for (const Step& step : steps) {
        SCOPED_TRACE(step.file.value_or("no file"));
        step.file ? void(driver.writeProgramFile(main_window::InputDataFileName, *step.file))
                  : void(std::filesystem::remove(driver.programFolder() / main_window::InputDataFileName));
        std::string expected;
        for (std::size_t i = 0; i < 3; ++i)
            expected += (i ? " | " : "") + (step.shown.empty() ? look(*Frames[i]) : step.shown[i] + " " + rowShowing(*Frames[i], step.words[i]));
        advance(at - platform().nowMs());
        EXPECT_EQ(std::exchange(log.writes, {}), tick(at, step.words, false));
        EXPECT_EQ(looks(), expected);
        at += 1000;
    }
    EXPECT_EQ(messages(), "");
}

// Each period comes from the box without Enter; ticking either box unticks the other, its timer
// stopped first.
TEST_F(MainWindowTest, InputByFileTakesItsPeriodFromTheBoxAndExcludesTheKeepAlive)
{
    start();
    form2().setObserver(&log);
    user().click("chkRefreshTime");
    user().click("chkInputFile");
    EXPECT_EQ(get<forms::CheckBox>("chkRefreshTime").value(), 0);
    user().click("chkRefreshTime");
    form2().setObserver(nullptr);
    EXPECT_EQ(get<forms::CheckBox>("chkInputFile").value(), 0);
    std::erase_if(log.entries, [](const std::string& e) { return !e.ends_with(".Enabled"); });
    EXPECT_EQ(log.entries, (std::vector<std::string>{"tmrChargerTimeOut.Enabled", "tmrChargerTimeOut.Enabled", "tmrDataInput.Enabled",
                                                     "tmrDataInput.Enabled", "tmrChargerTimeOut.Enabled"}));
    advance(1000);
    EXPECT_EQ(tickTimes(), (Times{1000}));  // the keep-alive's tick, not the file's at 20

    user().click("chkInputFile");
    advance(500);
    user().click("chkInputFile");
    advance(500);
    user().click("chkInputFile");  // ticking again starts from the last Interval set, not 20
    for (const auto& [text, ms] : {std::pair{"", 1000}, {"abc", 1000}, {"-1", 1000}, {"66", 1000}, {"2", 3000}, {"0", 100000}}) {
        get<forms::TextBox>("txtRefreshTime").userReplaceText(text);
        advance(ms);
    }
    EXPECT_EQ(tickTimes(), (Times{1000, 1020, 3000, 4000, 5000, 6000, 7000, 9000, 11000}));
    EXPECT_EQ(vars().giRefreshTime, 1000);  // the keep-alive's period is not touched
}

TEST(InputDataFile, ReadsOnlyUpToTheLimitAndNothingFromWhatIsNoFile)
{
    using main_window::InputDataReadLimit, main_window::readInputDataFile;
    testsupport::TempFolder dir{"quelvar-input-"};
    const auto file = dir.path() / main_window::InputDataFileName;
    auto write = [&](const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; };
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    std::filesystem::create_directory(file);
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    std::filesystem::remove(file);

    write("384,16800,4096\n");
    std::filesystem::resize_file(file, std::uintmax_t{1} << 30);  // sparse: a gigabyte of NULs after the numbers
    EXPECT_EQ(readInputDataFile(file), (InputData{384, 16800, 4096}));
    // A number straddling the end of what is read is an error, not a misreading.
    write(std::string(InputDataReadLimit - 6, ' ') + "1,2,30000\n");
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    write(std::string(InputDataReadLimit - 10, ' ') + "1,2,30000\n");
    EXPECT_EQ(readInputDataFile(file), (InputData{1, 2, 30000}));
}

// A pipe, or a link to a pipe or a device, is no file: nothing, at once, and never opened.
TEST(InputDataFile, APipeOrALinkToOneOrToADeviceIsNeverOpened)
{
    testsupport::TempFolder dir{"quelvar-input-"};
    const auto pipe = dir.path() / "pipe", linkToPipe = dir.path() / "to-pipe", linkToZero = dir.path() / "to-zero";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink(pipe, linkToPipe);
    std::filesystem::create_symlink("/dev/zero", linkToZero);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_OPEN), 0);
    for (const auto& file : {pipe, linkToPipe, linkToZero}) {
        EXPECT_EQ(main_window::readInputDataFile(file), std::nullopt) << file;
        char event[sizeof(inotify_event) + 256];
        EXPECT_LT(::read(watch, event, sizeof event), 0) << file << " was opened";
    }
    ::close(watch);
}

}  // namespace
}  // namespace main_window_test
