#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "common/window_registry.h"
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
    driver.platform().programInfo().exeSuffix = ".exe";  // the name with the platform's suffix is looked for
    const fs::path programFile = driver.writeProgramFile("darnex.exe", "program");
    auto open = [&, form = &driver.startProgram(control)] { driver.user(*form).pick("mnuAbout"); };
    auto& about = driver.program().about();
    auto text = [&](const char* label) { return about.get<forms::Label>(label).caption(); };

    setLocalDate(programFile, 2024, 3, 5);
    open();
    ASSERT_TRUE(about.visible());
    EXPECT_EQ((std::vector{about.caption(), text("Description"), text("RevisionLabel"), text("UpdateDate"), text("badpathlabel") + text("comments"), text("Copyright")}),
              (std::vector<std::string>{"About Quelvar", "Darnex Evaluation Software", "Version 0.1.0", "Last Updated 03/05/2024", "",
                                        driver.platform().programInfo().legalCopyright}));

    // A click on the picture beeps and hides it; the next open shows it without loading it again.
    driver.user(about).click("AboutOK");
    EXPECT_EQ(std::pair(driver.platform().beeps(), about.visible()), std::pair(1, false));
    setLocalDate(programFile, 2025, 1, 2);
    open();
    EXPECT_EQ(std::pair(about.visible(), text("UpdateDate")), std::pair(true, "Last Updated 03/05/2024"s));
    driver.user(about).close();  // unloaded: the next open loads it afresh
    open();
    EXPECT_EQ(text("UpdateDate"), "Last Updated 01/02/2025");
    driver.user(about).close();  // without its program file: the zero date and why
    fs::remove(programFile);
    open();
    EXPECT_EQ(std::pair(text("UpdateDate"), text("badpathlabel")), std::pair("Last Updated 12/30/1899"s, "No such file or directory"s));
}

}  // namespace
}  // namespace dialogs_test
