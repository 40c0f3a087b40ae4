#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Half to even, on the exact double: no dependence on the floating-point rounding mode.
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

template <class Int>
std::optional<Int> toWhole(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> parseNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits with at most one point, and at least one digit; from_chars alone would also take
    // exponents, "inf" and "nan".
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (isDigit(c))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;

    // A leading or trailing point gets its zero, for libraries that want a digit on each side.
    std::string plain(text);
    if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    if (plain.back() == '.')
        plain.push_back('0');
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc{} || end != plain.data() + plain.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> toInteger(double value) { return toWhole<std::int16_t>(value); }

std::optional<std::int32_t> toLong(double value) { return toWhole<std::int32_t>(value); }

}  // namespace common
