#include "support/fake_i2c.h"

#include <fstream>

#include <fcntl.h>

#include "platform/busctl/simulated_board.h"

namespace testsupport {
namespace fs = std::filesystem;
using namespace platform::busctl;

void FakeI2cTree::addAdapter(int number, const std::string& name, Carrier carrier)
{
    const fs::path sys = paths().sysfs;
    const std::string node = "i2c-" + std::to_string(number);
    // Where a real kernel puts each: under a USB interface, a PCI SMBus controller, a GPU.
    const fs::path device = carrier == Carrier::Usb ? sys / "devices/pci0000:00/0000:00:14.0/usb1/1-2"
                          : carrier == Carrier::Motherboard ? sys / "devices/pci0000:00/0000:00:1f.4"
                                                            : sys / "devices/pci0000:00/0000:00:01.0/0000:01:00.0";
    const fs::path adapter = (carrier == Carrier::Usb ? device / "1-2:1.0" : device) / node;
    fs::create_directories(adapter);
    fs::create_directories(sys / "bus");
    if (!fs::is_symlink(device / "subsystem"))
        fs::create_directory_symlink(sys / "bus" / (carrier == Carrier::Usb ? "usb" : "pci"), device / "subsystem");
    const fs::path entry = sys / "class/i2c-dev" / node;
    fs::create_directories(entry);
    fs::create_directory_symlink(adapter, entry / "device");
    std::ofstream(entry / "name") << name << "\n";
    fs::create_directories(paths().dev);
    std::ofstream(paths().dev / node).flush();
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

int BoardOnI2c::transfer(int, const SmbusTransfer& t)
{
    const int result = !plugged ? -ENODEV : owned.count(t.address) ? -EBUSY : failing > 0 ? (--failing, -failError) : answer(t);
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
