#include "protector/status_lamps.h"

#include <array>

#include "adapter/bus.h"
#include "common/assets.h"
#include "common/window_registry.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/timer.h"
#include "protector/register_map.h"

namespace protector {

namespace forms = platform::forms;

namespace {

struct LampRow {
    const char* label;
    const char* caption;
    int labelLeft;
    int labelTop;
    const char* images;
    int imageTop;
    bool green;
};

// Indexed by STATUS bit; bits 6 and 7 have no lamp.
constexpr std::array<LampRow, 6> Lamps{{
    {"Label6", "SCD", 495, 6600, "ImgRedLEDScd", 6960, false},
    {"Label5", "OCD", 495, 5640, "ImgRedLEDOcd", 6000, false},
    {"Label4", "OV", 495, 4680, "ImgRedLEDOV", 5040, false},
    {"Label3", "UV", 480, 3720, "ImgRedLEDUV", 4080, false},
    {"Label2", "OVTEMP", 495, 2760, "ImgRedLEDOvTemp", 3120, false},
    {"Label1", "VGOOD", 495, 1800, "ImgGrnLEDVgood", 2160, true},
}};

constexpr int LampSize = 300;
constexpr int UnlitLeft = 795, LitLeft = 790;  // the pair covers each other
constexpr int Unlit = 0, Lit = 1;

}  // namespace

void showLamp(forms::Form& form, int bit, std::uint8_t status)
{
    const char* images = Lamps.at(static_cast<std::size_t>(bit)).images;
    const bool lit = (status >> bit) & 1;
    // The lit image always changes first, then the unlit one.
    form.get<forms::Image>(images, Lit).setVisible(lit);
    form.get<forms::Image>(images, Unlit).setVisible(!lit);
}

StatusLamps::StatusLamps(common::WindowRegistry& program, forms::Form& form, forms::Control& Picture2)
    : program_(program), form_(form)
{
    Picture2.setTabIndex(2);
    auto& title = form_.add<forms::Label>("Label44", &Picture2);
    title.move(240, 600, 1575, 615);
    title.setCaption("STATUS");
    title.setFont({"MS Sans Serif", 18, true});

    auto picture = [&](bool green, int element) {
        static constexpr const char* files[2][2] = {{"lamp_red_unlit.png", "lamp_red_lit.png"},
                                                    {"lamp_green_unlit.png", "lamp_green_lit.png"}};
        return common::assetFile(program_.platform(), files[green ? 1 : 0][element]);
    };
    for (const LampRow& row : Lamps) {
        auto& label = form_.add<forms::Label>(row.label, &Picture2);
        label.move(row.labelLeft, row.labelTop, 900, 255);
        label.setCaption(row.caption);
        label.setFont({"MS Sans Serif", 8.25, true});
        label.setAlignment(forms::Alignment::Center);
        for (int element : {Unlit, Lit}) {
            auto& image = form_.add<forms::Image>(row.images, &Picture2, element);
            image.move(element == Unlit ? UnlitLeft : LitLeft, row.imageTop, LampSize, LampSize);
            image.setStretch(true);
            image.setPicture(picture(row.green, element));
        }
    }
    form_.get<forms::Timer>("tmrStatus").onTimer = [this] { tmrStatus_Timer(); };
}

void StatusLamps::tmrStatus_Timer()
{
    program_.platform().doEvents();
    // Starts at 0 on every tick; after a failed read the lamps show what the read left.
    std::uint8_t status = 0;
    adapter::ReadByteReg(program_, reg::STATUS, status);
    for (int bit = 0; bit <= VgoodBit; ++bit)
        showLamp(form_, bit, status);
}

}  // namespace protector
