#pragma once
// "Program EEPROM": the EEPROM page's settings written as complements into 0x06-0x0A, checked,
// programmed through EEPROM_CNTRL while the user moves the board's EEPROM pin, and checked again.
#include <array>
#include <cstdint>

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; }

namespace protector {

class EepromProgramming {
public:
    EepromProgramming(common::WindowRegistry& program, platform::forms::Form& form);
    EepromProgramming(const EepromProgramming&) = delete;
    EepromProgramming& operator=(const EepromProgramming&) = delete;

    void cmdProgramEeprom_Click();

private:
    using Bytes = std::array<std::uint8_t, 5>;  // one per register 0x06..0x0A

    void run();
    // The first control, in register order, that holds no value the chip could take.
    platform::forms::Control* firstWithoutValue() const;
    std::uint8_t formByte(std::uint8_t reg);
    bool matches(const Bytes& expected);
    void showVgood();
    // Writes the closing 0x00 to EEPROM_CNTRL; false when no attempt went through.
    bool lock();
    // Locks the EEPROM before the message opens, so that no box waits with the lock open.
    void fail(const char* message);
    // The message, with a warning below it when the lock could not be closed.
    void report(const char* message, bool locked);

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    bool running_ = false;
};

}  // namespace protector
