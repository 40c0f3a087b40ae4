#pragma once
// The EEPROM page on picEeprom: the configuration registers 0x06-0x0A field by field, the FS bit
// and the cell count that scales the UV delays. "Program EEPROM" hands the page to the programming.
#include <cstdint>
#include <memory>

#include "protector/field_update.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; class CheckBox; class ComboBox; class TextBox; }

namespace protector {

class EepromProgramming;
struct EepromField;

class EepromPage {
public:
    EepromPage(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picEeprom);
    ~EepromPage();
    EepromPage(const EepromPage&) = delete;
    EepromPage& operator=(const EepromPage&) = delete;

    void InitializeEepromPage();

    // Event handlers.
    void cboCellCount_Click();
    void chkFsBit_Click();
    void txtOcDelay_LostFocus();

private:
    void build(platform::forms::Control& picEeprom);
    void setCellCount();
    void buildUvDelayList();
    std::uint8_t readRegister(std::uint8_t reg);
    void showRegister(std::uint8_t reg, std::uint8_t value);
    void showField(const EepromField& field, std::uint8_t value);

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    std::unique_ptr<EepromProgramming> programming_;
    // Keeps the FS box's Click from writing FS back after a failed fill read.
    FillHold hold_;

    // The controls the page's events work on, resolved once when it is built.
    platform::forms::ComboBox* cboCellCount_ = nullptr;
    platform::forms::ComboBox* cboUvDelay_ = nullptr;
    platform::forms::CheckBox* chkFsBit_ = nullptr;
    platform::forms::TextBox* txtOcDelay_ = nullptr;
};

}  // namespace protector
