#include "platform/busctl/i2c_adapters.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform::busctl {
namespace fs = std::filesystem;
namespace {

// The kernel's names of the USB-I2C bridge drivers: USB interface drivers, and HID drivers for
// bridges that enumerate as HID devices.
constexpr std::array<std::string_view, 6> BridgeDrivers = {
    "i2c-tiny-usb", "i2c-diolan-u2c", "dln2",  // USB interface drivers
    "cp2112", "mcp2221", "ft260",              // HID drivers
};

constexpr unsigned I2cDevMajor = 89;

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string linkName(const fs::path& link)
{
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    return ec ? std::string() : target.filename().string();
}

// Empty when the adapter is a USB-I2C bridge, else why it is not one.
std::string whyNotABridge(const fs::path& sysfs, const fs::path& adapter)
{
    std::error_code ec;
    const fs::path top = fs::canonical(sysfs, ec);
    for (fs::path p = adapter.parent_path(); p.has_relative_path() && p != top; p = p.parent_path()) {
        const std::string subsystem = linkName(p / "subsystem");
        if (subsystem != "usb" && subsystem != "hid")
            continue;
        const std::string driver = linkName(p / "driver");
        if (isUsbI2cBridgeDriver(driver))
            return {};
        return "its USB " + std::string(subsystem == "hid" ? "HID" : "interface") + " driver " +
               (driver.empty() ? "(none)" : driver) + " is no USB-I2C bridge";
    }
    return "not on USB";
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

bool isUsbI2cBridgeDriver(std::string_view driver)
{
    return std::find(BridgeDrivers.begin(), BridgeDrivers.end(), driver) != BridgeDrivers.end();
}

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
    I2cAdapter adapter{node, firstLine(entry / "name"), false, ec ? "unknown to sysfs" : whyNotABridge(sysfs, device)};
    adapter.usb = adapter.notUsb.empty();
    return adapter;
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

std::optional<std::string> i2cDevNode(const fs::path& sysfs, const fs::path& path)
{
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    struct stat st {};
    if (ec || ::stat(real.c_str(), &st) != 0)
        return std::nullopt;
    if (S_ISCHR(st.st_mode))
        return major(st.st_rdev) == I2cDevMajor ? std::optional("i2c-" + std::to_string(minor(st.st_rdev))) : std::nullopt;
    const std::string node = real.filename().string();
    if (adapterNumber(node) >= 0 && fs::exists(sysfs / "class" / "i2c-dev" / node, ec))
        return node;
    return std::nullopt;
}

}  // namespace platform::busctl
