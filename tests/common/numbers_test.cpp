#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/numbers.h"

namespace {

using common::leadingNumber, common::parseNumber, common::toInteger, common::toLong;

TEST(Numbers, ParsesWholeDecimalTextsOnly)
{
    const std::pair<const char*, double> numbers[] = {{" 0.07 ", 0.07}, {"+3", 3}, {".5", 0.5}, {"1e3", 1000}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(parseNumber(text), value) << text;
    for (const char* text : {"abc", "", "-", "1,5", "0x10", "&H10", "inf", "nan", "1e400", "1.2.3", "2 5", "5abc"})
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
}

TEST(Numbers, ReadsTheNumberATextBeginsWith)
{
    const std::pair<const char*, double> cases[] = {
        {"10 s", 10}, {" 1 2\t3\n4", 1234}, {"-2.5x", -2.5}, {"1.2.3", 1.2}, {"1 e + 2", 100}, {"5e+x", 5},
        {"&hFFg", 255}, {"&O17", 15}, {"&o8", 0}, {"-&H10", -16}, {"&X1", 0}, {"", 0}, {".e5", 0},
        {"1\r2", 1}, {"0x10", 0}, {"1e400", 0}, {"1e-400", 0}, {"4.9e-324", 4.9e-324}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(leadingNumber(text), value) << text;
    EXPECT_EQ(leadingNumber(std::string(400, 'f').insert(0, "&H")), 0) << "a hex number beyond a double";

    const std::pair<const char*, std::optional<double>> wholes[] = {
        {" 1 0 ", 10}, {"-&o17", -15}, {"2.", 2}, {"10 s", std::nullopt}, {"&H", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, value] : wholes)
        EXPECT_EQ(common::wholeNumber(text), value) << text;
}

TEST(Numbers, RoundsHalfToEvenAndRefusesWhatDoesNotFit)
{
    const std::pair<double, std::optional<std::int16_t>> integers[] = {{0.5, 0}, {1.5, 2}, {-2.5, -2}, {32767.4, 32767},
        {32767.5, std::nullopt}, {-32768.5, -32768}, {-32769, std::nullopt}, {std::nan(""), std::nullopt}};
    for (const auto& [value, expected] : integers)
        EXPECT_EQ(toInteger(value), expected) << value;
    const std::pair<double, std::optional<std::int32_t>> longs[] = {
        {-3.5, -4}, {2147483646.5, 2147483646}, {2147483647.5, std::nullopt}, {-2147483648.5, -2147483648}};
    for (const auto& [value, expected] : longs)
        EXPECT_EQ(toLong(value), expected) << value;
}

}  // namespace
