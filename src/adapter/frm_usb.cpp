#include "adapter/frm_usb.h"

#include <limits>
#include <string>
#include <vector>

#include "common/program.h"
#include "platform/busctl/dispatch.h"

namespace adapter {

namespace busctl = platform::busctl;
using busctl::Arg;
using busctl::Passing;

namespace {

std::int32_t asLong(const busctl::Variant& value)
{
    if (const auto* i = std::get_if<std::int16_t>(&value))
        return *i;
    if (const auto* l = std::get_if<std::int32_t>(&value))
        return *l;
    return 0;
}

std::int16_t asInteger(const busctl::Variant& value)
{
    return static_cast<std::int16_t>(asLong(value));
}

// A status is a 16-bit value; anything that is not one cannot mean success.
std::int32_t asStatus(const busctl::Variant& result)
{
    if (std::holds_alternative<std::string>(result))
        return -1;
    const std::int32_t value = asLong(result);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return -1;
    return value;
}

Arg integer(std::int16_t v, Passing p) { return Arg{busctl::Variant{v}, p}; }
Arg longArg(std::int32_t v, Passing p) { return Arg{busctl::Variant{v}, p}; }

}  // namespace

frmUSB::frmUSB(common::Program& program)
    : Form(program.platform(), "frmUSB"), program(program)
{
    setCaption("USB Driver Installation");
    move(0, 0, 6690, 3780);
}

bool frmUSB::OpenFirstFreeDevice()
{
    std::vector<Arg> list{longArg(1, Passing::ByValue), longArg(0, Passing::ByRef),
                          Arg{busctl::Variant{std::string()}, Passing::ByRef}};
    program.adapterControl().invoke(busctl::op::ListFreeDevices, list);
    if (asLong(list[1].value) < 1)
        return false;
    std::string names;
    if (const auto* s = std::get_if<std::string>(&list[2].value))
        names = *s;
    if (const auto comma = names.find(','); comma != std::string::npos)
        names.resize(comma);
    std::vector<Arg> open{Arg{busctl::Variant{names}, Passing::ByRef}};
    return asStatus(program.adapterControl().invoke(busctl::op::OpenDevice, open)) == 0;
}

void frmUSB::CloseDevice()
{
    std::vector<Arg> none;
    program.adapterControl().invoke(busctl::op::CloseAdapter, none);
}

std::int32_t frmUSB::HDQ8WriteRegister(std::uint8_t& yCommand, std::uint8_t& yData)
{
    std::vector<Arg> args{longArg(1, Passing::ByValue), integer(yCommand, Passing::ByRef),
                          integer(yData, Passing::ByRef)};
    std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::HDQWriteCmd, args));
    if (status == 0) {
        std::vector<Arg> none;
        status = asStatus(program.adapterControl().invoke(busctl::op::ConfirmWrite, none));
    }
    return status;
}

std::int32_t frmUSB::EEReadByte(std::int16_t& nAddr, std::int16_t& /*nWriteData*/, std::int16_t& nReadData)
{
    std::vector<Arg> args{longArg(1, Passing::ByValue),
                          integer(program.vars().giDeviceAddress, Passing::ByRef),
                          integer(nAddr, Passing::ByRef), integer(nReadData, Passing::ByRef)};
    const std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::RegisterTransfer, args));
    nAddr = asInteger(args[2].value);
    nReadData = asInteger(args[3].value);
    return status;
}

std::int32_t frmUSB::I2CReadByte(std::int16_t& nAddr, std::int16_t& nReadData, std::uint8_t& yRetByte)
{
    std::vector<Arg> args{longArg(2, Passing::ByValue),
                          integer(program.vars().giDeviceAddress, Passing::ByRef),
                          integer(nAddr, Passing::ByRef), integer(nReadData, Passing::ByRef)};
    const std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::RegisterTransfer, args));
    nAddr = asInteger(args[2].value);
    nReadData = asInteger(args[3].value);
    yRetByte = static_cast<std::uint8_t>(nReadData);
    return status;
}

std::int32_t frmUSB::I2CWriteByte(std::int16_t& nAddr, std::int16_t& nWriteData)
{
    std::vector<Arg> args{longArg(1, Passing::ByValue),
                          integer(program.vars().giDeviceAddress, Passing::ByRef),
                          integer(nAddr, Passing::ByRef), integer(nWriteData, Passing::ByRef)};
    const std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::RegisterTransfer, args));
    nAddr = asInteger(args[2].value);
    nWriteData = asInteger(args[3].value);
    return status;
}

std::int32_t frmUSB::WriteI2C(std::int16_t&, std::int16_t&, std::int16_t&, std::int16_t&)
{
    std::vector<Arg> args{longArg(0, Passing::ByValue), integer(1, Passing::ByRef),
                          integer(1, Passing::ByRef), integer(1, Passing::ByRef)};
    return asStatus(program.adapterControl().invoke(busctl::op::RegisterTransfer, args));
}

std::int32_t frmUSB::HDQ8ReadRegister(std::uint8_t& yCommand, std::uint8_t& yRtnByte)
{
    std::vector<Arg> args{longArg(1, Passing::ByValue), integer(yCommand, Passing::ByRef),
                          integer(yRtnByte, Passing::ByRef)};
    const std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::HDQReadCmd, args));
    yRtnByte = static_cast<std::uint8_t>(asInteger(args[2].value));
    return status;
}

std::int32_t frmUSB::HDQ8Break() { return 0; }

std::int32_t frmUSB::ReadSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData)
{
    std::vector<Arg> args{integer(ySubCommand, Passing::ByRef), integer(0, Passing::ByRef),
                          integer(static_cast<std::uint8_t>(program.vars().giDeviceAddress), Passing::ByValue)};
    const std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::ReadWordCmd, args));
    if (status != 0)
        return status;
    const auto word = static_cast<std::uint16_t>(asInteger(args[1].value));
    yMSData = static_cast<std::uint8_t>(word >> 8);
    yLSData = static_cast<std::uint8_t>(word & 0xFF);
    return 0;
}

std::int32_t frmUSB::WriteSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData)
{
    const auto word = static_cast<std::int16_t>(static_cast<std::uint16_t>(yMSData << 8 | yLSData));
    std::vector<Arg> args{integer(ySubCommand, Passing::ByValue), integer(word, Passing::ByRef),
                          integer(static_cast<std::uint8_t>(program.vars().giDeviceAddress), Passing::ByValue)};
    std::int32_t status = asStatus(program.adapterControl().invoke(busctl::op::WriteWordCmd, args));
    if (status == 0) {
        std::vector<Arg> none;
        status = asStatus(program.adapterControl().invoke(busctl::op::ConfirmWrite, none));
    }
    return status;
}

}  // namespace adapter
