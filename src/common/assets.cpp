#include "common/assets.h"

#include <filesystem>
#include <system_error>

#include "platform/forms/platform.h"

namespace common {

std::string assetFile(const platform::forms::Platform& platform, std::string_view fileName)
{
    const auto path = platform.programInfo().folder / "assets" / fileName;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path.string() : std::string();
}

}  // namespace common
