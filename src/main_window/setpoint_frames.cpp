#include "main_window/setpoint_frames.h"

#include <cstdint>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"

namespace main_window {

namespace forms = platform::forms;

namespace {

constexpr forms::Color OverLimitRed = 0x000000FF;
const forms::Font OverLimitFont{"Comic Sans MS", 11.25, true};

constexpr int FrameLeft = 120;
constexpr int FrameWidth = 12015;
constexpr int FrameHeight = 1455;

bool inField(const SetpointField& f, int bit) { return bit >= f.bottomBit && bit <= f.topBit; }

std::uint16_t fieldMask(const SetpointField& f)
{
    return static_cast<std::uint16_t>((1u << (f.topBit + 1)) - (1u << f.bottomBit));
}

// mA or mV per unit of the field's bits: the input current counts each bit twice.
int unitFactor(const SetpointField& f) { return f.step >> f.bottomBit; }

void showBit(forms::CheckBox& bit, const SetpointField& f, int index, bool set)
{
    bit.setValue(set ? 1 : 0);
    bit.setCaption(set ? "1" : "0");
    if (inField(f, index))
        bit.setBackColor(set ? SetBitColor : ClearBitColor);
}

void filterDigits(int& keyAscii) { keyAscii = common::filterKey(keyAscii, common::FilterDigitKey); }

}  // namespace

struct SetpointFrames::FrameLayout {
    const char* frame;
    const char* frameCaption;
    int top;
    const char* bits;
    const char* valueBox;
    int maxLength;
    const char* unitLabel;
    const char* unit;
    int unitTop;
    const char* readButton;
    const char* writeButton;
    const char* overLimitLabel;
    const char* overLimitCaption;
    int overLimitHeight;
};

SetpointFrames::SetpointFrames(common::WindowRegistry& program, forms::Form& form, forms::Control& picApplication)
    : program_(program), form_(form)
{
    build(chargeCurrentRow_, picApplication, {"Frame19", "Charge Current (Addr 0x14)", 120, "chkChargeCurrent", "txtChargeCurrent", 5,
                              "Label53", "mA", 690, "cmdReadChargeCurrent", "cmdWriteChargeCurrent",
                              "lblChargeCurrentOL", "Set to 8.064 A Maximum", 975});
    build(chargeVoltageRow_, picApplication, {"Frame20", "Charge Voltage (Addr 0x15)", 1680, "chkChargeVoltage", "txtChargeVoltage", 6,
                              "Label54", "mV", 690, "cmdReadChargeVoltage", "cmdWriteChargeVoltage",
                              "lblChargeVoltageOl", "Exceeds 19.2 V Limit", 975});
    build(inputCurrentRow_, picApplication, {"Frame21", "Input Current (Addr 0x3F)", 3240, "chkInputCurrent", "txtInputCurrent", 5,
                             "Label55", "mA", 600, "cmdReadInputCurrent", "cmdWriteInputCurrent",
                             "lblInputCurrentOl", "Exceeds 11.004 A Limit", 1095});

    for (int i = 0; i < 16; ++i) {
        const auto at = static_cast<std::size_t>(i);
        chargeCurrentRow_.bits[at]->onClick = [this, i] { chkChargeCurrent_Click(i); };
        chargeVoltageRow_.bits[at]->onClick = [this, i] { chkChargeVoltage_Click(i); };
        inputCurrentRow_.bits[at]->onClick = [this, i] { chkInputCurrent_Click(i); };
    }
    form.get<forms::CommandButton>("cmdReadChargeCurrent").onClick = [this] { cmdReadChargeCurrent_Click(); };
    form.get<forms::CommandButton>("cmdReadChargeVoltage").onClick = [this] { cmdReadChargeVoltage_Click(); };
    form.get<forms::CommandButton>("cmdReadInputCurrent").onClick = [this] { cmdReadInputCurrent_Click(); };
    form.get<forms::CommandButton>("cmdWriteChargeCurrent").onClick = [this] { cmdWriteChargeCurrent_Click(); };
    form.get<forms::CommandButton>("cmdWriteChargeVoltage").onClick = [this] { cmdWriteChargeVoltage_Click(); };
    form.get<forms::CommandButton>("cmdWriteInputCurrent").onClick = [this] { cmdWriteInputCurrent_Click(); };
    chargeCurrentRow_.valueBox->onKeyPress = [this](int& k) { txtChargeCurrent_KeyPress(k); };
    chargeVoltageRow_.valueBox->onKeyPress = [this](int& k) { txtChargeVoltage_KeyPress(k); };
    inputCurrentRow_.valueBox->onKeyPress = [this](int& k) { txtInputCurrent_KeyPress(k); };
}

void SetpointFrames::build(SetpointRow& row, forms::Control& picApplication, const FrameLayout& l)
{
    auto& frame = form_.add<forms::Frame>(l.frame, &picApplication);
    frame.move(FrameLeft, l.top, FrameWidth, FrameHeight);
    frame.setCaption(l.frameCaption);

    for (int i = 0; i < 16; ++i) {
        auto& bit = form_.add<forms::CheckBox>(l.bits, &frame, i);
        bit.move(240 + 480 * (15 - i), 480, 495, 495);
        bit.setStyle(forms::CheckStyle::Graphical);
        bit.setCaption("0");
        if (!inField(row.field, i))
            bit.setBackColor(OutsideFieldColor);
        row.bits[static_cast<std::size_t>(i)] = &bit;
    }

    auto& box = form_.add<forms::TextBox>(l.valueBox, &frame);
    box.move(8160, 600, 975, 285);
    box.setMaxLength(l.maxLength);
    row.valueBox = &box;

    auto& unit = form_.add<forms::Label>(l.unitLabel, &frame);
    unit.move(9240, l.unitTop, 375, 255);
    unit.setCaption(l.unit);

    auto& read = form_.add<forms::CommandButton>(l.readButton, &frame);
    read.move(9720, 240, 855, 375);
    read.setCaption("Read");

    auto& write = form_.add<forms::CommandButton>(l.writeButton, &frame);
    write.move(9720, 720, 855, 375);
    write.setCaption("Write");

    auto& overLimit = form_.add<forms::Label>(l.overLimitLabel, &frame);
    overLimit.move(10680, 240, 1215, l.overLimitHeight);
    overLimit.setCaption(l.overLimitCaption);
    overLimit.setForeColor(OverLimitRed);
    overLimit.setFont(OverLimitFont);
    overLimit.setVisible(false);
    row.overLimitLabel = &overLimit;
}

// A click edits the screen only: the value box follows the row, the clicked toggle its bit.
void SetpointFrames::clickBit(SetpointRow& row, int index)
{
    if (program_.vars().gbUpdatingBits == common::True)
        return;
    program_.platform().doEvents();

    const SetpointField& f = row.field;
    const std::uint32_t sum = packBits(row.bits);
    row.valueBox->setText(std::to_string((sum & fieldMask(f)) * static_cast<std::uint32_t>(unitFactor(f))));

    forms::CheckBox& bit = *row.bits[static_cast<std::size_t>(index)];
    const bool set = bit.value() == 1;
    bit.setCaption(set ? "1" : "0");
    if (inField(f, index))
        bit.setBackColor(set ? SetBitColor : ClearBitColor);
}

void SetpointFrames::readRow(SetpointRow& row, HideLabel hide)
{
    forms::Platform& platform = program_.platform();
    const int savedPointer = platform.mousePointer();
    platform.setMousePointer(forms::pointer::Hourglass);
    program_.vars().gbUpdatingBits = common::True;

    std::uint8_t ms = 0;
    std::uint8_t ls = 0;
    const SetpointField& f = row.field;
    if (adapter::ReadWordReg(program_, f.command, ms, ls) != 0) {
        // The box and the row keep what they showed.
        platform.msgBox("Read ERROR");
    } else {
        const unsigned word = static_cast<unsigned>(ms) << 8 | ls;
        row.valueBox->setText(std::to_string((word & fieldMask(f)) * static_cast<unsigned>(unitFactor(f))));
        for (int i = 0; i < 16; ++i)
            showBit(*row.bits[static_cast<std::size_t>(i)], f, i, (word >> i & 1u) != 0);
        if (hide == HideLabel::OnSuccess)
            row.overLimitLabel->setVisible(false);
    }

    program_.vars().gbUpdatingBits = common::False;
    if (hide == HideLabel::Always)
        row.overLimitLabel->setVisible(false);
    platform.setMousePointer(savedPointer);
}

void SetpointFrames::writeRow(SetpointRow& row)
{
    // Empty, or not a plain number (a paste can bring anything): nothing happens at all.
    const std::optional<WriteFix> fix = fixWriteValue(row.field, row.valueBox->text());
    if (!fix)
        return;

    program_.vars().gbUpdatingBits = common::True;
    if (fix->newText)
        row.valueBox->setText(*fix->newText);
    row.overLimitLabel->setVisible(fix->overLimit);
    decompose(row, fix->setpoint);
    program_.vars().gbUpdatingBits = common::False;

    std::uint8_t ms = 0;
    std::uint8_t ls = 0;
    packRow(row, ms, ls);
    // A failed write is not reported: the screen already shows what was meant to go out.
    adapter::WriteWordReg(program_, row.field.command, ms, ls);
}

void SetpointFrames::ComputeChargeCurrent()
{
    std::int16_t total = 0;
    for (int i = 7; i <= 12; ++i)
        if (chargeCurrentRow_.bits[static_cast<std::size_t>(i)]->value() == 1)
            total = static_cast<std::int16_t>(total + (128 << (i - 7)));
    chargeCurrentRow_.valueBox->setText(std::to_string(total));
}

void SetpointFrames::ReadChargeCurrent() { readRow(chargeCurrentRow_, HideLabel::OnSuccess); }
void SetpointFrames::ReadChargeVoltage() { readRow(chargeVoltageRow_, HideLabel::Always); }

void SetpointFrames::chkChargeCurrent_Click(int Index) { clickBit(chargeCurrentRow_, Index); }
void SetpointFrames::chkChargeVoltage_Click(int Index) { clickBit(chargeVoltageRow_, Index); }
void SetpointFrames::chkInputCurrent_Click(int Index) { clickBit(inputCurrentRow_, Index); }

void SetpointFrames::cmdReadChargeCurrent_Click() { ReadChargeCurrent(); }
void SetpointFrames::cmdReadChargeVoltage_Click() { ReadChargeVoltage(); }
void SetpointFrames::cmdReadInputCurrent_Click() { readRow(inputCurrentRow_, HideLabel::Always); }

void SetpointFrames::txtChargeCurrent_KeyPress(int& KeyAscii) { filterDigits(KeyAscii); }
void SetpointFrames::txtChargeVoltage_KeyPress(int& KeyAscii) { filterDigits(KeyAscii); }
void SetpointFrames::txtInputCurrent_KeyPress(int& KeyAscii) { filterDigits(KeyAscii); }

void SetpointFrames::cmdWriteChargeCurrent_Click() { writeRow(chargeCurrentRow_); }
void SetpointFrames::cmdWriteChargeVoltage_Click() { writeRow(chargeVoltageRow_); }
void SetpointFrames::cmdWriteInputCurrent_Click() { writeRow(inputCurrentRow_); }

}  // namespace main_window
