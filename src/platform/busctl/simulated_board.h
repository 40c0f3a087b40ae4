#pragma once
// The evaluation board without hardware: one adapter, the charger answering SMBus words and the
// protection front end answering byte registers. The program runs against it when no adapter is
// attached, and tests use it as a board that behaves like the real one.
//
// Charger words (WriteWordCmd / ReadWordCmd):
//   at 0x12 and 0x52: 0x14, 0x15, 0x3F keep only their field bits (&H1F80, &H7FF0, &H1F80);
//                     0xFE, 0xFF are the fixed identifiers ManufacturerId, DeviceId, read only.
//   at 0x52 only:     test-mode words 0x00-0x02 and trims 0x08-0x0A hold all 16 bits;
//                     0x0B-0x0D read back the trims 0x08-0x0A and refuse writes.
// Protector bytes (RegisterTransfer, mode 2 read, mode 1 write) answer at 0x12 and 0x52 alike,
// since the program reaches them at whatever device address is current:
//   0x00 STATUS is read only: VGOOD (bit 5) set, bits 0-4 latched faults that a pulse of LTCLR
//        (0x01 bit 0 written 0 -> 1 -> 0) clears. 0x01-0x0B hold all 8 bits as written.
//   0x06-0x0A are loaded from EEPROM at power-on (construction) and by the EEPROM_CNTRL (0x0B)
//        sequence: 0x62 unlocks, 0x41 then programs the complement of each register into EEPROM,
//        and 0x00 locks again, reloading the registers from EEPROM when 0x41 programmed it.
//        Any other value locks without reloading. Ordinary writes never touch the EEPROM.
//        A power cycle reloads 0x01-0x0B as at power-on and closes the lock.
// Faults on demand: VGOOD clear, a register that acknowledges writes but keeps its value, and
// EEPROM bits that do not program.
// Mode 0 of RegisterTransfer (and any mode but 1 and 2) is refused with BadArguments.
// Everything else fails with a non-zero status: unknown address, command or register as a NACK,
// both HDQ operations (no HDQ device on the board), any transfer while the adapter is closed.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "platform/busctl/dispatch.h"

namespace platform::busctl {

// Statuses of the board and the test double. The program only tells 0 from the rest.
namespace board_status {
inline constexpr std::int16_t Ok = 0;
inline constexpr std::int16_t NotOpen = 1;           // adapter closed or never opened
inline constexpr std::int16_t Nack = 2;              // nobody answers, or a write was refused
inline constexpr std::int16_t BadArguments = 3;      // argument list or a mode value not accepted
inline constexpr std::int16_t NoSuchAdapter = 4;     // OpenDevice with a name not listed
inline constexpr std::int16_t NothingToConfirm = 5;  // ConfirmWrite not right after a word write
}  // namespace board_status

class SimulatedBoard final : public AdapterControl {
public:
    static constexpr std::string_view AdapterName = "SIMBOARD-1";
    static constexpr std::int16_t ChargerAddress = 0x12;
    static constexpr std::int16_t TestModeAddress = 0x52;
    static constexpr std::uint16_t ManufacturerId = 0x0040;
    static constexpr std::uint16_t DeviceId = 0x0088;

    // EEPROM content for registers 0x06..0x0A, in that order.
    using EepromImage = std::array<std::uint8_t, 5>;
    static constexpr EepromImage DefaultEeprom{0x2A, 0x17, 0x63, 0x04, 0x42};

    explicit SimulatedBoard(const EepromImage& image = DefaultEeprom);

    Variant invoke(int dispId, std::vector<Arg>& args) override;

    // Inspection for tests, bypassing the adapter (works while it is closed).
    bool isOpen() const { return open_; }
    // What a word read at this address would give; empty where the charger would NACK.
    std::optional<std::uint16_t> peekWord(int address, int command) const;
    // A protector register 0x00..0x0B; empty for any other number.
    std::optional<std::uint8_t> peekByte(int reg) const;
    // The EEPROM cell behind register 0x06..0x0A; empty for any other number.
    std::optional<std::uint8_t> eepromByte(int reg) const;
    // Latches fault flags of STATUS bits 0-4 (other bits of the mask are ignored).
    void latchFaults(std::uint8_t mask);
    void setVgood(bool good) { vgood_ = good; }
    // Writes to `reg` are acknowledged and change nothing.
    void ignoreWrites(int reg) { deafRegisters_.insert(reg); }
    // The bits of `mask` in the EEPROM cell behind `reg` (0x06..0x0A) no longer program: they
    // come out 0 from the next programming on.
    void killEepromBits(int reg, std::uint8_t mask) { deadBits_[reg] |= mask; }
    // Power off and on: the protector registers as at power-on, loaded from the EEPROM.
    void powerCycle();

private:
    enum class EepromState { Locked, Unlocked, Programmed };

    std::int16_t writeWord(std::vector<Arg>& args);
    std::int16_t readWord(std::vector<Arg>& args);
    std::int16_t registerTransfer(std::vector<Arg>& args);
    std::int16_t writeRegister(int reg, std::uint8_t data);
    void writeEepromControl(std::uint8_t command);
    void writeOutputControl(std::uint8_t data);

    bool open_ = false;
    bool wordWritten_ = false;  // the last call was a successful WriteWordCmd
    std::map<int, std::uint16_t> words_;
    std::array<std::uint8_t, 12> registers_{};
    EepromImage eeprom_;
    EepromState eepromState_ = EepromState::Locked;
    std::uint8_t latchedFaults_ = 0;
    bool vgood_ = true;
    std::set<int> deafRegisters_;
    std::map<int, std::uint8_t> deadBits_;
};

}  // namespace platform::busctl
