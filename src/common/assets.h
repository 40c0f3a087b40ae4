#pragma once
// The program's own pictures, kept in the "assets" folder beside the program file.
#include <string>
#include <string_view>

namespace platform::forms { class Platform; }

namespace common {

// The picture's path, or empty when the file is not there: a window without its picture still
// works.
std::string assetFile(const platform::forms::Platform& platform, std::string_view fileName);

}  // namespace common
