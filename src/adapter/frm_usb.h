#pragma once
// The hidden adapter window: the one instance of the USB adapter control and the eleven methods
// that wrap its operations. Created on first use, never shown, kept until the program ends.
#include <cstdint>
#include <vector>

#include "platform/busctl/dispatch.h"
#include "platform/forms/form.h"

namespace common { class WindowRegistry; }

namespace adapter {

class frmUSB : public platform::forms::Form {
public:
    explicit frmUSB(common::WindowRegistry& program);

    // In slot order.
    bool OpenFirstFreeDevice();
    void CloseDevice();
    std::int32_t HDQ8WriteRegister(std::uint8_t& yCommand, std::uint8_t& yData);
    std::int32_t EEReadByte(std::int16_t& nAddr, std::int16_t& nWriteData, std::int16_t& nReadData);
    std::int32_t I2CReadByte(std::int16_t& nAddr, std::int16_t& nReadData, std::uint8_t& yRetByte);
    std::int32_t I2CWriteByte(std::int16_t& nAddr, std::int16_t& nWriteData);
    std::int32_t WriteI2C(std::int16_t& iByte2, std::int16_t& iByte3, std::int16_t& iByte4, std::int16_t& iByte5);
    std::int32_t HDQ8ReadRegister(std::uint8_t& yCommand, std::uint8_t& yRtnByte);
    std::int32_t HDQ8Break();
    std::int32_t ReadSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData);
    std::int32_t WriteSMBusWord(std::uint8_t ySubCommand, std::uint8_t& yMSData, std::uint8_t& yLSData);

private:
    // The one way to the control: every operation goes through here.
    platform::busctl::Variant call(int dispId, std::vector<platform::busctl::Arg>& args);
    std::int32_t registerTransfer(std::int32_t mode, std::int16_t& reg, std::int16_t& data);

    common::WindowRegistry& program_;
};

}  // namespace adapter
