#pragma once
// Value types shared by every control: colours, fonts, message-box buttons, mouse pointers.
#include <cstdint>
#include <string>

namespace platform::forms {

// 24-bit BGR 0x00BBGGRR, or a system colour 0x800000nn (nn = system colour index).
using Color = std::uint32_t;

namespace colors {
inline constexpr Color WindowBackground = 0x80000005;
inline constexpr Color WindowText = 0x80000008;
inline constexpr Color CaptionText = 0x80000009;
inline constexpr Color HighlightText = 0x8000000E;
inline constexpr Color ButtonFace = 0x8000000F;
inline constexpr Color ButtonText = 0x80000012;
inline constexpr Color White = 0x00FFFFFF;
inline constexpr Color Black = 0x00000000;
}  // namespace colors

inline constexpr bool isSystemColor(Color c) { return (c & 0xFF000000u) == 0x80000000u; }

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// Mouse pointer numbers as the classic runtime numbers them.
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Hourglass = 11;
}  // namespace pointer

enum class Alignment { Left, Right, Center };

// 15 twips make a pixel at 96 dpi.
inline constexpr int TwipsPerPixel = 15;

}  // namespace platform::forms
