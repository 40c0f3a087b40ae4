#pragma once
// Which control of the EEPROM page stands for which bits of the configuration registers
// 0x06-0x0A, and the values the codes stand for. The page fills its controls from a register
// byte by this map, and the programming forms the byte from the controls by the same map.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform::forms { class ComboBox; }

namespace protector {

enum class FieldKind { List, Check, Delay };

struct EepromField {
    const char* control;
    std::uint8_t reg;
    int shift;                           // the field's lowest bit
    int codes;                           // how many codes the field holds
    FieldKind kind;
    std::span<const char* const> items;  // a list's design items in code order; empty for cboUvDelay
    std::uint8_t mask() const { return static_cast<std::uint8_t>((codes - 1) << shift); }
};

// In register order, and within a register in the order the programming settles them.
extern const std::array<EepromField, 13> EepromFields;
inline constexpr std::array<std::uint8_t, 5> EepromRegisters{0x06, 0x07, 0x08, 0x09, 0x0A};
// The field of a control named in the map (a design fault throws std::logic_error).
const EepromField& eepromField(std::string_view control);

// The item a list stands for: its selection, else the first item its text equals; -1 for none.
int chosenItem(const platform::forms::ComboBox& list);

// The UV delay list: 16 items, index = UVD code. With FS set items 0-7 scale with the cell count.
inline constexpr int UvDelayItems = 16;
std::string uvDelayItem(int code, bool fsSet, std::uint8_t cellCount);

// The over-current delay in ms that an OCDELAY code (bits 0-4) stands for, as text.
std::string ocDelayText(int code);
// The code of an accepted delay text (20..320 in steps of 20, 400..1600 in steps of 100).
std::optional<int> ocDelayCode(std::string_view text);
// What the delay box makes of a number typed into it: the nearest accepted delay.
std::string nearestOcDelay(double v);

}  // namespace protector
