#include "platform/profile/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace std::string_literals;
using platform::profile::findValue;
using platform::profile::withValue;

namespace {

struct FindCase {
    const char* what;
    std::string text;
    std::optional<std::string> expected;  // of key "Refresh Time" in section "system"
};

TEST(IniTextFind, FollowsTheTextRules)
{
    const FindCase cases[] = {
        {"plain", "[system]\nRefresh Time=1\n", "1"},
        {"any letter case", "[SYSTEM]\nrefresh TIME=1\n", "1"},
        {"blanks around names and value", "  [ system ]\t\n  Refresh Time \t=  \t2 5 \t\n", "2 5"},
        {"double quotes", "[system]\nRefresh Time = \" 3 \" \n", " 3 "},
        {"single quotes", "[system]\nRefresh Time='3'\n", "3"},
        {"one pair only", "[system]\nRefresh Time=\"\"3\"\"\n", "\"3\""},
        {"unmatched quotes kept", "[system]\nRefresh Time=\"3'\n", "\"3'"},
        {"semicolon kept for the caller", "[system]\nRefresh Time=0.5 ; secs\n", "0.5 ; secs"},
        {"CRLF", "[system]\r\nRefresh Time=4\r\n", "4"},
        {"lone CR at the end", "[system]\nRefresh Time=4\r", "4"},
        {"no final newline", "[system]\nRefresh Time=4", "4"},
        {"byte-order mark", "\xEF\xBB\xBF[system]\nRefresh Time=4\n", "4"},
        {"empty value is present", "[system]\nRefresh Time=\n", ""},
        {"first key wins", "[system]\nRefresh Time=1\nrefresh time=2\n", "1"},
        {"repeated section is one section", "[system]\na=1\n[x]\n[System]\nRefresh Time=5\n", "5"},
        {"other section", "[other]\nRefresh Time=1\n[system]\n", std::nullopt},
        {"before any section", "Refresh Time=1\n[system]\n", std::nullopt},
        {"commented out", "[system]\n; Refresh Time=1\n", std::nullopt},
        {"no equals sign", "[system]\nRefresh Time\n", std::nullopt},
        {"binary around", "\0\xFF\xFE[x\n[system]\n\0=\xC3\x28\nRefresh Time=\xFF\0z\n"s, "\xFF\0z"s},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(findValue(c.text, "system", "Refresh Time"), c.expected) << c.what;
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string after;  // with key "Refresh Time" of section "system" set to "2"
};

TEST(IniTextWrite, ChangesOnlyWhatItMust)
{
    const WriteCase cases[] = {
        {"new file", "", "[system]\nRefresh Time=2\n"},
        {"value only, spacing kept", "[System]\r\n  refresh time =  '1'  \r\n", "[System]\r\n  refresh time =  2  \r\n"},
        {"empty value filled", "[system]\nRefresh Time=\n", "[system]\nRefresh Time=2\n"},
        {"first of two replaced", "[system]\nRefresh Time=1\nRefresh Time=3\n", "[system]\nRefresh Time=2\nRefresh Time=3\n"},
        {"new key after the last key, before blanks and comments",
         "[system]\na=1\n\n; next\n[x]\n", "[system]\na=1\nRefresh Time=2\n\n; next\n[x]\n"},
        {"new key in the first of a repeated section", "[system]\n[x]\n[system]\n", "[system]\nRefresh Time=2\n[x]\n[system]\n"},
        {"new key, no final newline", "[system]\r\na=1", "[system]\r\na=1\r\nRefresh Time=2"},
        {"new key, lone CR at the end", "[system]\r\na=1\r", "[system]\r\na=1\r\nRefresh Time=2"},
        {"new section after a blank line", "[x]\r\na=1\r\n", "[x]\r\na=1\r\n\r\n[system]\r\nRefresh Time=2\r\n"},
        {"new section, blank line there", "[x]\n\n", "[x]\n\n[system]\nRefresh Time=2\n"},
        {"new section, no final newline", "[x]\na=1", "[x]\na=1\n\n[system]\nRefresh Time=2"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(withValue(c.before, "system", "Refresh Time", "2"), c.after) << c.what;
        EXPECT_EQ(findValue(c.after, "system", "Refresh Time"), "2") << c.what;
    }
    // Blanks around names and value are dropped, so rewriting never piles them up.
    EXPECT_EQ(withValue("[s]\nk = 1 \n", " S ", "\tK ", " \"2\" "), "[s]\nk = \"2\" \n");
}

TEST(IniTextWrite, RefusesWhatWouldChangeTheFileStructure)
{
    const char* const refused[][3] = {
        {"s", "k", "a\nb"}, {"s", "k", "a\rb"}, {" ", "k", "1"}, {"s]", "k", "1"},
        {"s", "", "1"},     {"s", "k=", "1"},   {"s", "[k", "1"}, {"s", ";k", "1"},
    };
    for (const auto& [section, key, value] : refused)
        EXPECT_EQ(withValue("[s]\nk=1\n", section, key, value), std::nullopt) << section << key;
    EXPECT_EQ(withValue("", "s", "k", "a\0b"s), std::nullopt);
}

}  // namespace
