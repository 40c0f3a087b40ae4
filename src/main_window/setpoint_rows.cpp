#include "main_window/setpoint_rows.h"

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
    unsigned low = 0;
    unsigned high = 0;
    for (int i = 0; i < 8; ++i) {
        if (row.bits[static_cast<std::size_t>(i)]->value() == 1) low |= 1u << i;
        if (row.bits[static_cast<std::size_t>(i + 8)]->value() == 1) high |= 1u << i;
    }
    ms = static_cast<std::uint8_t>(high);
    ls = static_cast<std::uint8_t>(low);
}

}  // namespace main_window
