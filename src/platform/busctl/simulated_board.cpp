#include "platform/busctl/simulated_board.h"

#include <string>
#include <utility>

#include "platform/busctl/call_shape.h"

namespace platform::busctl {
namespace {

using namespace board_status;

constexpr int StatusRegister = 0x00;
constexpr int OutputControlRegister = 0x01;
constexpr int FirstEepromRegister = 0x06;
constexpr int EepromControlRegister = 0x0B;
constexpr std::uint8_t VgoodBit = 0x20;
constexpr std::uint8_t FaultBits = 0x1F;
constexpr std::uint8_t LtclrBit = 0x01;

constexpr std::uint8_t EepromUnlock = 0x62;
constexpr std::uint8_t EepromProgram = 0x41;
constexpr std::uint8_t EepromLock = 0x00;

bool isTestModeWord(int command) { return command >= 0x00 && command <= 0x02; }
bool isTrimWord(int command) { return command >= 0x08 && command <= 0x0A; }
bool isTrimCopy(int command) { return command >= 0x0B && command <= 0x0D; }

// The bits a write keeps; empty for a word that refuses writes.
std::optional<std::uint16_t> writableBits(int command) {
    switch (command) {
    case 0x14: return 0x1F80;
    case 0x15: return 0x7FF0;
    case 0x3F: return 0x1F80;
    default: break;
    }
    if (isTestModeWord(command) || isTrimWord(command)) {
        return 0xFFFF;
    }
    return std::nullopt;
}

}  // namespace

SimulatedBoard::SimulatedBoard(const EepromImage& image)
    : words_{{0x14, 0x0000}, {0x15, 0x0000}, {0x3F, 0x1000}, {0x00, 0x0000}, {0x01, 0x0000},
            {0x02, 0x0000}, {0x08, 0x4A21}, {0x09, 0x3C12}, {0x0A, 0x0F85}},
      eeprom_(image) {
    powerCycle();
}

void SimulatedBoard::powerCycle() {
    registers_ = {};
    for (std::size_t i = 0; i < eeprom_.size(); ++i) {
        registers_[FirstEepromRegister + i] = eeprom_[i];
    }
    eepromState_ = EepromState::Locked;
    latchedFaults_ = 0;
}

Variant SimulatedBoard::invoke(int dispId, std::vector<Arg>& args) {
    // ConfirmWrite answers for the word write right before it and for nothing else.
    const bool confirmable = std::exchange(wordWritten_, false);
    if (!matchesShape(dispId, args)) {
        return BadArguments;
    }
    switch (dispId) {
    case op::ListFreeDevices:
        if (std::get<std::int32_t>(args[0].value) != 1) {
            return BadArguments;
        }
        args[1].value = std::int32_t{1};
        args[2].value = std::string(AdapterName);
        return Ok;
    case op::OpenDevice:
        if (std::get<std::string>(args[0].value) != AdapterName) {
            return NoSuchAdapter;
        }
        open_ = true;
        return Ok;
    case op::CloseAdapter:
        open_ = false;
        return Ok;
    default: break;
    }
    if (!open_) {
        return NotOpen;
    }
    switch (dispId) {
    case op::WriteWordCmd: {
        const std::int16_t status = writeWord(args);
        wordWritten_ = status == Ok;
        return status;
    }
    case op::ReadWordCmd: return readWord(args);
    case op::RegisterTransfer: return registerTransfer(args);
    case op::ConfirmWrite: return confirmable ? Ok : NothingToConfirm;
    default: return Nack;  // HDQ: no such device on this board
    }
}

std::optional<std::uint16_t> SimulatedBoard::peekWord(int address, int command) const {
    if (address != ChargerAddress && address != TestModeAddress) {
        return std::nullopt;
    }
    switch (command) {
    case 0x14:
    case 0x15:
    case 0x3F: return words_.at(command);
    case 0xFE: return ManufacturerId;
    case 0xFF: return DeviceId;
    default: break;
    }
    if (address != TestModeAddress) {
        return std::nullopt;
    }
    if (isTestModeWord(command) || isTrimWord(command)) {
        return words_.at(command);
    }
    if (isTrimCopy(command)) {
        return words_.at(command - 3);
    }
    return std::nullopt;
}

std::optional<std::uint8_t> SimulatedBoard::peekByte(int reg) const {
    if (reg == StatusRegister) {
        return static_cast<std::uint8_t>((vgood_ ? VgoodBit : 0) | latchedFaults_);
    }
    if (reg > StatusRegister && reg <= EepromControlRegister) {
        return registers_[reg];
    }
    return std::nullopt;
}

std::optional<std::uint8_t> SimulatedBoard::eepromByte(int reg) const {
    const int cell = reg - FirstEepromRegister;
    if (cell < 0 || cell >= static_cast<int>(eeprom_.size())) {
        return std::nullopt;
    }
    return eeprom_[cell];
}

void SimulatedBoard::latchFaults(std::uint8_t mask) { latchedFaults_ |= mask & FaultBits; }

std::int16_t SimulatedBoard::writeWord(std::vector<Arg>& args) {
    const int command = std::get<std::int16_t>(args[0].value);
    const auto word = static_cast<std::uint16_t>(std::get<std::int16_t>(args[1].value));
    const int address = std::get<std::int16_t>(args[2].value);
    if (!peekWord(address, command)) {
        return Nack;
    }
    const auto keep = writableBits(command);
    if (!keep) {
        return Nack;
    }
    words_[command] = word & *keep;
    return Ok;
}

std::int16_t SimulatedBoard::readWord(std::vector<Arg>& args) {
    const int command = std::get<std::int16_t>(args[0].value);
    const int address = std::get<std::int16_t>(args[2].value);
    const auto word = peekWord(address, command);
    if (!word) {
        return Nack;
    }
    args[1].value = static_cast<std::int16_t>(*word);
    return Ok;
}

std::int16_t SimulatedBoard::registerTransfer(std::vector<Arg>& args) {
    const std::int32_t mode = std::get<std::int32_t>(args[0].value);
    const int address = std::get<std::int16_t>(args[1].value);
    const int reg = std::get<std::int16_t>(args[2].value);
    if (mode != 1 && mode != 2) {
        return BadArguments;
    }
    if (address != ChargerAddress && address != TestModeAddress) {
        return Nack;
    }
    if (mode == 2) {
        const auto data = peekByte(reg);
        if (!data) {
            return Nack;
        }
        args[3].value = std::int16_t{*data};
        return Ok;
    }
    const int data = std::get<std::int16_t>(args[3].value);
    if (data < 0 || data > 0xFF) {
        return BadArguments;
    }
    return writeRegister(reg, static_cast<std::uint8_t>(data));
}

std::int16_t SimulatedBoard::writeRegister(int reg, std::uint8_t data) {
    if (deafRegisters_.contains(reg) && reg > StatusRegister && reg <= EepromControlRegister) {
        return Ok;
    }
    if (reg == OutputControlRegister) {
        writeOutputControl(data);
    } else if (reg == EepromControlRegister) {
        writeEepromControl(data);
    } else if (reg > OutputControlRegister && reg < EepromControlRegister) {
        registers_[reg] = data;
    } else {
        return Nack;  // STATUS is read only; anything else is not there
    }
    return Ok;
}

void SimulatedBoard::writeOutputControl(std::uint8_t data) {
    // Bit 0 can only be 1 after a write raised it, so its falling edge ends an LTCLR pulse.
    if ((registers_[OutputControlRegister] & LtclrBit) && !(data & LtclrBit)) {
        latchedFaults_ = 0;
    }
    registers_[OutputControlRegister] = data;
}

void SimulatedBoard::writeEepromControl(std::uint8_t command) {
    registers_[EepromControlRegister] = command;
    switch (command) {
    case EepromUnlock: eepromState_ = EepromState::Unlocked; break;
    case EepromProgram:
        if (eepromState_ == EepromState::Locked) {
            break;
        }
        for (std::size_t i = 0; i < eeprom_.size(); ++i) {
            const int reg = FirstEepromRegister + static_cast<int>(i);
            const std::uint8_t dead = deadBits_.contains(reg) ? deadBits_.at(reg) : 0;
            eeprom_[i] = static_cast<std::uint8_t>(~registers_[reg] & ~dead);
        }
        eepromState_ = EepromState::Programmed;
        break;
    case EepromLock:
        if (eepromState_ == EepromState::Programmed) {
            for (std::size_t i = 0; i < eeprom_.size(); ++i) {
                registers_[FirstEepromRegister + i] = eeprom_[i];
            }
        }
        eepromState_ = EepromState::Locked;
        break;
    default: eepromState_ = EepromState::Locked; break;
    }
}

}  // namespace platform::busctl
