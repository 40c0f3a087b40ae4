#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "common/numbers.h"

namespace {

using common::parseNumber;
using common::toInteger;
using common::toLong;

TEST(Numbers, ParsesWholeDecimalTextsOnly)
{
    const std::pair<const char*, double> numbers[] = {
        {"2.5", 2.5}, {" 0.07 ", 0.07}, {"-1", -1}, {"+3", 3}, {".5", 0.5}, {"1e3", 1000}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(parseNumber(text), value) << text;
    for (const char* text : {"abc", "", " ", "-", "1,5", "0x10", "&H10", "inf", "nan", "-inf", "1e400",
                             "+-1", "1.2.3", "1e", "2 5", "5abc"})
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
}

TEST(Numbers, RoundsHalfToEvenAndRefusesWhatDoesNotFit)
{
    const std::pair<double, std::optional<std::int16_t>> integers[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.4, 0}, {32767.4, 32767},
        {32767.5, std::nullopt}, {-32768.5, -32768}, {-32769, std::nullopt},
        {std::nan(""), std::nullopt}, {std::numeric_limits<double>::infinity(), std::nullopt}};
    for (const auto& [value, expected] : integers)
        EXPECT_EQ(toInteger(value), expected) << value;
    const std::pair<double, std::optional<std::int32_t>> longs[] = {
        {2.5, 2}, {-3.5, -4}, {32767.5, 32768}, {2147483646.5, 2147483646},
        {2147483647.5, std::nullopt}, {-2147483648.5, -2147483648}, {std::nan(""), std::nullopt}};
    for (const auto& [value, expected] : longs)
        EXPECT_EQ(toLong(value), expected) << value;
}

}  // namespace
