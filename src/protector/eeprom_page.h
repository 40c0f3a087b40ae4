#pragma once
// The EEPROM page on picEeprom: the configuration registers 0x06-0x0A and their programming.
namespace common { class Program; }
namespace platform::forms { class Form; class Control; }

namespace protector {

class EepromPage {
public:
    EepromPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& picEeprom);
    EepromPage(const EepromPage&) = delete;
    EepromPage& operator=(const EepromPage&) = delete;

    void InitializeEepromPage();

private:
    common::Program& program;
    platform::forms::Form& form;
};

}  // namespace protector
