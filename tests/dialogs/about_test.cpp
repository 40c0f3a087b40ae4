// The About window: its texts, the program file's date, and how it closes and comes back.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "common/program.h"
#include "dialogs/frm_about.h"
#include "main_window/form2.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/simple_controls.h"
#include "support/test_driver.h"

namespace dialogs_test {
namespace {

namespace fs = std::filesystem;
namespace forms = platform::forms;

// Noon of a local date, so that no time zone moves the day.
void setLocalDate(const fs::path& file, int year, int month, int day)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    fs::last_write_time(file, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&local))));
}

class AboutTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    platform::busctl::ScriptedControl control;
    fs::path programFile = driver.writeProgramFile("darnex", "program");
    int loads = 0;

    // Help > About, counting the window's loads.
    dialogs::frmAbout& openAbout()
    {
        if (!started) {
            driver.startProgram(control);
            auto& window = driver.program().about();
            window.onLoad = [this, load = window.onLoad] {
                ++loads;
                load();
            };
            started = true;
        }
        driver.user(driver.program().form2()).pick("mnuAbout");
        return driver.program().about();
    }
    std::string text(const char* label) { return driver.program().about().get<forms::Label>(label).caption(); }

private:
    bool started = false;
};

TEST_F(AboutTest, HelpAboutShowsTheVersionBlockAndTheProgramFileDate)
{
    setLocalDate(programFile, 2024, 3, 5);
    auto& window = openAbout();
    ASSERT_TRUE(window.visible());
    EXPECT_EQ(window.caption(), "About Quelvar");
    EXPECT_EQ(text("Description"), "Darnex Evaluation Software");
    EXPECT_EQ(text("RevisionLabel"), "Version 0.1.0");
    EXPECT_EQ(text("UpdateDate"), "Last Updated 03/05/2024");
    EXPECT_EQ(text("badpathlabel"), "");
    EXPECT_EQ(text("comments"), "");
    EXPECT_EQ(text("Copyright"), driver.platform().program().legalCopyright);

    // Client area 6225 x 4650, centred; the texts span the window less 110 twips each side.
    EXPECT_EQ(std::vector({window.scaleWidth(), window.scaleHeight()}), std::vector({6225, 4650}));
    EXPECT_EQ(window.left(), std::lround((28800 - window.width()) / 2.0));
    for (const char* name : {"Description", "RevisionLabel", "UpdateDate", "Copyright", "comments"}) {
        const auto& label = window.get<forms::Label>(name);
        EXPECT_EQ(std::vector({label.left(), label.width()}), std::vector({110, window.width() - 220})) << name;
    }
}

TEST_F(AboutTest, WithoutItsProgramFileTheWindowShowsTheZeroDateAndWhy)
{
    // The name with the platform's suffix is looked for: "darnex.exe" is not the program here.
    struct Case {
        const char* file;
        const char* suffix;
        const char* date;
    };
    for (const Case& c : {Case{"darnex.exe", "", "12/30/1899"}, Case{"darnex.exe", ".exe", "11/28/2023"},
                          Case{"darnex", ".exe", "12/30/1899"}}) {
        testsupport::TestDriver run;
        platform::busctl::ScriptedControl adapter;
        run.platform().program().exeSuffix = c.suffix;
        setLocalDate(run.writeProgramFile(c.file, "x"), 2023, 11, 28);
        run.user(run.startProgram(adapter)).pick("mnuAbout");
        auto& window = run.program().about();
        const bool found = std::string(c.date) != "12/30/1899";
        EXPECT_TRUE(window.visible()) << c.file << c.suffix;
        EXPECT_EQ(window.get<forms::Label>("UpdateDate").caption(), std::string("Last Updated ") + c.date);
        EXPECT_EQ(window.get<forms::Label>("badpathlabel").caption(), found ? "" : "No such file or directory");
    }
    EXPECT_EQ(dialogs::frmAbout::programFile("/opt/darnex/", "darnex", ""), fs::path("/opt/darnex/darnex"));
    EXPECT_EQ(dialogs::frmAbout::programFile("/opt", "darnex", ".exe"), fs::path("/opt/darnex.exe"));
}

TEST_F(AboutTest, PictureBeepsAndHidesAndHelpAboutShowsTheSameTextsWithoutLoading)
{
    setLocalDate(programFile, 2024, 3, 5);
    auto& window = openAbout();
    driver.user(window).click("AboutOK");
    EXPECT_EQ(driver.platform().beeps(), 1);
    EXPECT_FALSE(window.visible());

    setLocalDate(programFile, 2025, 1, 2);  // would show if the load ran again
    openAbout();
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(text("UpdateDate"), "Last Updated 03/05/2024");

    // Closed with its close box it is unloaded: the next open loads it afresh.
    driver.user(window).close();
    openAbout();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(text("UpdateDate"), "Last Updated 01/02/2025");
}

}  // namespace
}  // namespace dialogs_test
