#pragma once
// One run of the program: the platform, the adapter control, the shared variables and the
// window instances, each created on first use and kept until the run ends.
#include <memory>

#include "common/shared_state.h"

namespace platform::forms { class Platform; }
namespace platform::busctl { class AdapterControl; }
namespace adapter { class frmUSB; }
namespace main_window { class Form2; }
namespace dialogs { class frmAbout; class frmRegisters; class frmLogOptions; }

namespace common {

class Program {
public:
    Program(platform::forms::Platform& platform, platform::busctl::AdapterControl& adapterControl);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::forms::Platform& platform() const { return platform_; }
    platform::busctl::AdapterControl& adapterControl() const { return adapterControl_; }
    SharedState& vars() { return vars_; }

    // The hidden adapter window, created (loaded, never shown) by whoever needs it first.
    adapter::frmUSB& usb();
    bool usbCreated() const { return usb_ != nullptr; }
    // The main window, created on first use; the platform loads it to start the program.
    main_window::Form2& form2();
    // The About window, created on first use and kept (hidden or unloaded) until the run ends.
    dialogs::frmAbout& about();
    // The raw register and logging options dialogs, kept the same way.
    dialogs::frmRegisters& registers();
    dialogs::frmLogOptions& logOptions();

private:
    platform::forms::Platform& platform_;
    platform::busctl::AdapterControl& adapterControl_;
    SharedState vars_;
    std::unique_ptr<adapter::frmUSB> usb_;
    std::unique_ptr<dialogs::frmAbout> about_;
    std::unique_ptr<dialogs::frmRegisters> registers_;
    std::unique_ptr<dialogs::frmLogOptions> logOptions_;
    std::unique_ptr<main_window::Form2> form2_;
};

}  // namespace common
