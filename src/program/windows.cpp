#include "program/windows.h"

#include "adapter/frm_usb.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_log_options.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"

namespace program {

Windows::Windows(platform::forms::Platform& platform, platform::busctl::AdapterControl& adapterControl)
    : WindowRegistry(platform, adapterControl)
{
}

Windows::~Windows() = default;

namespace {
// A window of the run, made on first use.
template <class W>
W& madeOnce(std::unique_ptr<W>& window, common::WindowRegistry& windows)
{
    if (!window)
        window = std::make_unique<W>(windows);
    return *window;
}
}  // namespace

adapter::frmUSB& Windows::usb()
{
    if (!usb_) {
        usb_ = std::make_unique<adapter::frmUSB>(*this);
        usb_->load();
    }
    return *usb_;
}

main_window::Form2& Windows::form2() { return madeOnce(form2_, *this); }

dialogs::frmAbout& Windows::about() { return madeOnce(about_, *this); }

dialogs::frmRegisters& Windows::registers() { return madeOnce(registers_, *this); }

dialogs::frmLogOptions& Windows::logOptions() { return madeOnce(logOptions_, *this); }

}  // namespace program
