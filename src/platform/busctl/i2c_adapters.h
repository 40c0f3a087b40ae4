#pragma once
// The i2c-dev adapters as sysfs describes them: number, own name, and whether the adapter is a
// USB-to-I2C/SMBus bridge. A bus that only sits behind USB (a camera's sensor bus, a TV stick's
// tuner bus) is no bridge: the test is the driver of the nearest USB interface or HID device.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::busctl {

struct I2cAdapter {
    std::string node;  // "i2c-N"
    std::string name;  // the adapter's own name, as the kernel gives it
    bool usb = false;  // a known USB-I2C bridge
    std::string notUsb;  // why it is none, for the user

    // "i2c-N name", without "," so that it fits a ","-separated list.
    std::string listName() const;
};

// Whether a driver bound to a USB interface or HID device is one of a USB-I2C bridge.
bool isUsbI2cBridgeDriver(std::string_view driver);

// Every adapter under <sysfs>/class/i2c-dev, in adapter-number order.
std::vector<I2cAdapter> listI2cAdapters(const std::filesystem::path& sysfs);
// The adapter of one node name ("i2c-N"); empty name and not USB when sysfs does not know it.
I2cAdapter describeI2cAdapter(const std::filesystem::path& sysfs, const std::string& node);

// The node name ("i2c-N") of a path that resolves to an i2c-dev device: a character device of
// the i2c-dev major, or a node that sysfs lists under class/i2c-dev. Nothing is opened.
std::optional<std::string> i2cDevNode(const std::filesystem::path& sysfs, const std::filesystem::path& path);

}  // namespace platform::busctl
