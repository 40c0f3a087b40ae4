#pragma once
// The three set-point frames of the application screen (charge current, charge voltage, input
// current): each a row of 16 bit toggles, a value box, a unit label, Read and Write buttons and a
// red over-limit label. Built onto the main window's application panel; the main window forwards
// its public methods ComputeChargeCurrent, ReadChargeCurrent and ReadChargeVoltage here.
#include <string>

#include "main_window/setpoint_rows.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; }

namespace main_window {

class SetpointFrames {
public:
    SetpointFrames(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picApplication);
    SetpointFrames(const SetpointFrames&) = delete;
    SetpointFrames& operator=(const SetpointFrames&) = delete;

    SetpointRow& chargeCurrent() { return chargeCurrentRow_; }
    SetpointRow& chargeVoltage() { return chargeVoltageRow_; }
    SetpointRow& inputCurrent() { return inputCurrentRow_; }

    // The charge current that toggles 7-12 stand for, into the value box; flag and bus untouched.
    void ComputeChargeCurrent();
    void ReadChargeCurrent();
    void ReadChargeVoltage();

private:
    // Which over-limit label a read hides: the charge current's only on success, the others also
    // after a failed read.
    enum class HideLabel { OnSuccess, Always };
    struct FrameLayout;

    void build(SetpointRow& row, platform::forms::Control& picApplication, const FrameLayout& layout);
    void clickBit(SetpointRow& row, int index);
    void readRow(SetpointRow& row, HideLabel hide);
    void writeRow(SetpointRow& row);

    void chkChargeCurrent_Click(int Index);
    void chkChargeVoltage_Click(int Index);
    void chkInputCurrent_Click(int Index);
    void cmdReadChargeCurrent_Click();
    void cmdReadChargeVoltage_Click();
    void cmdReadInputCurrent_Click();
    void txtChargeCurrent_KeyPress(int& KeyAscii);
    void txtChargeVoltage_KeyPress(int& KeyAscii);
    void txtInputCurrent_KeyPress(int& KeyAscii);
    void cmdWriteChargeCurrent_Click();
    void cmdWriteChargeVoltage_Click();
    void cmdWriteInputCurrent_Click();

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    SetpointRow chargeCurrentRow_{ChargeCurrentField};
    SetpointRow chargeVoltageRow_{ChargeVoltageField};
    SetpointRow inputCurrentRow_{InputCurrentField};
};

}  // namespace main_window
