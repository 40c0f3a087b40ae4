#pragma once
// The one way a page changes part of a protector register: read it once, keep the bits outside
// the field, put the new field in, write it once. No delay, no read-back.
#include <cstdint>
#include <optional>

namespace common { class WindowRegistry; }

namespace protector {

// `value` is already in place within `mask` (bits outside the mask are ignored). A failed read
// writes nothing, so no byte is ever built from a value the chip did not give; its status is
// returned. Otherwise the write's status is returned.
std::int32_t updateField(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t mask, std::uint8_t value);

// A fill sets boxes whose Clicks write back the bit just shown. After a failed fill read that
// bit is one the chip never gave, so while the fill holds the register its updates read as ever
// but write nothing. A click the user makes is never held: the fill lets go before it returns.
class FillHold {
public:
    explicit FillHold(common::WindowRegistry& program) : program_(program) {}

    // The fill's read of `reg` into d. A failed one holds `reg` until the next read or release().
    void read(std::uint8_t reg, std::uint8_t& d);
    void release() { held_.reset(); }
    // updateField, or for a held register its read alone.
    std::int32_t update(std::uint8_t reg, std::uint8_t mask, std::uint8_t value);

private:
    common::WindowRegistry& program_;
    std::optional<std::uint8_t> held_;
};

}  // namespace protector
