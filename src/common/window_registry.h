#pragma once
// How the windows of one run reach each other and what they share: the platform, the adapter
// control, the shared variables and the window instances. Which class makes each window is known
// only above the windows (program::Windows), so that this room depends on none of them.
#include "common/shared_state.h"

namespace platform::forms { class Platform; }
namespace platform::busctl { class AdapterControl; }
namespace adapter { class frmUSB; }
namespace main_window { class Form2; }
namespace dialogs { class frmAbout; class frmRegisters; class frmLogOptions; }

namespace common {

class WindowRegistry {
public:
    WindowRegistry(platform::forms::Platform& platform, platform::busctl::AdapterControl& adapterControl)
        : platform_(platform), adapterControl_(adapterControl)
    {
    }
    virtual ~WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    platform::forms::Platform& platform() const { return platform_; }
    platform::busctl::AdapterControl& adapterControl() const { return adapterControl_; }
    SharedState& vars() { return vars_; }

    // The hidden adapter window, created (loaded, never shown) by whoever needs it first.
    virtual adapter::frmUSB& usb() = 0;
    // The main window, created on first use; the platform loads it to start the program.
    virtual main_window::Form2& form2() = 0;
    // The About window, created on first use and kept (hidden or unloaded) until the run ends.
    virtual dialogs::frmAbout& about() = 0;
    // The raw register and logging options dialogs, kept the same way.
    virtual dialogs::frmRegisters& registers() = 0;
    virtual dialogs::frmLogOptions& logOptions() = 0;

private:
    platform::forms::Platform& platform_;
    platform::busctl::AdapterControl& adapterControl_;
    SharedState vars_;
};

}  // namespace common
