// Feeds arbitrary bytes to the two number readings and checks how they agree.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/numbers.h"

using common::leadingNumber;
using common::parseNumber;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double leading = leadingNumber(text);
    if (!std::isfinite(leading))
        std::abort();
    // A whole decimal number is also the number the text begins with.
    if (const auto whole = parseNumber(text); whole && *whole != leading)
        std::abort();
    if (const auto number = common::wholeNumber(text); number && *number != leading)
        std::abort();
    // Blanks, tabs and line feeds count nowhere.
    std::string spread;
    for (char c : text) {
        spread += c;
        spread += " \t\n"[static_cast<unsigned char>(c) % 3];
    }
    if (leadingNumber(spread) != leading)
        std::abort();
    // What follows a number cannot change it, unless it continues it.
    if (leadingNumber(std::string(text) + "x") != leading)
        std::abort();
    return 0;
}
