#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/program.h"
#include "common/settings.h"
#include "platform/busctl/scripted_control.h"
#include "support/test_driver.h"

namespace {

const std::string IniFile = "QuelvarEV.ini";

class ReadIniValueTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    platform::busctl::ScriptedControl control;
    common::Program program{driver.platform(), control};

    std::string read(const std::string& key, const std::string& defaultValue)
    {
        return common::ReadIniValue(program, "system", key, defaultValue, IniFile);
    }
};

struct Case {
    const char* what;
    std::optional<std::string> before;  // nothing: no file
    std::string defaultValue;
    std::string expected;
    std::optional<std::string> after;  // the file afterwards
};

TEST_F(ReadIniValueTest, ValuesDefaultsAndWriteBack)
{
    const std::string seventy = std::string(60, 'x') + ";" + std::string(9, 'y');
    const Case cases[] = {
        {"missing key", "[system]\nOther=2\n", "1", "1", "[system]\nOther=2\nk=1\n"},
        {"empty value", "[system]\nk=\n", "1", "1", "[system]\nk=1\n"},
        {"empty default, no file", std::nullopt, "", "", std::nullopt},
        {"empty default, empty value", "[system]\nk=\n", "", "", "[system]\nk=\n"},
        {"comment", "[system]\nk=0.5 ; comment\n", "1", "0.5", "[system]\nk=0.5 ; comment\n"},
        {"only a comment", "[system]\nk=; comment\n", "1", "", "[system]\nk=; comment\n"},
        {"no semicolon, no trim", "[system]\nk=\" 2 \"\n", "1", " 2 ", "[system]\nk=\" 2 \"\n"},
        {"70 characters", "[system]\nk=" + seventy, "1", std::string(60, 'x'), "[system]\nk=" + seventy},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(driver.settingsFolder() / IniFile);
        if (c.before)
            driver.writeSettingsFile(IniFile, *c.before);
        EXPECT_EQ(read("k", c.defaultValue), c.expected) << c.what;
        EXPECT_EQ(driver.readSettingsFile(IniFile), c.after) << c.what;
    }
}

TEST_F(ReadIniValueTest, FirstStartWritesBothDefaultsInOrder)
{
    EXPECT_EQ(read("Write Delay", "0.07"), "0.07");
    EXPECT_EQ(read("Refresh Time", "1"), "1");
    EXPECT_EQ(driver.readSettingsFile(IniFile), "[system]\nWrite Delay=0.07\nRefresh Time=1\n");
}

TEST_F(ReadIniValueTest, UnusablePlacesGiveTheDefault)
{
    std::filesystem::create_directory(driver.settingsFolder() / IniFile);
    EXPECT_EQ(read("Refresh Time", "1"), "1");
    EXPECT_TRUE(std::filesystem::is_directory(driver.settingsFolder() / IniFile));

    // A folder that cannot be made, whoever runs the test: its parent is a plain file.
    const auto plainFile = driver.writeSettingsFile("plain", "x");
    driver.platform().setSettingsFolder(plainFile / "sub");
    EXPECT_EQ(read("Refresh Time", "1"), "1");
    EXPECT_EQ(driver.readSettingsFile("plain"), "x");
}

}  // namespace
