#include "platform/profile/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

using namespace std::string_literals;
using platform::profile::findValue;
using platform::profile::withValue;

namespace {

// Key "Refresh Time" of section "system": the value a read finds, and the text once set to "2".
TEST(IniText, ReadsAndWritesByTheTextRules)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::tuple<const char*, std::string, std::optional<std::string>, std::string> cases[] = {
        {"plain", "[system]\nRefresh Time=1\n", "1", "[system]\nRefresh Time=2\n"},
        {"new file", "", std::nullopt, "[system]\nRefresh Time=2\n"},
        {"any letter case, spacing kept", "[System]\r\n  refresh time =  '1'  \r\n", "1", "[System]\r\n  refresh time =  2  \r\n"},
        {"blanks around", "  [ system ]\t\n  Refresh Time \t=  \t2 5 \t\n", "2 5", "  [ system ]\t\n  Refresh Time \t=  \t2 \t\n"},
        {"double quotes", "[system]\nRefresh Time = \" 3 \" \n", " 3 ", "[system]\nRefresh Time = 2 \n"},
        {"unmatched quotes kept", "[system]\nRefresh Time=\"3'\n", "\"3'", "[system]\nRefresh Time=2\n"},
        {"semicolon kept for the caller", "[system]\nRefresh Time=0.5 ; s\n", "0.5 ; s", "[system]\nRefresh Time=2\n"},
        {"no final newline", "[system]\nRefresh Time=4", "4", "[system]\nRefresh Time=2"},
        {"byte-order mark", bom + "[system]\nRefresh Time=4\n", "4", bom + "[system]\nRefresh Time=2\n"},
        {"empty value is present", "[system]\nRefresh Time=\n", "", "[system]\nRefresh Time=2\n"},
        {"first key wins", "[system]\nRefresh Time=1\nrefresh time=3\n", "1", "[system]\nRefresh Time=2\nrefresh time=3\n"},
        {"repeated section is one section", "[system]\n[x]\n[System]\nRefresh Time=5\n", "5", "[system]\n[x]\n[System]\nRefresh Time=2\n"},
        {"new key in the first appearance", "[system]\n[x]\n[system]\n", std::nullopt, "[system]\nRefresh Time=2\n[x]\n[system]\n"},
        {"other section", "[other]\nRefresh Time=1\n", std::nullopt, "[other]\nRefresh Time=1\n\n[system]\nRefresh Time=2\n"},
        {"before any section", "Refresh Time=1\n[system]\n", std::nullopt, "Refresh Time=1\n[system]\nRefresh Time=2\n"},
        {"commented out", "[system]\n; Refresh Time=1\n", std::nullopt, "[system]\nRefresh Time=2\n; Refresh Time=1\n"},
        {"binary around", "\0\xFF[x\n[system]\n\0=\xC3\x28\nRefresh Time=\xFF\0z\n"s, "\xFF\0z"s,
         "\0\xFF[x\n[system]\n\0=\xC3\x28\nRefresh Time=2\n"s},
        {"new key before blanks", "[system]\na=1\n\n; next\n[x]\n", std::nullopt, "[system]\na=1\nRefresh Time=2\n\n; next\n[x]\n"},
        {"new key, no final newline", "[system]\r\na=1", std::nullopt, "[system]\r\na=1\r\nRefresh Time=2"},
        {"new section after a blank line", "[x]\r\na=1\r\n", std::nullopt, "[x]\r\na=1\r\n\r\n[system]\r\nRefresh Time=2\r\n"},
        {"new section, blank line there", "[x]\n\n", std::nullopt, "[x]\n\n[system]\nRefresh Time=2\n"},
    };
    for (const auto& [what, text, value, written] : cases) {
        EXPECT_EQ(findValue(text, "system", "Refresh Time"), value) << what;
        EXPECT_EQ(withValue(text, "system", "Refresh Time", "2"), written) << what;
        EXPECT_EQ(findValue(written, "system", "Refresh Time"), "2") << what;
    }
    // Blanks around names and value are dropped, so rewriting never piles them up.
    EXPECT_EQ(withValue("[s]\nk = 1 \n", " S ", "\tK ", " \"2\" "), "[s]\nk = \"2\" \n");
}

TEST(IniText, RefusesWritesThatWouldChangeTheFileStructure)
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
