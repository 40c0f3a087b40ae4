#include "adapter/frm_usb.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "common/window_registry.h"
#include "platform/busctl/dispatch.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"

namespace adapter {

using platform::busctl::Arg;
using platform::busctl::Passing;
using platform::busctl::Variant;
namespace op = platform::busctl::op;
namespace forms = platform::forms;

namespace {

// A status the control cannot have meant: a result that is no 16-bit integer, or a byte read
// that does not fit a byte. Non-zero, so callers see a failure rather than a false success.
constexpr std::int32_t BadResult = -1;

std::int32_t toStatus(const Variant& result)
{
    if (auto* i = std::get_if<std::int16_t>(&result))
        return *i;
    if (auto* l = std::get_if<std::int32_t>(&result)) {
        if (*l >= std::numeric_limits<std::int16_t>::min() && *l <= std::numeric_limits<std::int16_t>::max())
            return *l;
    }
    return BadResult;
}

// A by-reference Integer read back after the call; a control that stored another type leaves the
// caller's value as it was.
std::int16_t integerOf(const Variant& v, std::int16_t old)
{
    if (auto* i = std::get_if<std::int16_t>(&v))
        return *i;
    if (auto* l = std::get_if<std::int32_t>(&v); l && *l >= -32768 && *l <= 32767)
        return static_cast<std::int16_t>(*l);
    return old;
}

Arg integerByVal(std::int16_t v) { return {Variant{v}, Passing::ByValue}; }
Arg integerByRef(std::int16_t v) { return {Variant{v}, Passing::ByRef}; }
Arg longByVal(std::int32_t v) { return {Variant{v}, Passing::ByValue}; }

// The device address goes to the control as a byte value in an Integer.
std::int16_t addressByte(std::int16_t address) { return static_cast<std::int16_t>(address & 0xFF); }

bool isByte(std::int16_t v) { return v >= 0 && v <= 255; }

// The byte result follows the data whatever the status; data that is no byte cannot be a good
// read.
std::int32_t takeByte(std::int32_t status, std::int16_t data, std::uint8_t& byte)
{
    if (!isByte(data))
        return status == 0 ? BadResult : status;
    byte = static_cast<std::uint8_t>(data);
    return status;
}

}  // namespace

frmUSB::frmUSB(common::WindowRegistry& program)
    : Form(program.platform(), "frmUSB"), program_(program)
{
    setCaption("USB Driver Installation");
    move(0, 0, 6690, 3780);
    auto& label1 = add<forms::Label>("Label1");
    label1.move(240, 240, 6135, 495);
    label1.setCaption("Instructions for USB Driver Installation");
    label1.setFont(forms::Font{"MS Sans Serif", 13.5});
    auto& label2 = add<forms::Label>("Label2");
    label2.move(240, 960, 3015, 255);
    label2.setCaption("Your Windows version is reported as:");
    auto& label3 = add<forms::Label>("Label3");
    label3.move(3360, 960, 3015, 255);
    label3.setCaption("Label3");
    auto& command1 = add<forms::CommandButton>("Command1");
    command1.move(2760, 2760, 1095, 375);
    command1.setCaption("OK");
}

// Once the program has ended nothing more reaches the bus: a handler that pumped events while
// File > Exit ran goes on to its end, but every transfer it still makes fails here.
// A control that hands back fewer arguments, or other types, than it was given has written
// nothing the caller can read: the call fails and the arguments are put back as they went in.
Variant frmUSB::call(int dispId, std::vector<Arg>& args)
{
    const Variant failed{static_cast<std::int16_t>(BadResult)};
    if (program_.platform().ended())
        return failed;
    const std::vector<Arg> sent = args;
    Variant result = program_.adapterControl().invoke(dispId, args);
    const bool sameShape = std::ranges::equal(args, sent, [](const Arg& back, const Arg& in) {
        return back.value.index() == in.value.index();
    });
    if (!sameShape) {
        args = sent;
        return failed;
    }
    return result;
}

// One byte transfer at the current device address; the control may write back into every
// by-reference argument, the device address included.
std::int32_t frmUSB::registerTransfer(std::int32_t mode, std::int16_t& reg, std::int16_t& data)
{
    auto& address = program_.vars().giDeviceAddress;
    std::vector<Arg> args{longByVal(mode), integerByRef(address), integerByRef(reg), integerByRef(data)};
    const std::int32_t status = toStatus(call(op::RegisterTransfer, args));
    address = integerOf(args[1].value, address);
    reg = integerOf(args[2].value, reg);
    data = integerOf(args[3].value, data);
    return status;
}

bool frmUSB::OpenFirstFreeDevice()
{
    std::vector<Arg> list{longByVal(1), {Variant{std::int32_t{0}}, Passing::ByRef}, {Variant{std::string()}, Passing::ByRef}};
    call(op::ListFreeDevices, list);
    std::int32_t count = 0;
    if (auto* l = std::get_if<std::int32_t>(&list[1].value))
        count = *l;
    else if (auto* i = std::get_if<std::int16_t>(&list[1].value))
        count = *i;
    if (count < 1)
        return false;
    std::string names;
    if (auto* s = std::get_if<std::string>(&list[2].value))
        names = *s;
    if (auto comma = names.find(','); comma != std::string::npos)
        names.resize(comma);
    std::vector<Arg> open{{Variant{names}, Passing::ByRef}};
    return toStatus(call(op::OpenDevice, open)) == 0;
}

void frmUSB::CloseDevice()
{
    std::vector<Arg> none;
    call(op::CloseAdapter, none);
}

std::int32_t frmUSB::HDQ8WriteRegister(std::uint8_t& yCommand, std::uint8_t& yData)
{
    std::vector<Arg> args{longByVal(1), integerByRef(yCommand), integerByRef(yData)};
    std::int32_t status = toStatus(call(op::HDQWriteCmd, args));
    if (status == 0) {
        std::vector<Arg> none;
        status = toStatus(call(op::ConfirmWrite, none));
    }
    return status;
}

std::int32_t frmUSB::EEReadByte(std::int16_t& nAddr, std::int16_t& /*nWriteData*/, std::int16_t& nReadData)
{
    return registerTransfer(1, nAddr, nReadData);
}

std::int32_t frmUSB::I2CReadByte(std::int16_t& nAddr, std::int16_t& nReadData, std::uint8_t& yRetByte)
{
    const std::int32_t status = registerTransfer(2, nAddr, nReadData);
    return takeByte(status, nReadData, yRetByte);
}

std::int32_t frmUSB::I2CWriteByte(std::int16_t& nAddr, std::int16_t& nWriteData)
{
    return registerTransfer(1, nAddr, nWriteData);
}

std::int32_t frmUSB::WriteI2C(std::int16_t&, std::int16_t&, std::int16_t&, std::int16_t&)
{
    std::int16_t k = 1;
    std::vector<Arg> args{longByVal(0), integerByRef(k), integerByRef(k), integerByRef(k)};
    return toStatus(call(op::RegisterTransfer, args));
}

std::int32_t frmUSB::HDQ8ReadRegister(std::uint8_t& yCommand, std::uint8_t& yRtnByte)
{
    std::vector<Arg> args{longByVal(1), integerByRef(yCommand), integerByRef(yRtnByte)};
    const std::int32_t status = toStatus(call(op::HDQReadCmd, args));
    return takeByte(status, integerOf(args[2].value, yRtnByte), yRtnByte);
}

std::int32_t frmUSB::HDQ8Break() { return 0; }

std::int32_t frmUSB::ReadSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData)
{
    std::vector<Arg> args{integerByRef(ySubCommand), integerByRef(0), integerByVal(addressByte(program_.vars().giDeviceAddress))};
    std::int32_t status = toStatus(call(op::ReadWordCmd, args));
    if (status != 0)
        return status;
    // A word that came back as no 16-bit integer is no good read.
    const auto* wordRead = std::get_if<std::int16_t>(&args[1].value);
    if (!wordRead)
        return BadResult;
    auto word = static_cast<std::uint16_t>(*wordRead);
    yMSData = static_cast<std::uint8_t>(word >> 8);
    yLSData = static_cast<std::uint8_t>(word & 0xFF);
    return 0;
}

std::int32_t frmUSB::WriteSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData)
{
    auto word = static_cast<std::int16_t>(static_cast<std::uint16_t>(yMSData << 8 | yLSData));
    std::vector<Arg> args{integerByVal(ySubCommand), integerByRef(word), integerByVal(addressByte(program_.vars().giDeviceAddress))};
    std::int32_t status = toStatus(call(op::WriteWordCmd, args));
    if (status == 0) {
        std::vector<Arg> none;
        status = toStatus(call(op::ConfirmWrite, none));
    }
    return status;
}

}  // namespace adapter
