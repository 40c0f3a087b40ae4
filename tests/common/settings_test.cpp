#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/settings.h"
#include "platform/busctl/scripted_control.h"
#include "program/windows.h"
#include "support/test_driver.h"

// What the settings file itself does with names, blanks, quotes and bad files is in tests/platform/profile.
namespace {

struct Case {
    const char* what;
    std::optional<std::string> before;  // nothing: no file
    std::string defaultValue, expected;
    std::optional<std::string> after;
};

TEST(ReadIniValue, ValuesDefaultsAndWriteBack)
{
    testsupport::TestDriver driver;
    platform::busctl::ScriptedControl control;
    program::Windows program{driver.platform(), control};
    const std::string seventy = std::string(60, 'x') + "y;" + std::string(8, 'z');  // the semicolon is the 62nd
    const Case cases[] = {
        {"missing key", "[system]\nOther=2\n", "1", "1", "[system]\nOther=2\nk=1\n"},
        {"empty default, no file", std::nullopt, "", "", std::nullopt},
        {"empty default, empty value", "[system]\nk=\n", "", "", "[system]\nk=\n"},
        {"comment", "[system]\nk=0.5 ; comment\n", "1", "0.5", "[system]\nk=0.5 ; comment\n"},
        {"no semicolon, no trim", "[system]\nk=\" 2 \"\n", "1", " 2 ", "[system]\nk=\" 2 \"\n"},
        {"70 characters", "[system]\nk=" + seventy, "1", std::string(60, 'x'), "[system]\nk=" + seventy},
    };
    const auto file = driver.settingsFolder() / "QuelvarEV.ini";
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        if (c.before)
            driver.writeSettingsFile("QuelvarEV.ini", *c.before);
        EXPECT_EQ(common::ReadIniValue(program, "system", "k", c.defaultValue, "QuelvarEV.ini"), c.expected) << c.what;
        EXPECT_EQ(driver.readSettingsFile("QuelvarEV.ini"), c.after) << c.what;
    }
    // A default that cannot be written back is still the answer.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(common::ReadIniValue(program, "system", "k", "1", "QuelvarEV.ini"), "1");
}

// No settings folder at all (no home, no user entry): the program starts on its defaults and
// writes nothing, in the current folder least of all.
TEST(ReadIniValue, WithoutASettingsFolderTheProgramRunsOnDefaultsAndWritesNothing)
{
    testsupport::TestDriver driver;
    testsupport::TempFolder current{"quelvar-current-"};
    platform::busctl::ScriptedControl control;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(current.path());
    driver.platform().setSettingsFolder({});
    driver.startProgram(control);
    std::filesystem::current_path(before);
    EXPECT_EQ(driver.program().vars().giRefreshTime, 1000);
    EXPECT_TRUE(std::filesystem::is_empty(current.path()) && std::filesystem::is_empty(driver.settingsFolder()));
}

}  // namespace
