#include "protector/field_update.h"

#include "adapter/bus.h"

namespace protector {

std::int32_t updateField(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t mask, std::uint8_t value)
{
    std::uint8_t d = 0;
    if (const std::int32_t status = adapter::ReadByteReg(program, reg, d); status != 0)
        return status;
    return adapter::WriteByteReg(program, reg, static_cast<std::uint8_t>((d & ~mask) | (value & mask)));
}

void FillHold::read(std::uint8_t reg, std::uint8_t& d)
{
    const bool failed = adapter::ReadByteReg(program_, reg, d) != 0;
    held_ = failed ? std::optional(reg) : std::nullopt;
}

std::int32_t FillHold::update(std::uint8_t reg, std::uint8_t mask, std::uint8_t value)
{
    if (held_ != reg)
        return updateField(program_, reg, mask, value);
    std::uint8_t d = 0;
    return adapter::ReadByteReg(program_, reg, d);
}

}  // namespace protector
