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

adapter::frmUSB& Program::usb()
{
    if (!usb_) {
        usb_ = std::make_unique<adapter::frmUSB>(*this);
        usb_->load();
    }
    return *usb_;
}

main_window::Form2& Program::form2()
{
    if (!form2_)
        form2_ = std::make_unique<main_window::Form2>(*this);
    return *form2_;
}

dialogs::frmAbout& Program::about()
{
    if (!about_)
        about_ = std::make_unique<dialogs::frmAbout>(*this);
    return *about_;
}

dialogs::frmRegisters& Program::registers()
{
    if (!registers_)
        registers_ = std::make_unique<dialogs::frmRegisters>(*this);
    return *registers_;
}

dialogs::frmLogOptions& Program::logOptions()
{
    if (!logOptions_)
        logOptions_ = std::make_unique<dialogs::frmLogOptions>(*this);
    return *logOptions_;
}

}  // namespace common
