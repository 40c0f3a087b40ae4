#include "protector/control_page.h"

namespace protector {

ControlPage::ControlPage(common::Program& program, platform::forms::Form& form, platform::forms::Control& /*picControl*/)
    : program(program), form(form)
{
    // The page's controls are built onto picControl by the page's own work.
}

void ControlPage::InitializeControlPage()
{
    // Filled in with the page's own work.
}

void ControlPage::SetControlMode()
{
    // Filled in with the page's own work.
}

}  // namespace protector
