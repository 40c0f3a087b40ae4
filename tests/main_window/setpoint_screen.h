#pragma once
// A bare form with the application panel and the set-point frames on it, over an adapter control.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "common/program.h"
#include "main_window/setpoint_frames.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/check_box.h"
#include "platform/forms/form.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"

namespace main_window::testing {

namespace forms = platform::forms;

struct SetpointScreen {
    explicit SetpointScreen(platform::busctl::AdapterControl* board = nullptr) : program(platform, board ? *board : control)
    {
        program.vars().giDeviceAddress = 0x12;
        form.show();
    }
    forms::HeadlessPlatform platform;
    platform::busctl::ScriptedControl control;
    common::Program program;
    forms::Form form{platform, "Form2"};
    SetpointFrames frames{program, form, form.add<forms::PictureBox>("picApplication")};

    void click(const std::string& name, int index = -1) { form.get<forms::Control>(name, index).userClick(); }
    void type(const std::string& name, const std::string& keys)
    {
        for (char c : keys)
            form.get<forms::TextBox>(name).userKey(static_cast<unsigned char>(c));
    }
    std::string text(const std::string& name) const { return form.get<forms::TextBox>(name).text(); }
};

// Everything a user sees of a row, as one comparable text.
inline std::string look(const SetpointRow& row)
{
    std::string out = row.valueBox->text() + (row.overLimitLabel->visible() ? " shown" : " hidden");
    for (const auto* bit : row.bits)
        out += " " + std::to_string(bit->value()) + bit->caption() + "/" + std::to_string(bit->backColor());
    return out;
}

// The three frames by the names of their controls.
struct RowNames {
    SetpointRow& (SetpointFrames::*row)();
    const char *bits, *box, *read, *write, *label;
    int command;
};
inline const RowNames ChargeCurrent{&SetpointFrames::chargeCurrent, "chkChargeCurrent", "txtChargeCurrent",
                                    "cmdReadChargeCurrent", "cmdWriteChargeCurrent", "lblChargeCurrentOL", 0x14};
inline const RowNames ChargeVoltage{&SetpointFrames::chargeVoltage, "chkChargeVoltage", "txtChargeVoltage",
                                    "cmdReadChargeVoltage", "cmdWriteChargeVoltage", "lblChargeVoltageOl", 0x15};
inline const RowNames InputCurrent{&SetpointFrames::inputCurrent, "chkInputCurrent", "txtInputCurrent",
                                   "cmdReadInputCurrent", "cmdWriteInputCurrent", "lblInputCurrentOl", 0x3F};

// Value, caption and colour of every toggle of the field follow `word`.
inline void expectField(const SetpointRow& row, std::uint16_t word)
{
    for (int i = row.field.bottomBit; i <= row.field.topBit; ++i) {
        const bool set = (word >> i & 1) != 0;
        const auto& bit = *row.bits[static_cast<std::size_t>(i)];
        EXPECT_EQ(std::tuple(bit.value(), bit.caption(), bit.backColor()),
                  std::tuple(set ? 1 : 0, set ? "1" : "0", set ? SetBitColor : ClearBitColor)) << "bit " << i;
    }
}

}  // namespace main_window::testing
