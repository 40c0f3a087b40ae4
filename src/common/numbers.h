#pragma once
// Number text and whole-number conversions, rounding half to even as the classic runtime does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// The whole text as a decimal number (optional sign, digits, optional fraction, blanks around);
// nothing when it is empty or not such a number.
std::optional<double> parseNumber(std::string_view text);
// The number the text begins with, as the classic runtime's Val reads it: blanks, tabs and line
// feeds are skipped anywhere; an optional sign, then digits with at most one decimal point and an
// optional exponent (E or e), or a whole number written &H (hex) or &O (octal), either case; the
// reading stops at the first character that cannot continue the number. 0 when the text does not
// begin with a number or the number lies beyond the range of a double.
double leadingNumber(std::string_view text);
// A double as the classic runtime writes it: rounded to 15 significant digits, trailing zeros
// and a trailing point dropped, an exponent (1E+15, 1E-05) only for very large or small values.
// The point is always ".", whatever the locale, so that the text reads back the same.
std::string decimalText(double value);
// The text read by the same rules when it is a number and nothing else, blanks aside.
std::optional<double> wholeNumber(std::string_view text);
// Rounded half to even; nothing when the result does not fit.
std::optional<std::int16_t> toInteger(double value);
std::optional<std::int32_t> toLong(double value);

}  // namespace common
