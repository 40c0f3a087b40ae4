#include "platform/busctl/i2c_adapters.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>

namespace platform::busctl {
namespace fs = std::filesystem;
namespace {

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// A device is a USB device when its own subsystem link, or one of its parents', names "usb".
bool underUsbDevice(const fs::path& device)
{
    std::error_code ec;
    for (fs::path p = device; p.has_relative_path(); p = p.parent_path()) {
        const fs::path link = fs::read_symlink(p / "subsystem", ec);
        if (!ec && link.filename() == "usb")
            return true;
    }
    return false;
}

// N of "i2c-N", or -1.
int adapterNumber(const std::string& node)
{
    constexpr std::string_view prefix = "i2c-";
    if (node.size() <= prefix.size() || node.compare(0, prefix.size(), prefix) != 0)
        return -1;
    int n = -1;
    const char* end = node.data() + node.size();
    const auto [ptr, ec] = std::from_chars(node.data() + prefix.size(), end, n);
    return ec == std::errc() && ptr == end ? n : -1;
}

}  // namespace

std::string I2cAdapter::listName() const
{
    std::string text = node + " " + name;
    std::replace(text.begin(), text.end(), ',', ' ');
    return text;
}

I2cAdapter describeI2cAdapter(const fs::path& sysfs, const std::string& node)
{
    const fs::path entry = sysfs / "class" / "i2c-dev" / node;
    std::error_code ec;
    const fs::path device = fs::canonical(entry / "device", ec);
    return {node, firstLine(entry / "name"), !ec && underUsbDevice(device)};
}

std::vector<I2cAdapter> listI2cAdapters(const fs::path& sysfs)
{
    std::vector<I2cAdapter> adapters;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysfs / "class" / "i2c-dev", ec)) {
        const std::string node = entry.path().filename().string();
        if (adapterNumber(node) >= 0)
            adapters.push_back(describeI2cAdapter(sysfs, node));
    }
    std::sort(adapters.begin(), adapters.end(), [](const auto& a, const auto& b) { return adapterNumber(a.node) < adapterNumber(b.node); });
    return adapters;
}

}  // namespace platform::busctl
