#pragma once
// The three charger set-point registers as the application screen shows them: a row of 16 bit
// toggles (index = bit), a value box and an over-limit label, plus the two rules shared by the
// Write buttons, the keep-alive and "Input by File": setting a row's field from a number, and
// packing a whole row into the two bytes of a word.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "main_window/bit_row.h"
#include "platform/forms/types.h"

namespace platform::forms { class CheckBox; class TextBox; class Label; }

namespace main_window {

inline constexpr platform::forms::Color OutsideFieldColor = 0x00C0C0C0;

// What a Write makes of a value below the field's lowest set-point.
enum class BelowLowest { Zero, Lowest };

// A register's field: toggles bottomBit..topBit, toggle i worth step * 2^(i - bottomBit), and the
// limits a Write holds a typed value to. Above warnAbove the over-limit label shows.
struct SetpointField {
    std::uint8_t command;
    int bottomBit;
    int topBit;
    int step;
    long warnAbove;
    long lowest;
    BelowLowest below;
    long highest() const { return ((1L << (topBit - bottomBit + 1)) - 1) * step; }
};

inline constexpr SetpointField ChargeCurrentField{0x14, 7, 12, 128, 8064, 128, BelowLowest::Zero};
inline constexpr SetpointField ChargeVoltageField{0x15, 4, 14, 16, 19200, 1024, BelowLowest::Zero};
inline constexpr SetpointField InputCurrentField{0x3F, 7, 12, 256, 11004, 256, BelowLowest::Lowest};

struct SetpointRow {
    const SetpointField& field;
    BitRow bits{};
    platform::forms::TextBox* valueBox = nullptr;
    platform::forms::Label* overLimitLabel = nullptr;
};

// Greedy split from the top bit down: each toggle of the field whose weight fits the remainder is
// set (Value 1, green, caption "1") and its weight taken off; the others are cleared (Value 0,
// red, caption "0"). Toggles outside the field are not touched. The caller holds gbUpdatingBits.
void decompose(SetpointRow& row, double remainder);

// All 16 toggles into a word: low byte toggles 0-7, high byte toggles 8-15; Value 1 counts.
void packRow(const SetpointRow& row, std::uint8_t& ms, std::uint8_t& ls);

// What a Write button makes of its value box: the text it puts back (when it changes it), whether
// the over-limit label shows, and the set-point the row is set from. Nothing when the text is not
// a plain decimal integer of digits only (the key filter lets nothing else in; a paste can): the
// button then does nothing, as for an empty box.
struct WriteFix {
    std::optional<std::string> newText;
    bool overLimit = false;
    std::int16_t setpoint = 0;
};
std::optional<WriteFix> fixWriteValue(const SetpointField& field, std::string_view text);

}  // namespace main_window
