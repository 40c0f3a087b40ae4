#pragma once
// The three tabs of SSTab1 with their page panels picControl, picEeprom and picRegisters; each
// page then builds its controls onto its own panel.
#include "platform/forms/types.h"

namespace platform::forms { class Form; class TabControl; }

namespace protector {

inline constexpr platform::forms::Color PagePanelColor = 0x00E0E0E0;

void buildPagePanels(platform::forms::Form& form, platform::forms::TabControl& SSTab1);

}  // namespace protector
