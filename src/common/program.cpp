#include "common/program.h"

#include "adapter/frm_usb.h"

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

}  // namespace common
