#include "protector/registers_page.h"

namespace protector {

RegistersPage::RegistersPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& /*picRegisters*/)
    : program(program), form(form)
{
    // The page's controls are built onto picRegisters by the page's own work.
}

void RegistersPage::ReadAllRegisters()
{
    // Filled in with the page's own work.
}

}  // namespace protector
