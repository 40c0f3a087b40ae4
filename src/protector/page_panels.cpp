#include "protector/page_panels.h"

#include "platform/forms/form.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"

namespace protector {

namespace forms = platform::forms;

void buildPagePanels(forms::Form& form, forms::TabControl& SSTab1)
{
    // picControl shares the other panels' place: its stored place would hide part of the page.
    const std::pair<const char*, const char*> pages[] = {
        {"Control", "picControl"}, {"EEPROM", "picEeprom"}, {"Registers", "picRegisters"}};
    for (const auto& [caption, name] : pages) {
        auto& panel = form.add<forms::PictureBox>(name, &SSTab1);
        panel.move(0, 360, 9855, 7575);
        panel.setBackColor(PagePanelColor);
        SSTab1.addTab(caption, &panel);
    }
}

}  // namespace protector
