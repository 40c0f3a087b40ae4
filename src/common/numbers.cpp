#include "common/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number after &H or &O; a digit beyond the radix ends it. Sets `used` to the digits read.
double radixDigits(std::string_view digits, int radix, std::size_t& used)
{
    double value = 0;
    for (used = 0; used < digits.size(); ++used) {
        const char c = digits[used];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const int digit = isDigit(c) ? c - '0' : (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : radix;
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return std::isfinite(value) ? value : 0;
}

struct Leading {
    double value = 0;
    bool whole = false;  // digits were read and nothing but blanks follows them
};

Leading readLeading(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    }
    std::string_view rest = kept;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    double value = 0;
    std::size_t end = 0;
    bool digits = false;
    if (rest.size() >= 2 && rest.front() == '&') {
        const char prefix = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[1])));
        if (prefix == 'h' || prefix == 'o') {
            value = radixDigits(rest.substr(2), prefix == 'h' ? 16 : 8, end);
            digits = end > 0;
            end += 2;
        }
    } else {
        // The longest prefix of digits, one point and a complete exponent; from_chars then rounds it.
        bool point = false;
        while (end < rest.size() && (isDigit(rest[end]) || (rest[end] == '.' && !point))) {
            point = point || rest[end] == '.';
            ++end;
        }
        digits = rest.substr(0, end).find_first_of("0123456789") != std::string_view::npos;
        if (digits && end < rest.size() && (rest[end] == 'e' || rest[end] == 'E')) {
            std::size_t exponent = end + 1;
            if (exponent < rest.size() && (rest[exponent] == '+' || rest[exponent] == '-'))
                ++exponent;
            if (exponent < rest.size() && isDigit(rest[exponent])) {
                while (exponent < rest.size() && isDigit(rest[exponent]))
                    ++exponent;
                end = exponent;
            }
        }
        // from_chars wants a digit before a lone leading point.
        std::string number = digits ? "0" + std::string(rest.substr(0, end)) : "0";
        auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                             std::chars_format::general);
        if (error != std::errc() || !std::isfinite(value))
            value = 0;
    }
    return {negative && value != 0 ? -value : value, digits && end == rest.size()};
}

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

double leadingNumber(std::string_view text) { return readLeading(text).value; }

std::optional<double> wholeNumber(std::string_view text)
{
    const Leading read = readLeading(text);
    return read.whole ? std::optional(read.value) : std::nullopt;
}

std::string decimalText(double value)
{
    if (value == 0)
        return "0";  // also for -0
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    if (error != std::errc())
        return "0";
    std::string result(text, end);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));  // 1E+15, INF, NAN
    return result;
}

std::optional<std::int16_t> toInteger(double value) { return roundedToFit<std::int16_t>(value); }
std::optional<std::int32_t> toLong(double value) { return roundedToFit<std::int32_t>(value); }

}  // namespace common
