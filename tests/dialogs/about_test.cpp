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

// Sets a file's modification time to noon of a local date.
void setLocalDate(const fs::path& file, int year, int month, int day)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(file, std::chrono::file_clock::from_sys(when));
}

class AboutTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    platform::busctl::ScriptedControl control;
    int loads = 0;

    // Starts the program with its file in place, and counts the About window's loads.
    dialogs::frmAbout& about()
    {
        if (!started) {
            driver.startProgram(control);
            auto& window = driver.program().about();
            window.onLoad = [this, &window, load = window.onLoad] {
                ++loads;
                load();
            };
            started = true;
        }
        return driver.program().about();
    }
    void openAbout()
    {
        about();
        driver.user(driver.program().form2()).pick("mnuAbout");
    }
    forms::Label& label(const char* name) { return about().get<forms::Label>(name); }

private:
    bool started = false;
};

TEST_F(AboutTest, HelpAboutShowsTheVersionBlockAndTheProgramFileDate)
{
    const auto file = driver.writeProgramFile("darnex", "program");
    setLocalDate(file, 2024, 3, 5);
    openAbout();
    auto& window = about();

    ASSERT_TRUE(window.visible());
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(window.caption(), "About Quelvar");
    EXPECT_EQ(label("Description").caption(), "Darnex Evaluation Software");
    EXPECT_EQ(label("RevisionLabel").caption(), "Version 0.1.0");
    EXPECT_EQ(label("UpdateDate").caption(), "Last Updated 03/05/2024");
    EXPECT_EQ(label("badpathlabel").caption(), "");
    EXPECT_EQ(label("comments").caption(), "");
    EXPECT_EQ(label("Copyright").caption(), driver.platform().program().legalCopyright);
    EXPECT_FALSE(label("Copyright").caption().empty());

    // Client area 6225 x 4650, centred; the texts span the window less 110 twips each side.
    EXPECT_EQ(window.scaleWidth(), 6225);
    EXPECT_EQ(window.scaleHeight(), 4650);
    EXPECT_EQ(window.left(), std::lround((1920 * 15 - window.width()) / 2.0));
    EXPECT_EQ(window.top(), std::lround((1080 * 15 - window.height()) / 2.0));
    EXPECT_EQ(window.backColor(), forms::colors::White);
    EXPECT_EQ(window.get<forms::Image>("Image1").left(), 110);
    for (const char* name : {"Description", "RevisionLabel", "UpdateDate", "Copyright", "comments"}) {
        EXPECT_EQ(label(name).left(), 110) << name;
        EXPECT_EQ(label(name).width(), window.width() - 220) << name;
        EXPECT_EQ(label(name).backColor(), forms::colors::White) << name;
    }
    EXPECT_EQ(label("badpathlabel").left(), 0);

    // The main window stays usable beside it.
    driver.user(driver.program().form2()).pick("mnuTestMode");
    EXPECT_EQ(driver.program().vars().giDeviceAddress, 0x52);
}

TEST_F(AboutTest, VersionPartsShowInDecimalWithoutPadding)
{
    auto& info = driver.platform().program();
    info.major = 2;
    info.minor = 10;
    info.revision = 3;
    openAbout();
    EXPECT_EQ(label("RevisionLabel").caption(), "Version 2.10.3");
    EXPECT_EQ(driver.program().form2().caption(), "Quelvar Internal Evaluation Software Version 2.10.3");
}

TEST_F(AboutTest, ProgramFileIsTheNameWithThePlatformSuffix)
{
    struct Case {
        const char* present;  // the file in the program folder, or none
        const char* suffix;
        bool dated;
    };
    const Case cases[] = {
        {"darnex", "", true},
        {"darnex.exe", ".exe", true},
        {"darnex.exe", "", false},  // another extension than the platform's: not found
        {"darnex", ".exe", false},
        {nullptr, "", false},
    };
    for (const Case& c : cases) {
        testsupport::TestDriver run;
        platform::busctl::ScriptedControl adapter;
        run.platform().program().exeSuffix = c.suffix;
        if (c.present)
            setLocalDate(run.writeProgramFile(c.present, "x"), 2023, 11, 28);
        auto& form2 = run.startProgram(adapter);
        run.user(form2).pick("mnuAbout");
        auto& window = run.program().about();
        const std::string what = std::string(c.present ? c.present : "(none)") + " + \"" + c.suffix + "\"";
        if (c.dated) {
            EXPECT_EQ(window.get<forms::Label>("UpdateDate").caption(), "Last Updated 11/28/2023") << what;
            EXPECT_EQ(window.get<forms::Label>("badpathlabel").caption(), "") << what;
        } else {
            // The zero date, and why there is no date; the window opens all the same.
            EXPECT_EQ(window.get<forms::Label>("UpdateDate").caption(), "Last Updated 12/30/1899") << what;
            EXPECT_EQ(window.get<forms::Label>("badpathlabel").caption(), "No such file or directory") << what;
            EXPECT_TRUE(window.visible()) << what;
            EXPECT_EQ(window.get<forms::Label>("Copyright").caption(), run.platform().program().legalCopyright);
            EXPECT_EQ(window.caption(), "About Quelvar");
        }
    }
}

TEST_F(AboutTest, ProgramFilePathAddsOneSeparator)
{
    EXPECT_EQ(dialogs::frmAbout::programFile("/opt/darnex", "darnex", ""), fs::path("/opt/darnex/darnex"));
    EXPECT_EQ(dialogs::frmAbout::programFile("/opt/darnex/", "darnex", ""), fs::path("/opt/darnex/darnex"));
    EXPECT_EQ(dialogs::frmAbout::programFile("/", "darnex", ".exe"), fs::path("/darnex.exe"));
}

TEST_F(AboutTest, ProgramFolderItselfIsNoProgramFile)
{
    driver.platform().program().exeName = "";
    openAbout();
    EXPECT_EQ(label("UpdateDate").caption(), "Last Updated 12/30/1899");
    EXPECT_FALSE(label("badpathlabel").caption().empty());
}

TEST_F(AboutTest, PictureBeepsAndHidesHelpAboutShowsTheSameTextsAgain)
{
    const auto file = driver.writeProgramFile("darnex", "program");
    setLocalDate(file, 2024, 3, 5);
    openAbout();
    const int beeps = driver.platform().beeps();

    auto user = driver.user(about());
    user.click("AboutOK");
    EXPECT_EQ(driver.platform().beeps(), beeps + 1);
    EXPECT_FALSE(about().visible());
    EXPECT_TRUE(about().loaded());

    // A newer file date would show only if the load ran again.
    setLocalDate(file, 2025, 1, 2);
    openAbout();
    EXPECT_TRUE(about().visible());
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(label("UpdateDate").caption(), "Last Updated 03/05/2024");
}

TEST_F(AboutTest, ClosingTheWindowUnloadsItSoTheNextOpenLoadsAgain)
{
    const auto file = driver.writeProgramFile("darnex", "program");
    setLocalDate(file, 2024, 3, 5);
    openAbout();
    driver.user(about()).close();
    EXPECT_FALSE(about().loaded());
    EXPECT_EQ(driver.platform().beeps(), 0);

    setLocalDate(file, 2025, 1, 2);
    openAbout();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(label("UpdateDate").caption(), "Last Updated 01/02/2025");
}

}  // namespace
}  // namespace dialogs_test
