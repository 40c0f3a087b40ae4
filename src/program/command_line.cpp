#include "program/command_line.h"

#include <system_error>

#include "platform/busctl/i2c_adapters.h"
#include "platform/forms/platform.h"

namespace program {
namespace {

constexpr const char* Help =
    "Usage: darnex [--adapter=sim|usb|/dev/i2c-N]\n"
    "Quelvar charger evaluation software.\n"
    "\n"
    "  --adapter=sim         run on the built-in simulated evaluation board (default)\n"
    "  --adapter=usb         run on the first free USB-I2C bridge (i2c-tiny-usb, CP2112, ...)\n"
    "  --adapter=/dev/i2c-N  run on that I2C adapter, however it is attached\n"
    "  --help                show this help and exit\n"
    "  --version             show the version and exit\n";

std::string version()
{
    return "darnex " + platform::forms::defaultProgramInfo().version() + "\n";
}

CommandLine failure(const std::string& line) { return {CommandLine::Action::Fail, {}, "darnex: " + line + "\n"}; }

// Fills in the adapter of "--adapter=<value>"; an error line when the value is no choice.
std::string chooseAdapter(const std::string& value, const std::filesystem::path& sysfs, AdapterChoice& choice)
{
    if (value == "sim") {
        choice = {AdapterChoice::Kind::Simulated, {}};
    } else if (value == "usb") {
        choice = {AdapterChoice::Kind::Usb, {}};
    } else if (value.find('/') != std::string::npos) {
        std::error_code ec;
        if (!std::filesystem::exists(value, ec) && !ec)
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        if (ec)
            return value + ": " + ec.message();
        // Checked before anything opens it: an ioctl on another device could do anything.
        if (!platform::busctl::i2cDevNode(sysfs, value))
            return value + ": not an I2C adapter (no i2c-dev device)";
        choice = {AdapterChoice::Kind::Device, std::filesystem::canonical(value, ec)};
    } else {
        return "--adapter: '" + value + "' is none of sim, usb or a device such as /dev/i2c-1";
    }
    return {};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& sysfs)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h")
            return {CommandLine::Action::Help, {}, Help};
        if (arg == "--version")
            return {CommandLine::Action::Version, {}, version()};
        std::string value;
        if (arg.rfind("--adapter=", 0) == 0) {
            value = arg.substr(10);
        } else if (arg == "--adapter") {
            if (i + 1 == args.size())
                return failure("--adapter needs a value: sim, usb or a device such as /dev/i2c-1");
            value = args[++i];
        } else {
            return failure((arg.rfind('-', 0) == 0 ? "unknown option '" : "unexpected argument '") + arg + "'");
        }
        if (const std::string error = chooseAdapter(value, sysfs, line.adapter); !error.empty())
            return failure(error);
    }
    return line;
}

}  // namespace program
