#pragma once
// What the screens' rows of 16 bit boxes share: their colours and packing a row into a word.
#include <array>
#include <cstdint>

#include "platform/forms/types.h"

namespace platform::forms { class CheckBox; }

namespace main_window {

// A bit cell's colours on the application screen: light green set, light red clear.
inline constexpr platform::forms::Color SetBitColor = 0x0080FF80;
inline constexpr platform::forms::Color ClearBitColor = 0x008080FF;

// Bit boxes, index = bit.
using BitRow = std::array<platform::forms::CheckBox*, 16>;

// The word a row shows: each box with Value 1 sets its bit.
std::uint16_t packBits(const BitRow& bits);

}  // namespace main_window
