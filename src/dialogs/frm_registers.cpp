#include "dialogs/frm_registers.h"

#include <cstdint>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"

namespace dialogs {

namespace forms = platform::forms;

namespace {

// A hex box's byte, its text put in normal form; nothing (and the text kept) when it is no byte.
std::optional<std::uint8_t> hexByte(forms::TextBox& box)
{
    const std::int16_t value = common::ParseHexByte(box.text());
    if (value < 0)
        return std::nullopt;
    box.setText(common::Hex2(value));
    return static_cast<std::uint8_t>(value);
}

}  // namespace

frmRegisters::frmRegisters(common::WindowRegistry& program) : Form(program.platform(), "frmRegisters"), program_(program)
{
    setCaption("I2C Function");
    setClientSize(4680, 3090);

    auto place = [](forms::Control& c, int left, int top, int width, int height, int tabIndex) -> forms::Control& {
        c.move(left, top, width, height);
        c.setTabIndex(tabIndex);
        return c;
    };
    place(add<forms::Label>("Label1"), 480, 480, 1095, 255, 3).setCaption("Address (hex)");
    place(add<forms::Label>("Label2"), 1920, 480, 735, 255, 4).setCaption("Data (hex)");
    txtReadAddr_ = &add<forms::TextBox>("txtReadAddr");
    place(*txtReadAddr_, 720, 840, 495, 285, 2);
    lblReadData_ = &add<forms::Label>("lblReadData");
    place(*lblReadData_, 2040, 840, 495, 285, 7).setBackColor(forms::colors::CaptionText);
    lblReadData_->setBorderStyle(forms::BorderStyle::FixedSingle);
    place(add<forms::CommandButton>("cmdReadI2C"), 3120, 720, 1095, 375, 0).setCaption("Read");
    place(add<forms::Label>("Label3"), 480, 1800, 1095, 255, 8).setCaption("Address (hex)");
    place(add<forms::Label>("Label4"), 1920, 1800, 735, 255, 9).setCaption("Data (hex)");
    txtWriteAddr_ = &add<forms::TextBox>("txtWriteAddr");
    place(*txtWriteAddr_, 720, 2160, 495, 285, 6);
    txtWriteData_ = &add<forms::TextBox>("txtWriteData");
    place(*txtWriteData_, 2040, 2160, 495, 285, 5);
    place(add<forms::CommandButton>("cmdWriteI2C"), 3120, 2040, 1095, 375, 1).setCaption("Write");

    onLoad = [this] {
        // The form outlives an unload; a new load starts from the design's empty boxes.
        for (forms::TextBox* box : {txtReadAddr_, txtWriteAddr_, txtWriteData_})
            box->setText("");
        lblReadData_->setCaption("");
        Form_Load();
    };
    get<forms::CommandButton>("cmdReadI2C").onClick = [this] { cmdReadI2C_Click(); };
    get<forms::CommandButton>("cmdWriteI2C").onClick = [this] { cmdWriteI2C_Click(); };
}

void frmRegisters::Form_Load() { common::CenterForm(*this); }

void frmRegisters::cmdReadI2C_Click()
{
    lblReadData_->setCaption("");
    const auto reg = hexByte(*txtReadAddr_);
    if (!reg) {
        platform().msgBox("Please enter a valid hex address.");
        return;
    }
    std::uint8_t value = 0;
    // A failed read has no value to show: showing 00 would pass it off as the register's.
    if (adapter::ReadByteReg(program_, *reg, value) != 0) {
        platform().msgBox("Read ERROR");
        return;
    }
    lblReadData_->setCaption(common::Hex2(value));
}

void frmRegisters::cmdWriteI2C_Click()
{
    const auto reg = hexByte(*txtWriteAddr_);
    if (!reg) {
        platform().msgBox("Please enter a valid hex address.");
        return;
    }
    const auto value = hexByte(*txtWriteData_);
    if (!value) {
        platform().msgBox("Please enter a valid hex data.");
        return;
    }
    // A failed write goes unreported, as the set-point writes do.
    adapter::WriteByteReg(program_, *reg, *value);
}

}  // namespace dialogs
