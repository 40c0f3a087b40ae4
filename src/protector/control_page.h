#pragma once
// The Control page on picControl: registers 0x01-0x05 as boxes and lists. Each change writes
// only its own field; the fill shows the registers as read.
#include <cstdint>

#include "protector/field_update.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; class CheckBox; class ComboBox; }

namespace protector {

class ControlPage {
public:
    ControlPage(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picControl);
    ControlPage(const ControlPage&) = delete;
    ControlPage& operator=(const ControlPage&) = delete;

    void InitializeControlPage();
    void SetControlMode();

    // Event handlers.
    void chkOutputControl_Click(int Index);
    void chkFunctionControl_Click(int Index);
    void chkCellBal_Click(int Index);
    void chkShdn_Click();
    void cboHost_Click();
    void cboVgain_Click();
    void cboIgain_Click();
    void cboCell_Click();
    void cboCal_Click();
    void cmdToggleLtclr_Click();

private:
    void build(platform::forms::Control& picControl);
    void bindHandlers();
    void changeBit(const platform::forms::CheckBox& box, std::uint8_t reg, int bit);
    void changeEntry(const platform::forms::ComboBox& combo, std::uint8_t reg, std::uint8_t mask, int shift);
    void showBits(const char* boxes, std::uint8_t d);
    void showEntry(const char* combo, int entry);

    common::WindowRegistry& program;
    platform::forms::Form& form;
    // Keeps the Clicks of boxes set from a failed fill read from writing.
    FillHold hold;
};

}  // namespace protector
