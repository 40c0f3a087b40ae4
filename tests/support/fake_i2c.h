#pragma once
// i2c-dev without hardware: a sysfs tree laid out as the kernel lays it out (relative class links,
// a subsystem link on every device, drivers bound to USB interfaces and HID devices) and device
// nodes (plain files, so locks are real) in a temporary folder, and kernel calls answered by the
// simulated board.
#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <linux/i2c.h>
#include <unistd.h>

#include "platform/busctl/i2c_dev_control.h"
#include "platform/busctl/i2c_seam.h"
#include "support/test_driver.h"

namespace platform::busctl { class SimulatedBoard; }

namespace testsupport {

class FakeI2cTree {
public:
    // The USB-I2C bridges (i2c-tiny-usb, a CP2112 and an MCP2221 behind HID, a DLN-2 through a
    // platform device), and buses that are none: a PCI SMBus controller, a graphics card, a
    // camera bus behind an LJCA-style USB bridge (an auxiliary device), an em28xx TV stick.
    enum class Carrier { TinyUsb, Cp2112, Mcp2221, Dln2, Motherboard, Graphics, Ljca, Em28xx };
    void addAdapter(int number, const std::string& name, Carrier carrier);
    // As the kernel does on unplug: the adapter leaves sysfs and /dev.
    void removeAdapter(int number);
    platform::busctl::I2cPaths paths() const { return {root.path() / "sys", root.path() / "dev"}; }
    const std::filesystem::path& folder() const { return root.path(); }
    std::filesystem::path node(int number) const { return paths().dev / ("i2c-" + std::to_string(number)); }

private:
    TempFolder root{"quelvar-i2c-"};
};

class BoardOnI2c final : public platform::busctl::I2cSeam {
public:
    explicit BoardOnI2c(platform::busctl::SimulatedBoard& board);

    void failNext(int count, int error = ENXIO) { failing = count, failError = error; }
    void ownAddress(int address) { owned.insert(address); }  // a kernel driver's: -EBUSY
    void unplug() { plugged = false; }                       // every call fails with -ENODEV
    int closes = 0;
    long functions = I2C_FUNC_I2C | I2C_FUNC_SMBUS_BYTE_DATA | I2C_FUNC_SMBUS_WORD_DATA;

    // What reached the kernel: nodes opened ("<path> rw"), transfers ("read word 0xFE at address 0x09 -> -6").
    std::vector<std::string> opened, transfers;

    int open(const std::string& path, int flags) override;
    void close(int fd) override { ++closes, ::close(fd); }
    long functionality(int) override { return plugged ? functions : -ENODEV; }
    int setAddress(int, std::uint8_t address) override;
    int transfer(int fd, const platform::busctl::SmbusTransfer& t) override;

private:
    int answer(const platform::busctl::SmbusTransfer& t);

    platform::busctl::SimulatedBoard& board;
    int failing = 0, failError = ENXIO;
    int address = -1;
    std::set<int> owned;
    bool plugged = true;
};

}  // namespace testsupport
