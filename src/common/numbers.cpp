#include "common/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

template <class Int>
std::optional<Int> roundedToFit(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double rounded = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
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
    // Only digits with an optional fraction and exponent; no second sign, no "inf", no hex.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> toInteger(double value) { return roundedToFit<std::int16_t>(value); }
std::optional<std::int32_t> toLong(double value) { return roundedToFit<std::int32_t>(value); }

}  // namespace common
