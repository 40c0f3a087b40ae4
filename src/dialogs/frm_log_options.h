#pragma once
// The logging options dialog: which of 40 registers to log and how often, kept in section
// "Logging" of the settings file and the interval also in gvLogRate. Nothing in the program opens
// it and nothing writes a log; it is built so that the stored choice stays readable and correct.
#include <array>

#include "platform/forms/form.h"

namespace common { class WindowRegistry; }

namespace dialogs {

class frmLogOptions : public platform::forms::Form {
public:
    explicit frmLogOptions(common::WindowRegistry& program);

    // Loads when needed, places the dialog and shows it modally; returns once it has closed.
    void ShowForm();

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The register keys by check box index: each box's caption and its entry in the file.
    static constexpr std::array<const char*, 40> Keys = {
        "DEV_ID",   "START_UP",  "PGOOD",     "INTMASK1",    "INTMASK2",   "INT_ACK1",  "INT_ACK2",
        "RES_MASK", "SOFT_RESET", "CHG_CONFIG", "CHG_STAT",  "EN_LDO",     "LDO12",     "LDO3",
        "LDO4",     "LDO5",      "SM1_SET1",  "SM1_SET2",    "SM1_STANDBY", "SM2_SET1", "SM2_SET2",
        "SM2_STANDBY", "SM3_SET", "RGB_FLASH", "RGB_RED",    "RGB_GREEN",  "RGB_BLUE",  "GPIO12",
        "GPIO3",    "PWM",       "ADC_SET",   "ADC_HI",      "ADC_LO",     "DHILIM1",   "DHILIM2",
        "DLOLIM1",  "DLOLIM2",   "ADC_DELAY", "ADC_WAIT",    "LED_PWM"};

private:
    common::WindowRegistry& program_;
};

}  // namespace dialogs
