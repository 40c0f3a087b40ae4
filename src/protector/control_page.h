#pragma once
// The Control page on picControl: registers 0x01-0x05 as boxes and lists.
namespace common { class Program; }
namespace platform::forms { class Form; class Control; }

namespace protector {

class ControlPage {
public:
    ControlPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& picControl);
    ControlPage(const ControlPage&) = delete;
    ControlPage& operator=(const ControlPage&) = delete;

    void InitializeControlPage();
    void SetControlMode();

private:
    common::Program& program;
    platform::forms::Form& form;
};

}  // namespace protector
