#pragma once
// Number text and whole-number conversions, rounding half to even as the classic runtime does.
#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

// The whole text as a decimal number (optional sign, digits, optional fraction, blanks around);
// nothing when it is empty or not such a number.
std::optional<double> parseNumber(std::string_view text);
// Rounded half to even; nothing when the result does not fit.
std::optional<std::int16_t> toInteger(double value);
std::optional<std::int32_t> toLong(double value);

}  // namespace common
