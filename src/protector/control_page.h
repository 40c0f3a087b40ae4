#pragma once
// The Control page on picControl: registers 0x01-0x05 as boxes and lists. Each change writes
// only its own field; the fill shows the registers as read.
#include <array>
#include <cstdint>
#include <vector>

#include "protector/field_update.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; class CheckBox; class ComboBox; class Timer; }

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
    // A box array by bit number; a bit without a box stays null.
    using Boxes = std::array<platform::forms::CheckBox*, 8>;

    void build(platform::forms::Control& picControl);
    void resolveControls();
    void bindHandlers();
    void changeBit(const platform::forms::CheckBox& box, std::uint8_t reg, int bit);
    void changeEntry(const platform::forms::ComboBox& combo, std::uint8_t reg, std::uint8_t mask, int shift);
    void showBits(const Boxes& boxes, std::uint8_t d);
    void showEntry(platform::forms::ComboBox& combo, int entry);

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    platform::forms::Timer& tmrStatus_;
    // Keeps the Clicks of boxes set from a failed fill read from writing.
    FillHold hold_;

    // The page's controls, resolved once when it is built.
    Boxes chkOutputControl_{};  // OUTPUT_CNTRL has no boxes for bits 4-6
    Boxes chkFunctionControl_{};
    Boxes chkCellBal_{};
    platform::forms::CheckBox* chkShdn_ = nullptr;
    platform::forms::ComboBox* cboHost_ = nullptr;
    platform::forms::ComboBox* cboVgain_ = nullptr;
    platform::forms::ComboBox* cboIgain_ = nullptr;
    platform::forms::ComboBox* cboCell_ = nullptr;
    platform::forms::ComboBox* cboCal_ = nullptr;
    // The controls that Self mode disables, in the order they change.
    std::vector<platform::forms::Control*> modeControls_;
};

}  // namespace protector
