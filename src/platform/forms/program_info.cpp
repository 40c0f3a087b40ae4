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

std::string ProgramInfo::version() const
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

}  // namespace platform::forms
