// The protector tabs: a page is filled afresh from the chip each time its tab is selected.
#include "common/window_registry.h"
#include "main_window/form2.h"
#include "platform/forms/platform.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/timer.h"

namespace main_window {

namespace forms = platform::forms;

void Form2::SSTab1_Click(int /*PreviousTab*/)
{
    auto& tmrControl = get<forms::Timer>("tmrControl");
    switch (static_cast<std::uint8_t>(get<forms::TabControl>("SSTab1").tab())) {
    case 0:
        InitializeControlPage();
        tmrControl.setEnabled(false);
        break;
    case 1:
        tmrControl.setEnabled(false);
        InitializeEepromPage();
        break;
    default:
        // The Registers page fills only from its own Read All and scan.
        break;
    }
}

void Form2::tmrControl_Timer()
{
    platform().doEvents();
    InitializeControlPage();
}

}  // namespace main_window
