#include "protector/status_lamps.h"

namespace protector {

StatusLamps::StatusLamps(common::Program& program, platform::forms::Form& form, platform::forms::Control& /*Picture2*/)
    : program(program), form(form)
{
    // The page's controls are built onto Picture2 by the page's own work.
}

}  // namespace protector
