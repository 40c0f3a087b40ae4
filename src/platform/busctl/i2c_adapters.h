#pragma once
// The i2c-dev adapters as sysfs describes them: number, own name, and whether a USB device
// carries them (a USB-to-I2C adapter, not a motherboard or graphics card bus).
#include <filesystem>
#include <string>
#include <vector>

namespace platform::busctl {

struct I2cAdapter {
    std::string node;  // "i2c-N"
    std::string name;  // the adapter's own name, as the kernel gives it
    bool usb = false;

    // "i2c-N name", without "," so that it fits a ","-separated list.
    std::string listName() const;
};

// Every adapter under <sysfs>/class/i2c-dev, in adapter-number order.
std::vector<I2cAdapter> listI2cAdapters(const std::filesystem::path& sysfs);
// The adapter of one node name ("i2c-N"); empty name and not USB when sysfs does not know it.
I2cAdapter describeI2cAdapter(const std::filesystem::path& sysfs, const std::string& node);

}  // namespace platform::busctl
