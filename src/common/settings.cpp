#include "common/settings.h"

#include "common/window_registry.h"
#include "platform/forms/platform.h"
#include "platform/profile/profile.h"

namespace common {

namespace {

constexpr std::size_t ValueChars = 60;

std::string trimSpaces(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ReadIniValue(WindowRegistry& program, const std::string& section, const std::string& key,
                         const std::string& defaultValue, const std::string& file)
{
    const auto path = platform::profile::resolve(file, program.platform().settingsFolder());
    std::string value = platform::profile::readString(path, section, key, "", ValueChars);
    if (value.empty()) {
        // The outcome of the write is not looked at: an unwritable file still gives the default.
        if (!defaultValue.empty())
            platform::profile::writeString(path, section, key, defaultValue);
        return defaultValue;
    }
    if (const auto semicolon = value.find(';'); semicolon != std::string::npos)
        value = trimSpaces(value.substr(0, semicolon));
    return value;
}

}  // namespace common
