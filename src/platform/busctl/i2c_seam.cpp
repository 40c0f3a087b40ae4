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

// The adapter's own timeout and retries (I2C_TIMEOUT, I2C_RETRIES) are left alone: they hold for
// every driver on that bus and outlive the run.
int KernelI2c::setAddress(int fd, std::uint8_t address)
{
    // I2C_SLAVE, never I2C_SLAVE_FORCE: an address a driver owns stays the driver's.
    return ::ioctl(fd, I2C_SLAVE, static_cast<unsigned long>(address)) < 0 ? -errno : 0;
}

int KernelI2c::transfer(int fd, const SmbusTransfer& t)
{
    switch (t.kind) {
    case SmbusKind::ReadByteData: return i2c_smbus_read_byte_data(fd, t.command);
    case SmbusKind::WriteByteData: return i2c_smbus_write_byte_data(fd, t.command, static_cast<std::uint8_t>(t.value));
    case SmbusKind::ReadWordData: return i2c_smbus_read_word_data(fd, t.command);
    case SmbusKind::WriteWordData: return i2c_smbus_write_word_data(fd, t.command, t.value);
    }
    return -EINVAL;
}

}  // namespace platform::busctl
