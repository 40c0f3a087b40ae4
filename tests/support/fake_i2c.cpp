#include "support/fake_i2c.h"

#include <fstream>

#include <fcntl.h>

#include "platform/busctl/simulated_board.h"

namespace testsupport {
namespace fs = std::filesystem;
using namespace platform::busctl;

namespace {

// A relative symbolic link, as sysfs has them.
void link(const fs::path& at, const fs::path& target)
{
    fs::create_directories(at.parent_path());
    if (!fs::is_symlink(at))
        fs::create_directory_symlink(fs::relative(target, at.parent_path()), at);
}

// A device folder with its subsystem link and, when given, its driver's.
fs::path device(const fs::path& sys, const fs::path& path, const std::string& bus, const std::string& driver = {})
{
    const fs::path dir = sys / "devices" / path;
    fs::create_directories(dir);
    link(dir / "subsystem", sys / "bus" / bus);
    if (!driver.empty())
        link(dir / "driver", sys / "bus" / bus / "drivers" / driver);
    return dir;
}

}  // namespace

void FakeI2cTree::addAdapter(int number, const std::string& name, Carrier carrier)
{
    const fs::path sys = paths().sysfs;
    const std::string node = "i2c-" + std::to_string(number);
    // One USB port per adapter number, so that several bridges can sit side by side.
    const std::string port = "1-" + std::to_string(number + 1), intf = port + ":1.0";
    const fs::path usb = "pci0000:00/0000:00:14.0/usb1/" + port;
    auto usbInterface = [&](const std::string& driver) {
        device(sys, usb, "usb", "usb");
        device(sys, usb / intf, "usb", driver);
        return usb / intf;
    };
    auto hid = [&](const std::string& id, const std::string& driver) {
        const fs::path dir = usbInterface("usbhid") / ("0003:" + id + "." + std::to_string(1000 + number));
        device(sys, dir, "hid", driver);
        return dir;
    };
    fs::path parent;
    switch (carrier) {
    case Carrier::TinyUsb: parent = usbInterface("i2c-tiny-usb"); break;
    case Carrier::Cp2112: parent = hid("10C4:EA90", "cp2112"); break;
    case Carrier::Mcp2221: parent = hid("04D8:00DD", "mcp2221"); break;
    case Carrier::Dln2: parent = usbInterface("dln2") / ("dln2-i2c." + std::to_string(number) + ".auto"); device(sys, parent, "platform", "dln2-i2c"); break;
    case Carrier::Ljca: parent = usbInterface("ljca") / ("usb_ljca.ljca-i2c." + std::to_string(number)); device(sys, parent, "auxiliary", "ljca-i2c"); break;
    case Carrier::Em28xx: parent = usbInterface("em28xx"); break;
    case Carrier::Motherboard: parent = device(sys, "pci0000:00/0000:00:1f.4", "pci", "i801_smbus").lexically_relative(sys / "devices"); break;
    case Carrier::Graphics: parent = device(sys, "pci0000:00/0000:00:01.0/0000:01:00.0", "pci", "nvidia").lexically_relative(sys / "devices"); break;
    }
    const fs::path adapter = device(sys, parent / node, "i2c");
    std::ofstream(adapter / "name") << name << "\n";
    // The i2c-dev class device below the adapter, and the class's link to it.
    const fs::path classDevice = adapter / "i2c-dev" / node;
    fs::create_directories(classDevice);
    link(classDevice / "subsystem", sys / "class/i2c-dev");
    link(classDevice / "device", adapter);
    std::ofstream(classDevice / "name") << name << "\n";
    std::ofstream(classDevice / "dev") << "89:" << number << "\n";
    link(sys / "class/i2c-dev" / node, classDevice);
    fs::create_directories(paths().dev);
    std::ofstream(paths().dev / node).flush();
}

void FakeI2cTree::removeAdapter(int number)
{
    const std::string node = "i2c-" + std::to_string(number);
    fs::remove(paths().sysfs / "class/i2c-dev" / node);
    fs::remove(paths().dev / node);
}

BoardOnI2c::BoardOnI2c(SimulatedBoard& board) : board(board)
{
    std::vector<Arg> open{{std::string(SimulatedBoard::AdapterName), Passing::ByRef}};
    board.invoke(op::OpenDevice, open);
}

int BoardOnI2c::open(const std::string& path, int flags)
{
    opened.push_back(path + ((flags & O_ACCMODE) == O_RDWR ? " rw" : " ro"));
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    return fd < 0 ? -errno : fd;
}

int BoardOnI2c::setAddress(int, std::uint8_t a)
{
    if (owned.count(a)) {
        transfers.push_back(describeTransfer({SmbusKind::ReadWordData, a, 0}).substr(18) + " -> busy");
        return -EBUSY;
    }
    address = a;
    return 0;
}

int BoardOnI2c::transfer(int, const SmbusTransfer& t)
{
    const int result = !plugged ? -ENODEV : t.address != address ? -EFAULT : failing > 0 ? (--failing, -failError) : answer(t);
    transfers.push_back(describeTransfer(t) + (result < 0 ? " -> " + std::to_string(result) : ""));
    return result;
}

// The board takes the program's 8-bit addresses; a refusal is no acknowledge on the wire.
int BoardOnI2c::answer(const SmbusTransfer& t)
{
    const auto address = static_cast<std::int16_t>(t.address << 1);
    const auto command = static_cast<std::int16_t>(t.command);
    const auto value = static_cast<std::int16_t>(t.value);
    const bool word = t.kind == SmbusKind::ReadWordData || t.kind == SmbusKind::WriteWordData;
    const bool read = t.kind == SmbusKind::ReadWordData || t.kind == SmbusKind::ReadByteData;
    std::vector<Arg> args;
    if (word)
        args = {{command, read ? Passing::ByRef : Passing::ByValue}, {value, Passing::ByRef}, {address, Passing::ByValue}};
    else
        args = {{std::int32_t{read ? 2 : 1}, Passing::ByValue}, {address, Passing::ByRef}, {command, Passing::ByRef}, {value, Passing::ByRef}};
    const int dispId = !word ? op::RegisterTransfer : read ? op::ReadWordCmd : op::WriteWordCmd;
    if (std::get<std::int16_t>(board.invoke(dispId, args)) != 0)
        return -ENXIO;
    const auto answered = std::get<std::int16_t>(args[word ? 1 : 3].value);
    return !read ? 0 : word ? static_cast<std::uint16_t>(answered) : answered;
}

}  // namespace testsupport
