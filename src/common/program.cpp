#include "common/program.h"

#include "adapter/frm_usb.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_log_options.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"

namespace common {

Program::Program(platform::forms::Platform& platform, platform::busctl::AdapterControl& adapterControl)
    : platform_(platform), adapterControl_(adapterControl)
{
}

Program::~Program() = default;

namespace {
// A window of the run, made on first use.
template <class W>
W& madeOnce(std::unique_ptr<W>& window, Program& program)
{
    if (!window)
        window = std::make_unique<W>(program);
    return *window;
}
}  // namespace

adapter::frmUSB& Program::usb()
{
    if (!usb_) {
        usb_ = std::make_unique<adapter::frmUSB>(*this);
        usb_->load();
    }
    return *usb_;
}

main_window::Form2& Program::form2() { return madeOnce(form2_, *this); }

dialogs::frmAbout& Program::about() { return madeOnce(about_, *this); }

dialogs::frmRegisters& Program::registers() { return madeOnce(registers_, *this); }

dialogs::frmLogOptions& Program::logOptions() { return madeOnce(logOptions_, *this); }

}  // namespace common
