#pragma once
// The Registers page on picRegisters: all registers as bits and hex, Read All, Write and the scan.
namespace common { class Program; }
namespace platform::forms { class Form; class Control; }

namespace protector {

class RegistersPage {
public:
    RegistersPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& picRegisters);
    RegistersPage(const RegistersPage&) = delete;
    RegistersPage& operator=(const RegistersPage&) = delete;

    void ReadAllRegisters();

private:
    common::Program& program;
    platform::forms::Form& form;
};

}  // namespace protector
