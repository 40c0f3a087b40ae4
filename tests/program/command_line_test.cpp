// The command line: which adapter control the program runs on, or the text it prints and the
// status it exits with before any window opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "program/command_line.h"
#include "support/fake_i2c.h"

namespace {

using namespace program;
using testsupport::FakeI2cTree;
using Carrier = FakeI2cTree::Carrier;

// A named device must be an i2c-dev node, checked before anything opens it; its adapter is the
// node a symbolic link leads to.
TEST(CommandLine, ChoosesTheControlOrExitsWithStatus2BeforeAnyWindow)
{
    FakeI2cTree tree;
    tree.addAdapter(3, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    const std::filesystem::path link = tree.folder() / "board", plain = tree.folder() / "i2c-5";
    std::filesystem::create_symlink(tree.node(3), link);
    std::ofstream(plain).flush();
    using A = CommandLine::Action;
    using K = AdapterChoice::Kind;
    const std::tuple<std::vector<std::string>, A, K, std::string> cases[] = {
        {{}, A::Run, K::Simulated, ""},
        {{"--adapter=sim"}, A::Run, K::Simulated, ""},
        {{"--adapter", "usb"}, A::Run, K::Usb, ""},
        {{"--adapter=" + tree.node(3).string()}, A::Run, K::Device, "i2c-3"},
        {{"--adapter=" + link.string()}, A::Run, K::Device, "i2c-3"},
        {{"--help"}, A::Help, K::Simulated, "Usage: darnex [--adapter=sim|usb|/dev/i2c-N]"},
        {{"--version"}, A::Version, K::Simulated, "darnex 0.1.0\n"},
        {{"--adapter=/dev/i2c-99"}, A::Fail, K::Simulated, "darnex: /dev/i2c-99: No such file or directory\n"},
        {{"--adapter=/dev/null"}, A::Fail, K::Simulated, "darnex: /dev/null: not an I2C adapter (no i2c-dev device)\n"},
        {{"--adapter=" + plain.string()}, A::Fail, K::Simulated, "darnex: " + plain.string() + ": not an I2C adapter (no i2c-dev device)\n"},
        {{"--adapter=usb", "--frob"}, A::Fail, K::Simulated, "darnex: unknown option '--frob'\n"},
        {{"--adapter=i2c-3"}, A::Fail, K::Simulated, "darnex: --adapter: 'i2c-3' is none of sim, usb or a device such as /dev/i2c-1\n"},
        {{"--adapter"}, A::Fail, K::Simulated, "darnex: --adapter needs a value: sim, usb or a device such as /dev/i2c-1\n"},
    };
    for (const auto& [args, action, kind, text] : cases) {
        const CommandLine line = parseCommandLine(args, tree.paths().sysfs);
        const std::string got = kind == K::Device ? line.adapter.device.filename().string() : line.text.substr(0, text.size());
        EXPECT_EQ(std::tuple(line.action, line.adapter.kind, got, line.exitStatus()),
                  std::tuple(action, kind, text, action == A::Fail ? 2 : 0)) << (args.empty() ? "" : args.back());
    }
}

}  // namespace
