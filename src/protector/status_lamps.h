#pragma once
// The STATUS panel Picture2: a lamp per flag of the STATUS register, refreshed by tmrStatus.
#include <cstdint>

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; }

namespace protector {

// STATUS bit of the VGOOD lamp, which the EEPROM programming also sets.
inline constexpr int VgoodBit = 5;

// Lights the lamp of STATUS bit `bit` (0 SCD .. 5 VGOOD) when that bit of `status` is set, else
// shows it unlit: exactly one image of its pair stays visible.
void showLamp(platform::forms::Form& form, int bit, std::uint8_t status);

class StatusLamps {
public:
    StatusLamps(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& Picture2);
    StatusLamps(const StatusLamps&) = delete;
    StatusLamps& operator=(const StatusLamps&) = delete;

    void tmrStatus_Timer();

private:
    common::WindowRegistry& program_;
    platform::forms::Form& form_;
};

}  // namespace protector
