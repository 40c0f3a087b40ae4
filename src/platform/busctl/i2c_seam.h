#pragma once
// The kernel calls of the i2c-dev control, behind a narrow seam so that tests can answer them
// from the simulated board. Every call returns a negative errno on failure.
#include <cstdint>
#include <string>

namespace platform::busctl {

enum class SmbusKind { ReadByteData, WriteByteData, ReadWordData, WriteWordData };

struct SmbusTransfer {
    SmbusKind kind;
    std::uint8_t address;  // 7-bit, as on the wire
    std::uint8_t command;
    std::uint16_t value = 0;  // the byte or word to write
};

// "read word 0x14 at address 0x09", for messages and logs.
std::string describeTransfer(const SmbusTransfer& t);

class I2cSeam {
public:
    virtual ~I2cSeam() = default;
    // A file descriptor of the device node, or -errno.
    virtual int open(const std::string& path, int flags) = 0;
    virtual void close(int fd) = 0;
    // The adapter's functionality mask (I2C_FUNC_*), or -errno.
    virtual long functionality(int fd) = 0;
    // The 7-bit address of the transfers that follow, or -errno. An address that a kernel driver
    // owns fails with -EBUSY: it is never forced.
    virtual int setAddress(int fd, std::uint8_t address) = 0;
    // One SMBus transfer at the address set before; the byte or word read (0 for a write), or -errno.
    virtual int transfer(int fd, const SmbusTransfer& t) = 0;
};

// The real seam over the kernel and the SMBus helper library.
class KernelI2c final : public I2cSeam {
public:
    int open(const std::string& path, int flags) override;
    void close(int fd) override;
    long functionality(int fd) override;
    int setAddress(int fd, std::uint8_t address) override;
    int transfer(int fd, const SmbusTransfer& t) override;
};

}  // namespace platform::busctl
