#include "common/helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/text_box.h"

namespace common {

void Delay(platform::forms::Platform& platform, float seconds)
{
    if (!(seconds > 0))
        return;
    // Single precision, as the classic timer value: the end is compared the way it was stored.
    const float start = static_cast<float>(platform.systemTimer());
    const float end = start + seconds;
    for (;;) {
        const float now = static_cast<float>(platform.systemTimer());
        if (!(now < end) || now < start || platform.ended())
            return;
        platform.doEvents();
        // Sleep until the next event or the end instead of spinning; at least 1 ms, so a float
        // end that lies a hair past the clock cannot turn the wait into a busy loop.
        const double left = static_cast<double>(end) - platform.systemTimer();
        const auto waitMs = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(left * 1000.0)));
        platform.waitForEvents(platform.nowMs() + waitMs);
    }
}

std::string Hex2(long value)
{
    char text[24];
    // Negative values show as the 32-bit pattern, as the classic Hex of a Long.
    std::snprintf(text, sizeof text, "%lX",
                  value < 0 ? static_cast<unsigned long>(static_cast<std::uint32_t>(value))
                            : static_cast<unsigned long>(value));
    std::string hex(text);
    return hex.size() == 1 ? "0" + hex : hex;
}

void CenterForm(platform::forms::Form& form)
{
    auto& platform = form.platform();
    form.setLeft(static_cast<int>(std::lround(platform.screenWidth() / 2.0 - form.width() / 2.0)));
    form.setTop(static_cast<int>(std::lround(platform.screenHeight() / 2.0 - form.height() / 2.0)));
}

std::int16_t ParseHexByte(std::string text)
{
    if (text.size() > 2)
        return -1;
    std::int16_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return -1;
        value = static_cast<std::int16_t>(value * 16 + digit);
    }
    return value;
}

void SelectAllText(platform::forms::TextBox& box)
{
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(box.text().size()));
}

std::int16_t FilterHexKey(std::int16_t keyAscii)
{
    const bool pass = (keyAscii >= '0' && keyAscii <= '9') || (keyAscii >= 'A' && keyAscii <= 'F') ||
                      (keyAscii >= 'a' && keyAscii <= 'f') || keyAscii == 8;
    return pass ? keyAscii : 0;
}

std::int16_t FilterDigitKey(std::int16_t keyAscii)
{
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 ? keyAscii : 0;
}

}  // namespace common
