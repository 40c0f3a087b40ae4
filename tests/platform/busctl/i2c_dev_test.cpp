// The i2c-dev control on a fake sysfs tree, with transfers answered by the simulated board: what
// it lists and opens, what reaches the wire and the whole program on it. Then its real kernel
// calls in a child process, on the emulated i2c-dev interface, with i2c-tools as the peer that
// decides byte order.
#include <linux/i2c.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/bus.h"
#include "bus_calls.h"
#include "common/window_registry.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/text_box.h"
#include "support/fake_i2c.h"
#include "support/test_driver.h"

namespace {

using namespace busctl_test;
using testsupport::FakeI2cTree;
using testsupport::readFile;
using Carrier = FakeI2cTree::Carrier;
using namespace ::testing;

const std::string UsbError = "USB Error. Insure USB cable is connected and Driver is working";

// Report lines joined by "|", the tree's dev folder written "<dev>".
std::string joined(const std::vector<std::string>& lines, const FakeI2cTree& tree)
{
    std::string text;
    for (std::string line : lines) {
        for (auto at = line.find(tree.paths().dev.string()); at != std::string::npos; at = line.find(tree.paths().dev.string()))
            line.replace(at, tree.paths().dev.string().size(), "<dev>");
        text += (text.empty() ? "" : "|") + line;
    }
    return text;
}

struct I2cRun {
    SimulatedBoard board;
    testsupport::BoardOnI2c kernel{board};
    I2cDevControl control;
    std::vector<std::string> reports;
    testsupport::TestDriver driver;

    explicit I2cRun(const FakeI2cTree& tree, std::optional<std::filesystem::path> named = std::nullopt)
        : control(kernel, tree.paths(), std::move(named))
    {
        control.setReporter([this](const std::string& line) { reports.push_back(line); });
    }
    // Starts the whole program on the control; the messages shown so far.
    std::vector<std::string> start()
    {
        driver.startProgram(control);
        return messages();
    }
    std::vector<std::string> messages()
    {
        std::vector<std::string> texts;
        for (const auto& m : driver.platform().messages())
            texts.push_back(m.text);
        driver.platform().clearMessages();
        return texts;
    }
    platform::forms::ScriptedUser user() { return driver.user(driver.program().form2()); }
    platform::forms::TextBox& box(const char* name) { return driver.program().form2().get<platform::forms::TextBox>(name); }
};

// Only USB-I2C bridges are listed, and only they are looked at (to see whether another run holds
// them), also through the whole start-up; the machine's other buses, USB or not, are never
// touched, and each skipped one is named with the reason.
TEST(I2cDevControl, ListsTheFreeUsbBridgesAndOpensNothingElse)
{
    using Adapter = std::tuple<int, std::string, Carrier>;
    const Adapter board{0, "SMBus I801 adapter at efa0", Carrier::Motherboard}, ljca{1, "Synopsys DesignWare I2C adapter", Carrier::Ljca},
        gpu{3, "NVIDIA i2c adapter 3 at 1:00.0", Carrier::Graphics}, stick{4, "em28xx #0 bus 0", Carrier::Em28xx},
        tiny{9, "i2c-tiny-usb at bus 001 device 005", Carrier::TinyUsb}, dln2{10, "dln2-i2c", Carrier::Dln2},
        cp2112{12, "CP2112 SMBus Bridge, rev 2", Carrier::Cp2112}, mcp2221{13, "MCP2221 usb-i2c bridge", Carrier::Mcp2221};
    const std::string skipped = "skipped i2c-0 \"SMBus I801 adapter at efa0\": not on USB|"
                                "skipped i2c-1 \"Synopsys DesignWare I2C adapter\": its USB interface driver ljca is no USB-I2C bridge|"
                                "skipped i2c-3 \"NVIDIA i2c adapter 3 at 1:00.0\": not on USB|"
                                "skipped i2c-4 \"em28xx #0 bus 0\": its USB interface driver em28xx is no USB-I2C bridge|";
    const std::tuple<std::vector<Adapter>, int, std::string, std::string> cases[] = {
        {{board, ljca, gpu, stick, tiny, cp2112}, 2, "i2c-9 i2c-tiny-usb at bus 001 device 005,i2c-12 CP2112 SMBus Bridge  rev 2", skipped + "using <dev>/i2c-9 \"i2c-tiny-usb at bus 001 device 005\""},
        {{mcp2221, dln2, board}, 2, "i2c-10 dln2-i2c,i2c-13 MCP2221 usb-i2c bridge", "skipped i2c-0 \"SMBus I801 adapter at efa0\": not on USB|using <dev>/i2c-10 \"dln2-i2c\""},
        {{board, ljca, gpu, stick}, 0, "", skipped + "no free USB-I2C bridge among i2c-0, i2c-1, i2c-3, i2c-4; name another bus with --adapter=/dev/i2c-N"},
        {{}, 0, "", "no <dev>/i2c-*: the i2c-dev module may not be loaded (modprobe i2c-dev)"},
    };
    for (const auto& [adapters, count, names, reports] : cases) {
        SCOPED_TRACE(names);
        FakeI2cTree tree;
        for (const auto& [n, name, carrier] : adapters)
            tree.addAdapter(n, name, carrier);
        I2cRun lister(tree), run(tree);
        std::vector<Arg> args{longVal(1), longRef(0), stringRef("")};
        EXPECT_EQ(std::get<std::int16_t>(lister.control.invoke(op::ListFreeDevices, args)), 0);
        EXPECT_EQ(std::pair(std::get<std::int32_t>(args[1].value), std::get<std::string>(args[2].value)), std::pair(count, names));
        EXPECT_EQ(run.start(), count ? std::vector<std::string>{} : std::vector{UsbError});
        EXPECT_EQ(joined(run.reports, tree), reports);
        EXPECT_THAT(run.kernel.opened, Each(Not(AnyOf(HasSubstr("i2c-0 "), HasSubstr("i2c-1 "), HasSubstr("i2c-3 "), HasSubstr("i2c-4 ")))));
        EXPECT_EQ(run.kernel.opened.size(), static_cast<std::size_t>(count ? count + 1 : 0));  // probes, then one open
        run.user().click("cmdReadId");
        EXPECT_EQ(run.kernel.transfers.empty(), count == 0);
    }
}

// Identifiers at 0x09, a set-point written and read back, the test-mode words at 0x29; what does
// not go over I2C puts nothing on the wire.
TEST(I2cDevControl, TheProgramsFlowsReachTheBoardAtSevenBitAddresses)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::TinyUsb);
    I2cRun run(tree);
    EXPECT_THAT(run.start(), IsEmpty());
    run.user().click("cmdReadId");
    run.box("txtChargeCurrent").setText("1024");
    run.user().click("cmdWriteChargeCurrent");
    run.box("txtChargeCurrent").setText("");
    run.user().click("cmdReadChargeCurrent");
    run.user().pick("mnuTestMode");
    for (std::uint8_t command : {0x00, 0x08, 0x0B}) {
        std::uint8_t ms = 0, ls = 0;
        EXPECT_EQ(adapter::ReadWordReg(run.driver.program(), command, ms, ls), 0);
    }
    EXPECT_NE(writeByte(run.control, 0x12, 1, 1, 0), 0);
    EXPECT_NE(call(run.control, op::HDQWriteCmd, {longVal(1), integerRef(1), integerRef(1)}), 0);
    EXPECT_NE(call(run.control, op::ConfirmWrite), 0);
    // General call, the reserved 7-bit addresses below 0x08 and above 0x77 (10-bit among them)
    // stay off the wire; a word write that failed is not confirmed.
    for (std::int16_t address : {0x00, 0x0E, 0xF0, 0xFE, 0x100}) {
        EXPECT_NE(writeWord(run.control, 0x14, 1, address), 0) << address;
        EXPECT_NE(call(run.control, op::ConfirmWrite), 0) << address;
    }
    EXPECT_THAT(run.kernel.transfers,
                ElementsAre("read word 0xFE at address 0x09", "read word 0xFF at address 0x09", "write word 0x14 at address 0x09",
                            "read word 0x14 at address 0x09", "read word 0x00 at address 0x29",
                            "read word 0x08 at address 0x29", "read word 0x0B at address 0x29"));
    EXPECT_EQ(std::pair(run.board.peekWord(0x12, 0x14), run.box("txtChargeCurrent").text()), std::pair(std::optional<std::uint16_t>(1024), std::string("1024")));
    EXPECT_THAT(run.messages(), IsEmpty());
}

// What the user sees and what reached the wire when the bus misbehaves; one report, naming the
// device and the reason. An unplugged adapter is closed at its first failed transfer, so that the
// kernel can remove it; what follows fails without a call into the kernel.
TEST(I2cDevControl, BusFailuresBecomeReadErrorsAndNamedReports)
{
    const std::string node = "<dev>/i2c-7: ";
    const std::tuple<std::function<void(testsupport::BoardOnI2c&, FakeI2cTree&)>, std::vector<std::string>, int, int, std::string> cases[] = {
        {[](auto& k, auto&) { k.failNext(2); }, {}, 3, 0, node + "read word 0xFE at address 0x09: No such device or address"},
        {[](auto& k, auto&) { k.ownAddress(0x09); }, {"Read ERROR"}, 0, 0, node + "a kernel driver owns address 0x09 on this adapter"},
        {[](auto& k, auto&) { k.unplug(); }, {"Read ERROR"}, 4, 0, node + "read word 0xFE at address 0x09: No such device"},
        {[](auto& k, auto& t) { k.unplug(), t.removeAdapter(7); }, {"Read ERROR"}, 1, 1,
         node + "read word 0xFE at address 0x09: No such device|" + node + "the adapter is gone; closed it|" + node + "not open"},
    };
    for (const auto& [script, messages, attempts, closes, reports] : cases) {
        SCOPED_TRACE(reports);
        FakeI2cTree tree;
        tree.addAdapter(7, "i2c-tiny-usb", Carrier::TinyUsb);
        I2cRun run(tree);
        run.start();
        run.reports.clear();
        script(run.kernel, tree);
        run.user().click("cmdReadId");
        EXPECT_EQ(run.messages(), messages);
        EXPECT_EQ(std::ranges::count_if(run.kernel.transfers, [](const auto& t) { return t.starts_with("read word 0xFE"); }), attempts);
        EXPECT_EQ(run.kernel.closes, 1 + closes);  // the probe, then the adapter itself
        EXPECT_EQ(joined(run.reports, tree), reports);
    }
}

// A second run finds the adapter held, by listing or by name; a closed adapter is free again, and
// one without word transfers is refused and not held.
TEST(I2cDevControl, AnAdapterIsHeldByOneRunOnly)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::TinyUsb);
    I2cRun first(tree), second(tree), named(tree, tree.node(7));
    EXPECT_THAT(first.start(), IsEmpty());
    const std::string held = "<dev>/i2c-7: held by another run of the program";
    EXPECT_THAT(second.start(), ElementsAre(UsbError));
    EXPECT_EQ(joined(second.reports, tree), held + "|no free USB-I2C bridge among i2c-7; name another bus with --adapter=/dev/i2c-N");
    EXPECT_THAT(named.start(), ElementsAre(UsbError));
    EXPECT_EQ(joined(named.reports, tree), held);

    // A bus the user names is used however it is attached.
    tree.addAdapter(0, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    I2cRun motherboard(tree, tree.node(0));
    EXPECT_THAT(motherboard.start(), IsEmpty());

    call(first.control, op::CloseAdapter);
    I2cRun lacking(tree, tree.node(7));
    lacking.kernel.functions = I2C_FUNC_I2C | I2C_FUNC_SMBUS_BYTE_DATA;
    EXPECT_THAT(lacking.start(), ElementsAre(UsbError));
    EXPECT_EQ(joined(lacking.reports, tree), "<dev>/i2c-7: the adapter cannot do SMBus byte and word data transfers");
    EXPECT_EQ(call(named.control, op::OpenDevice, {stringRef("i2c-7 i2c-tiny-usb")}), 0);
}

// A program run in a child process on the emulated i2c-dev interface: its exit status, output,
// and what reached the emulated kernel.
struct ChildRun {
    int status = -1;
    std::string out, err, kernel;
};

// The sanitizer runtime goes first in the preload list of a sanitized runner.
ChildRun runEmulated(const FakeI2cTree& tree, std::vector<std::string> argv, std::vector<std::string> env = {})
{
    const std::filesystem::path dir = tree.folder(), out = dir / "out", err = dir / "err", log = dir / "kernel";
    std::filesystem::remove(log);
    const bool runner = argv[0] == QUELVAR_I2C_RUNNER;
    const std::string asan = QUELVAR_ASAN_RUNTIME;
    env.push_back("LD_PRELOAD=" + (runner && !asan.empty() ? asan + ":" : "") + QUELVAR_I2C_EMULATION);
    env.push_back("QUELVAR_I2C_EMU_DIR=" + dir.string());
    env.push_back("QUELVAR_I2C_EMU_LOG=" + log.string());
    env.push_back("QUELVAR_I2C_EMU_CHIPS=0x09");
    for (char** e = environ; *e; ++e) {
        if (!std::string_view(*e).starts_with("LD_PRELOAD="))
            env.push_back(*e);
    }
    auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> p;
        for (auto& t : texts)
            p.push_back(t.data());
        p.push_back(nullptr);
        return p;
    };
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    ChildRun run;
    if (posix_spawn(&pid, argv[0].c_str(), &files, nullptr, pointers(argv).data(), pointers(env).data()) == 0 && waitpid(pid, &run.status, 0) == pid)
        run.status = WIFEXITED(run.status) ? WEXITSTATUS(run.status) : 128 + WTERMSIG(run.status);
    posix_spawn_file_actions_destroy(&files);
    run.out = readFile(out).value_or(""), run.err = readFile(err).value_or(""), run.kernel = readFile(log).value_or("");
    return run;
}

ChildRun runProgram(const FakeI2cTree& tree, const std::string& adapter, std::vector<std::string> steps = {}, std::vector<std::string> env = {})
{
    steps.insert(steps.begin(), {QUELVAR_I2C_RUNNER, tree.folder().string(), adapter});
    return runEmulated(tree, steps, std::move(env));
}

// Adapters as a laptop with a USB-I2C bridge and a CP2112 has them.
void addLaptopBuses(FakeI2cTree& tree, bool bridges)
{
    tree.addAdapter(0, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    tree.addAdapter(1, "Synopsys DesignWare I2C adapter", Carrier::Ljca);
    tree.addAdapter(3, "NVIDIA i2c adapter 3 at 1:00.0", Carrier::Graphics);
    tree.addAdapter(4, "em28xx #0 bus 0", Carrier::Em28xx);
    if (bridges) {
        tree.addAdapter(9, "i2c-tiny-usb at bus 001 device 005", Carrier::TinyUsb);
        tree.addAdapter(12, "CP2112 SMBus Bridge", Carrier::Cp2112);
    }
}

// The real kernel calls open only what the user chose: a USB-I2C bridge, or the named i2c-dev
// node; nothing else is opened read-write, and no adapter-wide setting or forced address reaches
// any adapter.
TEST(KernelI2c, TakesOnlyWhatTheUserChoseAndChangesNoAdapterSetting)
{
    const std::string skipped = "darnex: skipped i2c-0 \"SMBus I801 adapter at efa0\": not on USB\n"
                                "darnex: skipped i2c-1 \"Synopsys DesignWare I2C adapter\": its USB interface driver ljca is no USB-I2C bridge\n"
                                "darnex: skipped i2c-3 \"NVIDIA i2c adapter 3 at 1:00.0\": not on USB\n"
                                "darnex: skipped i2c-4 \"em28xx #0 bus 0\": its USB interface driver em28xx is no USB-I2C bridge\n";
    const std::tuple<bool, std::string, int, std::string, std::string, std::string> cases[] = {
        {true, "--adapter=usb", 0, "open yes\nr 0xFE 0x0000 0\n", skipped + "darnex: using <dev>/i2c-9 \"i2c-tiny-usb at bus 001 device 005\"\n",
         "open i2c-9 ro|close i2c-9|open i2c-12 ro|close i2c-12|open i2c-9 rw|ioctl i2c-9 I2C_FUNCS|ioctl i2c-9 I2C_SLAVE 0x9|"
         "smbus i2c-9 read word 0xFE at 0x09 = 0x0000|close i2c-9"},
        {false, "--adapter=usb", 0, "open no\nr 0xFE 0x0000 9\n",
         skipped + "darnex: no free USB-I2C bridge among i2c-0, i2c-1, i2c-3, i2c-4; name another bus with --adapter=/dev/i2c-N\n"
                   "darnex: USB adapter: not open\n", ""},
        {false, "--adapter=<dev>/i2c-0", 0, "open yes\nr 0xFE 0x0000 0\n", "darnex: using <dev>/i2c-0 \"SMBus I801 adapter at efa0\"\n",
         "open i2c-0 ro|close i2c-0|open i2c-0 rw|ioctl i2c-0 I2C_FUNCS|ioctl i2c-0 I2C_SLAVE 0x9|smbus i2c-0 read word 0xFE at 0x09 = 0x0000|close i2c-0"},
        {false, "--adapter=/dev/null", 2, "", "darnex: /dev/null: not an I2C adapter (no i2c-dev device)\n", ""},
    };
    for (const auto& [bridges, adapter, status, out, err, kernel] : cases) {
        SCOPED_TRACE(adapter + (bridges ? " with bridges" : ""));
        FakeI2cTree tree;
        addLaptopBuses(tree, bridges);
        const std::string dev = tree.paths().dev.string();
        const ChildRun run = runProgram(tree, adapter.starts_with("--adapter=<dev>") ? "--adapter=" + dev + adapter.substr(15) : adapter, {"r:0xFE"});
        EXPECT_EQ(std::tuple(run.status, run.out, joined({run.err}, tree)), std::tuple(status, out, err));
        std::string log = run.kernel;
        std::ranges::replace(log, '\n', '|');
        EXPECT_EQ(log, kernel.empty() ? "" : kernel + "|");
    }
}

// Byte order is decided by a peer: a word the program writes is what i2cget reads, and a word that
// i2cset writes is what the program reads, on adapter i2c-12.
TEST(KernelI2c, WordsMakeTheRoundTripWithI2cTools)
{
    if (std::string(QUELVAR_I2CGET).empty() || std::string(QUELVAR_I2CSET).empty())
        GTEST_SKIP() << "i2cget and i2cset (package i2c-tools, installed by scripts/deps.sh) were not found";
    FakeI2cTree tree;
    tree.addAdapter(12, "CP2112 SMBus Bridge", Carrier::Cp2112);
    const ChildRun written = runProgram(tree, "--adapter=usb", {"w:0x14:0x9F10"});
    EXPECT_EQ(written.out, "open yes\nw 0x14 0\n");
    const ChildRun got = runEmulated(tree, {QUELVAR_I2CGET, "-y", "12", "0x09", "0x14", "w"});
    EXPECT_EQ(std::pair(got.status, got.out), std::pair(0, std::string("0x9f10\n"))) << got.err;
    const ChildRun set = runEmulated(tree, {QUELVAR_I2CSET, "-y", "12", "0x09", "0x15", "0x1234", "w"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_THAT(set.kernel, HasSubstr("smbus i2c-12 write word 0x15 at 0x09 = 0x1234"));
    EXPECT_EQ(runProgram(tree, "--adapter=usb", {"r:0x15"}).out, "open yes\nr 0x15 0x1234 0\n");
}

// Transfers and their failures on the real kernel calls: an unplug closes the node at the first
// failed transfer and nothing hangs; an address a driver owns, a missing chip, a reserved address,
// an adapter without word transfers.
TEST(KernelI2c, FailuresAreNamedAndAnUnpluggedAdapterIsLetGo)
{
    const std::string node = "darnex: <dev>/i2c-9: ", taken = "darnex: using <dev>/i2c-9 \"i2c-tiny-usb\"|";
    const std::tuple<std::vector<std::string>, std::vector<std::string>, std::string, std::string, std::string> cases[] = {
        {{"r:0xFE", "unplug:9", "r:0xFE", "r:0xFF"}, {}, "open yes\nr 0xFE 0x0000 0\nr 0xFE 0x0000 9\nr 0xFF 0x0000 9\n",
         taken + node + "read word 0xFE at address 0x09: No such device|" + node + "the adapter is gone; closed it|" + node + "not open",
         "smbus i2c-9 read word 0xFE at 0x09 = ENODEV|close i2c-9|"},
        {{"w:0x14:0x0400"}, {"QUELVAR_I2C_EMU_BUSY=0x09"}, "open yes\nw 0x14 16\n", taken + node + "a kernel driver owns address 0x09 on this adapter", ""},
        {{"a:0x20", "w:0x14:0x0400"}, {}, "open yes\nw 0x14 6\n", taken + node + "write word 0x14 at address 0x10: No such device or address", ""},
        {{"a:0xF0", "w:0x14:0x0400"}, {}, "open yes\nw 0x14 22\n", taken + node + "no such address or command (address 0x78, command 0x14)", ""},
        {{}, {"QUELVAR_I2C_EMU_FUNCS=0x00180001"}, "open no\n", "darnex: <dev>/i2c-9: the adapter cannot do SMBus byte and word data transfers", ""},
    };
    for (const auto& [steps, env, out, err, kernelTail] : cases) {
        SCOPED_TRACE(err);
        FakeI2cTree tree;
        tree.addAdapter(9, "i2c-tiny-usb", Carrier::TinyUsb);
        const ChildRun run = runProgram(tree, "--adapter=usb", steps, env);
        std::string lines = joined({run.err}, tree);
        std::ranges::replace(lines, '\n', '|');
        EXPECT_EQ(std::pair(run.status, run.out), std::pair(0, out));
        EXPECT_EQ(lines, err + "|");
        std::string kernel = run.kernel;
        std::ranges::replace(kernel, '\n', '|');
        EXPECT_TRUE(kernel.ends_with(kernelTail)) << kernel;
        EXPECT_THAT(kernel, Not(AnyOf(HasSubstr("TIMEOUT"), HasSubstr("RETRIES"), HasSubstr("FORCE"))));
    }
}

}  // namespace
