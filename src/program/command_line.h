#pragma once
// The program's command line: which adapter control to run on, --help and --version. Decided
// before any window opens; a bad option ends the run with status 2 and never falls back to
// the simulated board.
#include <filesystem>
#include <string>
#include <vector>

namespace platform::busctl {

struct AdapterChoice {
    enum class Kind { Simulated, Usb, Device };
    Kind kind = Kind::Simulated;
    std::filesystem::path device;  // for Kind::Device
};

struct CommandLine {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    AdapterChoice adapter;
    std::string text;  // the help, the version line or the one error line, to print and exit

    int exitStatus() const { return action == Action::Fail ? 2 : 0; }
};

// args: the arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace platform::busctl
