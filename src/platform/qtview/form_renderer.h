#pragma once
// Pictures of windows, for tests and for looking at a window without a screen.
#include <filesystem>

#include "platform/forms/form.h"

namespace platform::qtview {

// Renders the form's window (menu bar and client area, ScaleWidth x ScaleHeight in pixels below
// it) to a PNG file. Uses the form's window on a QtPlatform, or a short-lived one for a form of
// another platform. False when there is no QApplication or the file cannot be written.
bool renderToPng(forms::Form& form, const std::filesystem::path& file);

}  // namespace platform::qtview
