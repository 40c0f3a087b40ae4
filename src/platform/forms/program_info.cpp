#include "platform/forms/platform.h"

namespace platform::forms {

ProgramInfo defaultProgramInfo()
{
    ProgramInfo info;
    info.major = QUELVAR_VERSION_MAJOR;
    info.minor = QUELVAR_VERSION_MINOR;
    info.revision = QUELVAR_VERSION_PATCH;
    info.legalCopyright = "Copyright (C) 2026 the Darnex developers. All rights reserved.";
    return info;
}

}  // namespace platform::forms
