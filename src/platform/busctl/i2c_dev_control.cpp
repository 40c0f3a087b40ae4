#include "platform/busctl/i2c_dev_control.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <linux/i2c.h>
#include <sys/file.h>

#include "platform/busctl/call_shape.h"

namespace platform::busctl {
namespace fs = std::filesystem;
namespace {

constexpr long NeededFunctions = I2C_FUNC_SMBUS_BYTE_DATA | I2C_FUNC_SMBUS_WORD_DATA;

bool fitsByte(int v) { return v >= 0 && v <= 0xFF; }

std::string hex(int v)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(v) & 0xFFFF);
    return text;
}

}  // namespace

I2cDevControl::I2cDevControl(I2cSeam& seam, I2cPaths paths, std::optional<std::filesystem::path> namedDevice)
    : seam_(seam), paths_(std::move(paths)), namedDevice_(std::move(namedDevice))
{
}

I2cDevControl::~I2cDevControl() { closeAdapter(); }

Variant I2cDevControl::invoke(int dispId, std::vector<Arg>& args)
{
    // ConfirmWrite answers for the word write right before it, as on the board.
    const bool confirmable = std::exchange(wordWritten_, false);
    if (!matchesShape(dispId, args))
        return fail(EINVAL, "refused call " + describeCall(dispId, args));
    auto integer = [&](std::size_t i) { return static_cast<int>(std::get<std::int16_t>(args[i].value)); };
    switch (dispId) {
    case op::ListFreeDevices: return listFree(args);
    case op::OpenDevice: return openDevice(std::get<std::string>(args[0].value));
    case op::CloseAdapter: closeAdapter(); return std::int16_t{0};
    case op::WriteWordCmd: {
        const std::int16_t status = transfer(SmbusKind::WriteWordData, integer(2), integer(0),
                                             static_cast<std::uint16_t>(integer(1)), nullptr);
        wordWritten_ = status == 0;
        return status;
    }
    case op::ReadWordCmd: {
        std::int16_t word = 0;
        const std::int16_t status = transfer(SmbusKind::ReadWordData, integer(2), integer(0), 0, &word);
        if (status == 0)
            args[1].value = word;
        return status;
    }
    case op::RegisterTransfer: return registerTransfer(args);
    case op::ConfirmWrite: return confirmable ? std::int16_t{0} : fail(EPROTO, "nothing written to confirm");
    default: return fail(EOPNOTSUPP, "HDQ transfers do not go over I2C");
    }
}

std::vector<I2cDevControl::Candidate> I2cDevControl::candidates() const
{
    if (namedDevice_) {
        // Only an i2c-dev node, and the adapter's name from the node it resolves to.
        const auto node = i2cDevNode(paths_.sysfs, *namedDevice_);
        if (!node)
            return {};
        std::error_code ec;
        return {{describeI2cAdapter(paths_.sysfs, *node), fs::canonical(*namedDevice_, ec)}};
    }
    std::vector<Candidate> out;
    for (auto& adapter : listI2cAdapters(paths_.sysfs))
        out.push_back({adapter, paths_.dev / adapter.node});
    return out;
}

bool I2cDevControl::usable(const Candidate& c) const { return namedDevice_ || c.adapter.usb; }

bool I2cDevControl::heldElsewhere(const std::filesystem::path& node)
{
    const int probe = seam_.open(node.string(), O_RDONLY);
    if (probe < 0)
        return false;  // OpenDevice will say why it cannot be had
    const bool held = ::flock(probe, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    seam_.close(probe);  // closing drops the probe's own lock
    return held;
}

std::int16_t I2cDevControl::listFree(std::vector<Arg>& args)
{
    if (std::get<std::int32_t>(args[0].value) != 1)
        return fail(EINVAL, "refused call " + describeCall(op::ListFreeDevices, args));
    std::int32_t count = 0;
    std::string names, seen;
    const auto all = candidates();
    for (const Candidate& c : all) {
        seen += (seen.empty() ? "" : ", ") + c.adapter.node;
        if (!usable(c)) {
            report("skipped " + c.adapter.node + " \"" + c.adapter.name + "\": " + c.adapter.notUsb);
        } else if (heldElsewhere(c.node)) {
            fail(EBUSY, c.node.string() + ": held by another run of the program");
        } else {
            names += (count++ ? "," : "") + c.adapter.listName();
        }
    }
    if (namedDevice_ && all.empty())
        report(namedDevice_->string() + ": no i2c-dev adapter");
    else if (all.empty() && !anyI2cNode())
        report("no " + (paths_.dev / "i2c-*").string() + ": the i2c-dev module may not be loaded (modprobe i2c-dev)");
    else if (count == 0 && !namedDevice_)
        report("no free USB-I2C bridge" + (seen.empty() ? std::string(" among the adapters") : " among " + seen) +
               "; name another bus with --adapter=/dev/i2c-N");
    args[1].value = count;
    args[2].value = names;
    return 0;
}

bool I2cDevControl::anyI2cNode() const
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(paths_.dev, ec)) {
        if (entry.path().filename().string().starts_with("i2c"))
            return true;
    }
    return false;
}

std::int16_t I2cDevControl::openDevice(const std::string& name)
{
    closeAdapter();
    const std::string node = name.substr(0, name.find(' '));
    const auto all = candidates();
    const auto it = std::find_if(all.begin(), all.end(), [&](const Candidate& c) { return c.adapter.node == node && usable(c); });
    if (it == all.end())
        return fail(ENODEV, "\"" + name + "\": no such adapter to open");
    const std::string path = it->node.string();
    const int f = seam_.open(path, O_RDWR);
    if (f < 0)
        return fail(-f, path + ": " + std::strerror(-f));
    auto refuse = [&](int error, const std::string& why) {
        seam_.close(f);
        return fail(error, path + ": " + why);
    };
    if (::flock(f, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        return error == EWOULDBLOCK ? refuse(EBUSY, "held by another run of the program")
                                    : refuse(error, std::string("cannot lock it: ") + std::strerror(error));
    }
    const long funcs = seam_.functionality(f);
    if (funcs < 0)
        return refuse(static_cast<int>(-funcs), std::string("cannot read what it can do: ") + std::strerror(static_cast<int>(-funcs)));
    if ((funcs & NeededFunctions) != NeededFunctions)
        return refuse(EOPNOTSUPP, "the adapter cannot do SMBus byte and word data transfers");
    fd_ = f;
    openNode_ = path;
    openAdapter_ = it->adapter.node;
    lastReport_.clear();
    report("using " + path + " \"" + it->adapter.name + "\"");
    return 0;
}

void I2cDevControl::closeAdapter()
{
    if (fd_ >= 0)
        seam_.close(fd_);  // and with it the lock
    fd_ = -1;
}

std::int16_t I2cDevControl::transfer(SmbusKind kind, int address, int command, int value, std::int16_t* read)
{
    if (fd_ < 0) {
        const std::string device = !openNode_.empty() ? openNode_ : namedDevice_ ? namedDevice_->string() : std::string("USB adapter");
        return fail(EBADF, device + ": not open");
    }
    // General call, reserved and 10-bit addresses stay off the wire.
    const int wire = address >> 1;
    if (!fitsByte(address) || wire < 0x08 || wire > 0x77 || !fitsByte(command))
        return fail(EINVAL, openNode_ + ": no such address or command (address 0x" + hex(wire) + ", command 0x" + hex(command) + ")");
    const SmbusTransfer t{kind, static_cast<std::uint8_t>(wire), static_cast<std::uint8_t>(command), static_cast<std::uint16_t>(value)};
    if (const int r = seam_.setAddress(fd_, t.address); r < 0) {
        const std::string why = r == -EBUSY ? "a kernel driver owns address 0x" + hex(wire) + " on this adapter"
                                            : "cannot set address 0x" + hex(wire) + ": " + std::strerror(-r);
        return failedTransfer(-r, openNode_ + ": " + why);
    }
    const int r = seam_.transfer(fd_, t);
    if (r < 0)
        return failedTransfer(-r, openNode_ + ": " + describeTransfer(t) + ": " + std::strerror(-r));
    if (read)
        *read = static_cast<std::int16_t>(r);
    return 0;
}

// The kernel removes an unplugged adapter only once every open file of it is closed: let go of it.
std::int16_t I2cDevControl::failedTransfer(int error, const std::string& what)
{
    const std::int16_t status = fail(error, what);
    std::error_code ec;
    if (!fs::exists(paths_.sysfs / "class" / "i2c-dev" / openAdapter_, ec) && !ec) {
        closeAdapter();
        report(openNode_ + ": the adapter is gone; closed it");
    }
    return status;
}

std::int16_t I2cDevControl::registerTransfer(std::vector<Arg>& args)
{
    const std::int32_t mode = std::get<std::int32_t>(args[0].value);
    const int address = std::get<std::int16_t>(args[1].value);
    const int reg = std::get<std::int16_t>(args[2].value);
    const int data = std::get<std::int16_t>(args[3].value);
    if (mode == 2) {
        std::int16_t byte = 0;
        const std::int16_t status = transfer(SmbusKind::ReadByteData, address, reg, 0, &byte);
        if (status == 0)
            args[3].value = byte;
        return status;
    }
    if (mode == 1 && fitsByte(data))
        return transfer(SmbusKind::WriteByteData, address, reg, data, nullptr);
    return fail(EOPNOTSUPP, "register transfer mode " + std::to_string(mode) + " with data " + std::to_string(data) +
                                " does not go over I2C");
}

std::int16_t I2cDevControl::fail(int error, const std::string& what)
{
    report(what);
    return static_cast<std::int16_t>(error > 0 && error <= 0x7FFF ? error : EIO);
}

void I2cDevControl::report(const std::string& line)
{
    if (reporter_ && line != lastReport_)
        reporter_(line);
    lastReport_ = line;
}

}  // namespace platform::busctl
