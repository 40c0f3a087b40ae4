#pragma once
// Reads one key of the settings file, writing a missing default back.
#include <string>

namespace common {

class WindowRegistry;

// The value (at most 60 characters; text after a semicolon is a comment), or the default when
// the key is missing or empty. `file` is a bare name, placed in the platform's settings folder.
std::string ReadIniValue(WindowRegistry& program, const std::string& section, const std::string& key,
                         const std::string& defaultValue, const std::string& file);

}  // namespace common
