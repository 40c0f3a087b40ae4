#pragma once
// The two timed features of the application screen, which exclude each other:
// - "Refresh Time": a keep-alive that re-writes the three set-point words from their bit rows
//   every giRefreshTime ms (tmrChargerTimeOut);
// - "Input by File": on every tick of tmrDataInput, the three set-points are read from the input
//   data file in the program's folder, fitted, shown in their rows and written.
#include <cstdint>
#include <optional>
#include <string_view>

#include "main_window/setpoint_rows.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; class CheckBox; class TextBox; class Label; class Timer; }

namespace main_window {

// giRefreshTime from the refresh-time box: seconds x 1000, rounded half to even; nothing when the
// text gives no period the keep-alive can hold (empty, not a number, negative, over 32767 ms).
std::optional<std::int16_t> refreshTimeFromText(std::string_view text);
// tmrDataInput's Interval from the same box: nothing unless it comes to 0..65535 ms.
std::optional<int> dataInputIntervalFromText(std::string_view text);

class TimedWrites {
public:
    TimedWrites(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picApplication,
                SetpointRow& chargeCurrent, SetpointRow& chargeVoltage, SetpointRow& inputCurrent,
                platform::forms::Timer& tmrChargerTimeOut, platform::forms::Timer& tmrDataInput);
    ~TimedWrites();
    TimedWrites(const TimedWrites&) = delete;
    TimedWrites& operator=(const TimedWrites&) = delete;

    void chkRefreshTime_Click();
    void txtRefreshTime_KeyPress(int& KeyAscii);
    void tmrChargerTimeOut_Timer();
    void chkInputFile_Click();
    void tmrDataInput_Timer();

private:
    void showAndWrite(SetpointRow& row, std::int16_t stored);
    void writeStoredValues();

    common::WindowRegistry& program_;
    SetpointRow& chargeCurrent_;
    SetpointRow& chargeVoltage_;
    SetpointRow& inputCurrent_;
    platform::forms::Timer& tmrChargerTimeOut_;
    platform::forms::Timer& tmrDataInput_;
    platform::forms::CheckBox& chkRefreshTime_;
    platform::forms::TextBox& txtRefreshTime_;
    platform::forms::Label& Label60_;
    platform::forms::CheckBox& chkInputFile_;
};

}  // namespace main_window
