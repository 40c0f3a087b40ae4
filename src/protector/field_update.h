#pragma once
// The one way a page changes part of a protector register: read it once, keep the bits outside
// the field, put the new field in, write it once. No delay, no read-back.
#include <cstdint>

namespace common { class WindowRegistry; }

namespace protector {

// `value` is already in place within `mask` (bits outside the mask are ignored). A failed read
// writes nothing, so no byte is ever built from a value the chip did not give; its status is
// returned. Otherwise the write's status is returned.
std::int32_t updateField(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t mask, std::uint8_t value);

}  // namespace protector
