#include <gtest/gtest.h>

#include <chrono>
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
using namespace std::string_literals;

// Noon of a local date, so that no time zone moves the day.
void setLocalDate(const fs::path& file, int year, int month, int day)
{
    std::tm local{};
    local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day, local.tm_hour = 12, local.tm_isdst = -1;
    fs::last_write_time(file, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&local))));
}

TEST(About, HelpAboutShowsTheTextsAndTheDateLoadingOnlyWhenUnloaded)
{
    testsupport::TestDriver driver;
    platform::busctl::ScriptedControl control;
    const fs::path programFile = driver.writeProgramFile("darnex", "program");
    auto open = [&, form = &driver.startProgram(control)] { driver.user(*form).pick("mnuAbout"); };
    auto& about = driver.program().about();
    int loads = 0;
    about.onLoad = [&, load = about.onLoad] { ++loads; load(); };
    auto text = [&](const char* label) { return about.get<forms::Label>(label).caption(); };

    setLocalDate(programFile, 2024, 3, 5);
    open();
    ASSERT_TRUE(about.visible());
    EXPECT_EQ((std::vector{about.caption(), text("Description"), text("RevisionLabel"), text("UpdateDate"), text("badpathlabel") + text("comments"), text("Copyright")}),
              (std::vector<std::string>{"About Quelvar", "Darnex Evaluation Software", "Version 0.1.0", "Last Updated 03/05/2024", "",
                                        driver.platform().program().legalCopyright}));

    driver.user(about).click("AboutOK");
    EXPECT_EQ(driver.platform().beeps(), 1);
    EXPECT_FALSE(about.visible());
    setLocalDate(programFile, 2025, 1, 2);  // would show if the load ran again
    open();
    EXPECT_TRUE(about.visible());
    EXPECT_EQ(std::pair(loads, text("UpdateDate")), std::pair(1, std::string("Last Updated 03/05/2024")));

    // Closed with its close box it is unloaded: the next open loads it afresh.
    driver.user(about).close();
    open();
    EXPECT_EQ(std::pair(loads, text("UpdateDate")), std::pair(2, std::string("Last Updated 01/02/2025")));
}

TEST(About, WithoutItsProgramFileTheWindowShowsTheZeroDateAndWhy)
{
    // The name with the platform's suffix is looked for: "darnex.exe" is not the program here.
    for (const auto& [file, suffix, date] : {std::tuple("darnex.exe", "", "12/30/1899"),
                                             std::tuple("darnex.exe", ".exe", "11/28/2023"),
                                             std::tuple("darnex", ".exe", "12/30/1899")}) {
        testsupport::TestDriver run;
        platform::busctl::ScriptedControl adapter;
        run.platform().program().exeSuffix = suffix;
        setLocalDate(run.writeProgramFile(file, "x"), 2023, 11, 28);
        run.user(run.startProgram(adapter)).pick("mnuAbout");
        auto& about = run.program().about();
        const bool found = std::string(date) != "12/30/1899";
        EXPECT_TRUE(about.visible()) << file << suffix;
        EXPECT_EQ(std::pair(about.get<forms::Label>("UpdateDate").caption(), about.get<forms::Label>("badpathlabel").caption()),
                  std::pair("Last Updated "s + date, found ? ""s : "No such file or directory"s));
    }
}

}  // namespace
}  // namespace dialogs_test
