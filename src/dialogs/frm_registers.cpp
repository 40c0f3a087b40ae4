#include "dialogs/frm_registers.h"

#include <cstdint>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"

namespace dialogs {

using namespace platform::forms;

namespace {

// A hex box's byte, its text put in normal form; nothing (and the text kept) when it is no byte.
std::optional<std::uint8_t> hexByte(TextBox& box)
{
    const std::int16_t value = common::ParseHexByte(box.text());
    if (value < 0)
        return std::nullopt;
    box.setText(common::Hex2(value));
    return static_cast<std::uint8_t>(value);
}

}  // namespace

frmRegisters::frmRegisters(common::WindowRegistry& program) : Form(program.platform(), "frmRegisters"), program(program)
{
    setCaption("I2C Function");
    setClientSize(4680, 3090);

    auto place = [](Control& c, int left, int top, int width, int height, int tabIndex) -> Control& {
        c.move(left, top, width, height);
        c.setTabIndex(tabIndex);
        return c;
    };
    place(add<Label>("Label1"), 480, 480, 1095, 255, 3).setCaption("Address (hex)");
    place(add<Label>("Label2"), 1920, 480, 735, 255, 4).setCaption("Data (hex)");
    place(add<TextBox>("txtReadAddr"), 720, 840, 495, 285, 2);
    auto& data = add<Label>("lblReadData");
    place(data, 2040, 840, 495, 285, 7).setBackColor(colors::CaptionText);
    data.setBorderStyle(BorderStyle::FixedSingle);
    place(add<CommandButton>("cmdReadI2C"), 3120, 720, 1095, 375, 0).setCaption("Read");
    place(add<Label>("Label3"), 480, 1800, 1095, 255, 8).setCaption("Address (hex)");
    place(add<Label>("Label4"), 1920, 1800, 735, 255, 9).setCaption("Data (hex)");
    place(add<TextBox>("txtWriteAddr"), 720, 2160, 495, 285, 6);
    place(add<TextBox>("txtWriteData"), 2040, 2160, 495, 285, 5);
    place(add<CommandButton>("cmdWriteI2C"), 3120, 2040, 1095, 375, 1).setCaption("Write");

    onLoad = [this] {
        // The form outlives an unload; a new load starts from the design's empty boxes.
        for (const char* box : {"txtReadAddr", "txtWriteAddr", "txtWriteData"})
            get<TextBox>(box).setText("");
        get<Label>("lblReadData").setCaption("");
        Form_Load();
    };
    get<CommandButton>("cmdReadI2C").onClick = [this] { cmdReadI2C_Click(); };
    get<CommandButton>("cmdWriteI2C").onClick = [this] { cmdWriteI2C_Click(); };
}

void frmRegisters::Form_Load() { common::CenterForm(*this); }

void frmRegisters::cmdReadI2C_Click()
{
    auto& data = get<Label>("lblReadData");
    data.setCaption("");
    const auto reg = hexByte(get<TextBox>("txtReadAddr"));
    if (!reg) {
        platform().msgBox("Please enter a valid hex address.");
        return;
    }
    std::uint8_t value = 0;
    // A failed read has no value to show: showing 00 would pass it off as the register's.
    if (adapter::ReadByteReg(program, *reg, value) != 0) {
        platform().msgBox("Read ERROR");
        return;
    }
    data.setCaption(common::Hex2(value));
}

void frmRegisters::cmdWriteI2C_Click()
{
    const auto reg = hexByte(get<TextBox>("txtWriteAddr"));
    if (!reg) {
        platform().msgBox("Please enter a valid hex address.");
        return;
    }
    const auto value = hexByte(get<TextBox>("txtWriteData"));
    if (!value) {
        platform().msgBox("Please enter a valid hex data.");
        return;
    }
    // A failed write goes unreported, as the set-point writes do.
    adapter::WriteByteReg(program, *reg, *value);
}

}  // namespace dialogs
