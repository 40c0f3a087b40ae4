#include "main_window/setpoint_rows.h"

#include <algorithm>

#include "platform/forms/check_box.h"

namespace main_window {

void decompose(SetpointRow& row, double remainder)
{
    const SetpointField& f = row.field;
    for (int i = f.topBit; i >= f.bottomBit; --i) {
        platform::forms::CheckBox& bit = *row.bits[static_cast<std::size_t>(i)];
        const double weight = static_cast<double>(f.step) * static_cast<double>(1 << (i - f.bottomBit));
        if (weight <= remainder) {
            bit.setValue(1);
            bit.setBackColor(SetBitColor);
            bit.setCaption("1");
            remainder -= weight;
        } else {
            bit.setValue(0);
            bit.setBackColor(ClearBitColor);
            bit.setCaption("0");
        }
    }
}

void packRow(const SetpointRow& row, std::uint8_t& ms, std::uint8_t& ls)
{
    const std::uint16_t word = packBits(row.bits);
    ms = static_cast<std::uint8_t>(word >> 8);
    ls = static_cast<std::uint8_t>(word & 0xFF);
}

namespace {

// Digits only, any number of them; more than nine significant digits lie above every limit, so
// they stand for one large value and nothing downstream can overflow.
std::optional<long> plainDecimal(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() > 9)
        return 1'000'000'000L;
    long value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

WriteFix setTo(long value, bool overLimit = false)
{
    return {std::to_string(value), overLimit, static_cast<std::int16_t>(value)};
}

WriteFix keep(long value, bool overLimit)
{
    return {std::nullopt, overLimit, static_cast<std::int16_t>(value)};
}

}  // namespace

std::optional<WriteFix> fixWriteValue(const SetpointField& field, std::string_view text)
{
    const std::optional<long> parsed = plainDecimal(text);
    if (!parsed)
        return std::nullopt;
    const long v = *parsed;
    // Above the warning limit the value still goes out, clamped only to what the row holds.
    if (v > field.warnAbove)
        return v > field.highest() ? setTo(field.highest(), true) : keep(v, true);
    if (v < field.lowest)
        return setTo(field.below == BelowLowest::Lowest && v > 0 ? field.lowest : 0);
    return setTo(v / field.step * field.step);
}

}  // namespace main_window
