#pragma once
// The adapter control on Linux i2c-dev: the control's operations carried as SMBus transfers on
// one adapter. It lists and opens only USB-I2C bridges, unless the user named an i2c-dev node,
// which it then uses whatever carries it. An open adapter is held with an advisory lock, so that
// a second run of the program does not get it; an unplugged one is let go of at its first failed
// transfer. No adapter-wide setting (timeout, retries) is changed, and no address is forced.
//
// The program's 8-bit device addresses go on the wire shifted right by one (0x12 -> 0x09).
// WriteWordCmd / ReadWordCmd: SMBus write / read word data. RegisterTransfer mode 1 / 2: SMBus
// write / read byte data; mode 0 and the HDQ operations are refused with nothing on the wire.
// Statuses are errno values: 0 = success.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/busctl/dispatch.h"
#include "platform/busctl/i2c_adapters.h"
#include "platform/busctl/i2c_seam.h"

namespace platform::busctl {

struct I2cPaths {
    std::filesystem::path sysfs = "/sys";
    std::filesystem::path dev = "/dev";
};

class I2cDevControl final : public AdapterControl {
public:
    // namedDevice: the device node the user chose; without it, the USB-I2C bridges.
    I2cDevControl(I2cSeam& seam, I2cPaths paths, std::optional<std::filesystem::path> namedDevice = std::nullopt);
    ~I2cDevControl() override;
    I2cDevControl(const I2cDevControl&) = delete;
    I2cDevControl& operator=(const I2cDevControl&) = delete;

    Variant invoke(int dispId, std::vector<Arg>& args) override;

    // Receives one line per failure, naming the device and the reason, and what it took and
    // skipped; a repeat of the line before it is left out, so that a pulled cable does not
    // flood the output.
    void setReporter(std::function<void(const std::string&)> report) { reporter_ = std::move(report); }

private:
    struct Candidate {
        I2cAdapter adapter;
        std::filesystem::path node;
    };
    std::vector<Candidate> candidates() const;
    bool usable(const Candidate& c) const;
    bool anyI2cNode() const;
    bool heldElsewhere(const std::filesystem::path& node);
    std::int16_t listFree(std::vector<Arg>& args);
    std::int16_t openDevice(const std::string& name);
    void closeAdapter();
    std::int16_t transfer(SmbusKind kind, int address, int command, int value, std::int16_t* read);
    std::int16_t registerTransfer(std::vector<Arg>& args);
    std::int16_t failedTransfer(int error, const std::string& what);
    std::int16_t fail(int error, const std::string& what);
    void report(const std::string& line);

    I2cSeam& seam_;
    I2cPaths paths_;
    std::optional<std::filesystem::path> namedDevice_;
    std::function<void(const std::string&)> reporter_;
    std::string lastReport_;
    int fd_ = -1;
    std::string openNode_;     // the open device node, for messages
    std::string openAdapter_;  // its "i2c-N"
    bool wordWritten_ = false;
};

}  // namespace platform::busctl
