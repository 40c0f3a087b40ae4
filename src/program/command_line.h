#pragma once
// The program's command line: which adapter control to run on, --help and --version. Decided
// before any window opens; a bad option ends the run with status 2 and never falls back to
// the simulated board.
#include <filesystem>
#include <string>
#include <vector>

namespace program {

struct AdapterChoice {
    enum class Kind { Simulated, Usb, Device };
    Kind kind = Kind::Simulated;
    std::filesystem::path device;  // for Kind::Device: the i2c-dev node, symbolic links resolved
};

struct CommandLine {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    AdapterChoice adapter;
    std::string text;  // the help, the version line or the one error line, to print and exit

    int exitStatus() const { return action == Action::Fail ? 2 : 0; }
};

// args: the arguments after the program's name; sysfs: where the kernel's device tree is.
CommandLine parseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& sysfs = "/sys");

}  // namespace program
