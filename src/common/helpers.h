#pragma once
// Small helpers every window shares.
#include <cstdint>
#include <string>

namespace platform::forms { class Platform; class Form; class TextBox; }

namespace common {

// Waits `seconds`, pumping events; ends at once when the system timer passes midnight.
void Delay(platform::forms::Platform& platform, float seconds);
// Upper-case hex, at least two digits: 5 -> "05", 171 -> "AB", 256 -> "100".
std::string Hex2(long value);
void CenterForm(platform::forms::Form& form);
// 0..255 for up to two hex digits ("" gives 0), else -1.
std::int16_t ParseHexByte(std::string text);
void SelectAllText(platform::forms::TextBox& box);
std::int16_t FilterHexKey(std::int16_t keyAscii);
std::int16_t FilterDigitKey(std::int16_t keyAscii);
// A key code from the view through one of the filters above; a code beyond 16 bits would wrap
// round onto a digit, so it is dropped (0).
int filterKey(int keyAscii, std::int16_t (*filter)(std::int16_t));

}  // namespace common
