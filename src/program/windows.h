#pragma once
// The one place that knows every window of the program: it makes each on first use and keeps it
// until the run ends. Windows reach each other through common::WindowRegistry.
#include <memory>

#include "common/window_registry.h"

namespace program {

class Windows final : public common::WindowRegistry {
public:
    Windows(platform::forms::Platform& platform, platform::busctl::AdapterControl& adapterControl);
    ~Windows() override;

    adapter::frmUSB& usb() override;
    bool usbCreated() const { return usb_ != nullptr; }
    main_window::Form2& form2() override;
    dialogs::frmAbout& about() override;
    dialogs::frmRegisters& registers() override;
    dialogs::frmLogOptions& logOptions() override;

private:
    // Destroyed in reverse: the main window first, the adapter window last.
    std::unique_ptr<adapter::frmUSB> usb_;
    std::unique_ptr<dialogs::frmAbout> about_;
    std::unique_ptr<dialogs::frmRegisters> registers_;
    std::unique_ptr<dialogs::frmLogOptions> logOptions_;
    std::unique_ptr<main_window::Form2> form2_;
};

}  // namespace program
