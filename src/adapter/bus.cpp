#include "adapter/bus.h"

#include "adapter/frm_usb.h"
#include "common/window_registry.h"

namespace adapter {

std::int32_t ReadByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t& data)
{
    std::int16_t address = reg;
    std::int16_t value = data;
    return program.usb().I2CReadByte(address, value, data);
}

std::int32_t WriteByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t data)
{
    std::int16_t address = reg;
    std::int16_t value = data;
    return program.usb().I2CWriteByte(address, value);
}

std::int32_t ReadWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t& ms, std::uint8_t& ls)
{
    std::int32_t status = retried([&] { return program.usb().ReadSMBusWord(command, ms, ls); });
    BusStatusHook(status);
    return status;
}

std::int32_t WriteWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t ms, std::uint8_t ls)
{
    std::int32_t status = retried([&] { return program.usb().WriteSMBusWord(command, ms, ls); });
    BusStatusHook(status);
    return status;
}

// The final status of every word transfer passes here; a place for a breakpoint, nothing more.
void BusStatusHook(std::int32_t& /*status*/) {}

}  // namespace adapter
