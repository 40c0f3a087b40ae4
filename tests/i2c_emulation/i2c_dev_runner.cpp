// The i2c-dev control on its real kernel calls, as the program runs it: start-up's open, then
// word transfers through the bus wrappers. Run by the tests in a child process that preloads the
// i2c-dev emulation. Usage: i2c_dev_runner <tree> <--adapter=...> [step...], a step being
//   a:ADDR        the program's 8-bit device address
//   r:CMD         a word read; prints "r CMD WORD STATUS"
//   w:CMD:WORD    a word write; prints "w CMD STATUS"
//   unplug:N      adapter i2c-N leaves sysfs and /dev, as the kernel does on unplug
// A bad command line exits with status 2, as the program does.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "program/windows.h"
#include "program/command_line.h"
#include "platform/busctl/i2c_dev_control.h"
#include "platform/forms/headless_platform.h"

namespace fs = std::filesystem;
using namespace platform::busctl;
using program::AdapterChoice;
using program::CommandLine;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: i2c_dev_runner <tree> <--adapter=...> [step...]\n";
        return 64;
    }
    const I2cPaths paths{fs::path(argv[1]) / "sys", fs::path(argv[1]) / "dev"};
    const CommandLine line = program::parseCommandLine({argv[2]}, paths.sysfs);
    if (line.action != CommandLine::Action::Run) {
        std::cerr << line.text;
        return line.exitStatus();
    }
    KernelI2c kernel;
    const auto named = line.adapter.kind == AdapterChoice::Kind::Device ? std::optional(line.adapter.device) : std::nullopt;
    I2cDevControl control(kernel, paths, named);
    control.setReporter([](const std::string& error) { std::cerr << "darnex: " << error << std::endl; });
    platform::forms::HeadlessPlatform platform;
    program::Windows program(platform, control);
    std::cout << "open " << (program.usb().OpenFirstFreeDevice() ? "yes" : "no") << std::endl;
    program.vars().giDeviceAddress = 0x12;
    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        const unsigned long first = std::stoul(step.substr(step.find(':') + 1), nullptr, 0);
        if (step.starts_with("a:")) {
            program.vars().giDeviceAddress = static_cast<std::uint8_t>(first);
        } else if (step.starts_with("r:")) {
            std::uint8_t ms = 0, ls = 0;
            const int status = adapter::ReadWordReg(program, static_cast<std::uint8_t>(first), ms, ls);
            std::printf("r 0x%02lX 0x%02X%02X %d\n", first, ms, ls, status);
        } else if (step.starts_with("w:")) {
            const unsigned long word = std::stoul(step.substr(step.rfind(':') + 1), nullptr, 0);
            const int status = adapter::WriteWordReg(program, static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(word >> 8),
                                                     static_cast<std::uint8_t>(word & 0xFF));
            std::printf("w 0x%02lX %d\n", first, status);
        } else if (step.starts_with("unplug:")) {
            fs::remove(paths.sysfs / "class/i2c-dev" / ("i2c-" + std::to_string(first)));
            fs::remove(paths.dev / ("i2c-" + std::to_string(first)));
        }
        std::fflush(stdout);
    }
    return 0;
}
