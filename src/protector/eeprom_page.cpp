#include "protector/eeprom_page.h"

namespace protector {

EepromPage::EepromPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& /*picEeprom*/)
    : program(program), form(form)
{
    // The page's controls are built onto picEeprom by the page's own work.
}

void EepromPage::InitializeEepromPage()
{
    // Filled in with the page's own work.
}

}  // namespace protector
