#pragma once
// The raw register dialog: reads or writes one byte register of the current device, register
// number and data typed in hex. Modeless; each load starts with empty boxes.
#include "platform/forms/form.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Label; class TextBox; }

namespace dialogs {

class frmRegisters : public platform::forms::Form {
public:
    explicit frmRegisters(common::WindowRegistry& program);

    void Form_Load();
    void cmdReadI2C_Click();
    void cmdWriteI2C_Click();

private:
    common::WindowRegistry& program_;
    platform::forms::TextBox* txtReadAddr_ = nullptr;
    platform::forms::Label* lblReadData_ = nullptr;
    platform::forms::TextBox* txtWriteAddr_ = nullptr;
    platform::forms::TextBox* txtWriteData_ = nullptr;
};

}  // namespace dialogs
