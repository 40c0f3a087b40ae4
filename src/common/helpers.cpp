#include "common/helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/text_box.h"

namespace common {

namespace {
constexpr double SecondsPerDay = 86400.0;
}

void Delay(platform::forms::Platform& platform, float seconds)
{
    // Written as a positive test so that NaN, which compares false both ways, also returns.
    if (!(seconds > 0))
        return;
    // The system timer is a single-precision count of seconds since midnight, as the classic
    // runtime gives it; the end test uses the same precision.
    const float start = static_cast<float>(platform.systemTimer());
    const float end = start + seconds;
    for (;;) {
        float now = static_cast<float>(platform.systemTimer());
        if (now >= end || now < start)
            return;
        platform.doEvents();
        const double timer = platform.systemTimer();
        now = static_cast<float>(timer);
        if (now >= end || now < start)
            return;
        // Sleep until the next event, the end or midnight (where the timer wraps and the wait
        // ends) instead of spinning; at least 1 ms, and never more than a day.
        const double untilMs = std::min(static_cast<double>(end) - now, SecondsPerDay - timer) * 1000.0;
        const auto waitMs = static_cast<std::int64_t>(std::clamp(std::ceil(untilMs), 1.0, SecondsPerDay * 1000.0));
        platform.waitForEvents(platform.nowMs() + waitMs);
    }
}

std::string Hex2(long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(value < 0 ? static_cast<std::uint32_t>(value) : value));
    std::string result = text;
    return result.size() == 1 ? "0" + result : result;
}

void CenterForm(platform::forms::Form& form)
{
    auto& platform = form.platform();
    double left = platform.screenWidth() / 2.0 - form.width() / 2.0;
    form.setLeft(static_cast<int>(std::lround(left)));
    double top = platform.screenHeight() / 2.0 - form.height() / 2.0;
    form.setTop(static_cast<int>(std::lround(top)));
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
    bool passes = (keyAscii >= 48 && keyAscii <= 57) || (keyAscii >= 65 && keyAscii <= 70) ||
                  (keyAscii >= 97 && keyAscii <= 102) || keyAscii == 8;
    return passes ? keyAscii : 0;
}

std::int16_t FilterDigitKey(std::int16_t keyAscii)
{
    return (keyAscii >= 48 && keyAscii <= 57) || keyAscii == 8 ? keyAscii : 0;
}

int filterKey(int keyAscii, std::int16_t (*filter)(std::int16_t))
{
    const bool fits = keyAscii >= std::numeric_limits<std::int16_t>::min() &&
                      keyAscii <= std::numeric_limits<std::int16_t>::max();
    return fits ? filter(static_cast<std::int16_t>(keyAscii)) : 0;
}

}  // namespace common
