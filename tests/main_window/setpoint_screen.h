#pragma once
// A bare form with the application panel and the set-point frames on it, over the scripted
// adapter control, for the set-point tests.
#include <sstream>
#include <string>

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
    forms::HeadlessPlatform platform;
    platform::busctl::ScriptedControl control;
    common::Program program{platform, control};
    forms::Form form{platform, "Form2"};
    forms::PictureBox& picApplication = form.add<forms::PictureBox>("picApplication");
    SetpointFrames frames{program, form, picApplication};

    SetpointScreen()
    {
        program.vars().giDeviceAddress = 0x12;
        form.show();
    }

    void click(const std::string& name, int index = -1) { form.get<forms::Control>(name, index).userClick(); }
    void type(const std::string& name, const std::string& keys)
    {
        auto& box = form.get<forms::TextBox>(name);
        for (char c : keys)
            box.userKey(static_cast<unsigned char>(c));
    }
    std::string text(const std::string& name) const { return form.get<forms::TextBox>(name).text(); }
    bool labelShown(const std::string& name) const { return form.get<forms::Label>(name).visible(); }
};

// Everything a user sees of a row, as one comparable text.
inline std::string look(const SetpointRow& row)
{
    std::ostringstream out;
    out << "box '" << row.valueBox->text() << "' label " << (row.overLimitLabel->visible() ? "shown" : "hidden");
    for (int i = 15; i >= 0; --i) {
        const auto& bit = *row.bits[static_cast<std::size_t>(i)];
        out << " | " << i << ':' << bit.value() << ' ' << bit.caption() << ' ' << std::hex << bit.backColor() << std::dec;
    }
    return out.str();
}

}  // namespace main_window::testing
