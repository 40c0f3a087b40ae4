#include "platform/busctl/i2c_seam.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

extern "C" {
#include <i2c/smbus.h>
#include <linux/i2c-dev.h>
}

namespace platform::busctl {
namespace {

// In units of 10 ms: a transfer never holds the window for longer than this.
constexpr unsigned long TimeoutTicks = 10;

}  // namespace

std::string describeTransfer(const SmbusTransfer& t)
{
    static constexpr const char* Kinds[] = {"read byte", "write byte", "read word", "write word"};
    char text[64];
    std::snprintf(text, sizeof text, "%s 0x%02X at address 0x%02X", Kinds[static_cast<int>(t.kind)], t.command, t.address);
    return text;
}

int KernelI2c::open(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    return fd < 0 ? -errno : fd;
}

void KernelI2c::close(int fd) { ::close(fd); }

long KernelI2c::functionality(int fd)
{
    unsigned long funcs = 0;
    if (::ioctl(fd, I2C_FUNCS, &funcs) < 0)
        return -errno;
    return static_cast<long>(funcs & 0x7FFFFFFF);
}

int KernelI2c::setLimits(int fd)
{
    if (::ioctl(fd, I2C_TIMEOUT, TimeoutTicks) < 0 || ::ioctl(fd, I2C_RETRIES, 0UL) < 0)
        return -errno;
    return 0;
}

int KernelI2c::transfer(int fd, const SmbusTransfer& t)
{
    // I2C_SLAVE, never I2C_SLAVE_FORCE: an address a driver owns stays the driver's.
    if (::ioctl(fd, I2C_SLAVE, static_cast<unsigned long>(t.address)) < 0)
        return -errno;
    switch (t.kind) {
    case SmbusKind::ReadByteData: return i2c_smbus_read_byte_data(fd, t.command);
    case SmbusKind::WriteByteData: return i2c_smbus_write_byte_data(fd, t.command, static_cast<std::uint8_t>(t.value));
    case SmbusKind::ReadWordData: return i2c_smbus_read_word_data(fd, t.command);
    case SmbusKind::WriteWordData: return i2c_smbus_write_word_data(fd, t.command, t.value);
    }
    return -EINVAL;
}

}  // namespace platform::busctl
