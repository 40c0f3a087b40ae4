// The i2c-dev control on a fake sysfs tree, with transfers answered by the simulated board: what
// it lists, what it opens, what reaches the wire, and the whole program on it.
#include <linux/i2c.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/bus.h"
#include "bus_calls.h"
#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/command_line.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/text_box.h"
#include "support/fake_i2c.h"

namespace {

using namespace busctl_test;
using testsupport::FakeI2cTree;
using Carrier = FakeI2cTree::Carrier;
using ::testing::AnyOf;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::IsEmpty;

const std::string UsbError = "USB Error. Insure USB cable is connected and Driver is working";

struct I2cRun {
    FakeI2cTree& tree;
    SimulatedBoard board;
    testsupport::BoardOnI2c kernel{board};
    I2cDevControl control;
    std::vector<std::string> reports;
    testsupport::TestDriver driver;

    explicit I2cRun(FakeI2cTree& tree, std::optional<std::filesystem::path> named = std::nullopt)
        : tree(tree), control(kernel, tree.paths(), std::move(named))
    {
        control.setReporter([this](const std::string& line) { reports.push_back(line); });
    }
    // The whole program started on the control; the messages of start-up, then the logs cleared.
    std::vector<std::string> start()
    {
        driver.startProgram(control);
        kernel.opened.clear();
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
};

struct ListCase {
    const char* what;
    std::vector<std::tuple<int, std::string, Carrier>> adapters;
    int count;
    std::string names;
};

// Only adapters on a USB device are listed, and only they are looked at (opened to see whether
// another run holds them); the rest of the machine's buses are never touched.
TEST(I2cDevControl, ListsTheFreeUsbAdaptersAndOpensNothingElse)
{
    const ListCase cases[] = {
        {"usb, motherboard, graphics",
         {{0, "SMBus I801 adapter at efa0", Carrier::Motherboard}, {3, "NVIDIA i2c adapter 3 at 1:00.0", Carrier::Graphics},
          {7, "i2c-tiny-usb at bus 001 device 005", Carrier::Usb}},
         1, "i2c-7 i2c-tiny-usb at bus 001 device 005"},
        {"two usb, by number, with a comma",
         {{12, "CP2112 SMBus Bridge, rev 2", Carrier::Usb}, {4, "i2c-tiny-usb", Carrier::Usb}},
         2, "i2c-4 i2c-tiny-usb,i2c-12 CP2112 SMBus Bridge  rev 2"},
        {"no usb", {{0, "SMBus I801 adapter at efa0", Carrier::Motherboard}, {3, "AMDGPU DM i2c hw bus 0", Carrier::Graphics}}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeI2cTree tree;
        for (const auto& [n, name, carrier] : c.adapters)
            tree.addAdapter(n, name, carrier);
        I2cRun run(tree);
        std::vector<Arg> args{longVal(1), longRef(0), stringRef("")};
        EXPECT_EQ(std::get<std::int16_t>(run.control.invoke(op::ListFreeDevices, args)), 0);
        EXPECT_EQ(std::pair(std::get<std::int32_t>(args[1].value), std::get<std::string>(args[2].value)), std::pair(c.count, c.names));
        EXPECT_THAT(run.kernel.opened, Each(Not(AnyOf(HasSubstr("i2c-0 "), HasSubstr("i2c-3 ")))));
    }
}

TEST(I2cDevControl, WithoutUsbAdapterStartUpShowsTheUsbErrorAndOpensNothing)
{
    FakeI2cTree tree;
    tree.addAdapter(0, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    I2cRun run(tree);
    run.driver.startProgram(run.control);
    EXPECT_THAT(run.messages(), ElementsAre(UsbError));
    EXPECT_THAT(run.kernel.opened, IsEmpty());
    run.user().click("cmdReadId");
    EXPECT_THAT(run.kernel.transferLog(), IsEmpty());
}

// Identifiers at 0x09, a set-point written and read back, then the test-mode words at 0x29.
TEST(I2cDevControl, TheProgramsFlowsReachTheBoardAtSevenBitAddresses)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
    I2cRun run(tree);
    EXPECT_THAT(run.start(), IsEmpty());
    run.user().click("cmdReadId");
    run.driver.program().form2().get<platform::forms::TextBox>("txtChargeCurrent").setText("1024");
    run.user().click("cmdWriteChargeCurrent");
    run.user().click("cmdReadChargeCurrent");
    run.user().pick("mnuTestMode");
    for (std::uint8_t command : {0x00, 0x08, 0x0B}) {
        std::uint8_t ms = 0, ls = 0;
        EXPECT_EQ(adapter::ReadWordReg(run.driver.program(), command, ms, ls), 0);
    }
    EXPECT_THAT(run.kernel.transferLog(),
                ElementsAre("read word 0xFE at address 0x09", "read word 0xFF at address 0x09", "write word 0x14 at address 0x09",
                            "read word 0x14 at address 0x09", "read word 0x00 at address 0x29",
                            "read word 0x08 at address 0x29", "read word 0x0B at address 0x29"));
    EXPECT_EQ(run.board.peekWord(0x12, 0x14), 1024);
    EXPECT_EQ(run.driver.program().form2().get<platform::forms::TextBox>("txtChargeCurrent").text(), "1024");
    EXPECT_THAT(run.messages(), IsEmpty());
    EXPECT_THAT(run.reports, IsEmpty());
}

// What the user sees and what reached the wire when the bus misbehaves; the report names the
// device and the reason.
TEST(I2cDevControl, BusFailuresBecomeReadErrorsAndNamedReports)
{
    struct Case {
        const char* what;
        std::function<void(testsupport::BoardOnI2c&)> script;
        std::vector<std::string> messages;
        int attempts;
        std::string report;
    };
    const Case cases[] = {
        {"no acknowledge twice", [](auto& k) { k.failNext(2); }, {}, 3, "read word 0xFE at address 0x09: No such device or address"},
        {"address owned by a driver", [](auto& k) { k.ownAddress(0x09); }, {"Read ERROR"}, 4, "read word 0xFE at address 0x09: Device or resource busy"},
        {"unplugged", [](auto& k) { k.unplug(); }, {"Read ERROR"}, 4, "read word 0xFE at address 0x09: No such device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeI2cTree tree;
        tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
        I2cRun run(tree);
        run.start();
        c.script(run.kernel);
        run.user().click("cmdReadId");
        EXPECT_EQ(run.messages(), c.messages);
        EXPECT_EQ(std::count_if(run.kernel.transfers.begin(), run.kernel.transfers.end(),
                                [](const auto& t) { return t.first.command == 0xFE; }), c.attempts);
        ASSERT_EQ(run.reports.size(), 1u);  // repeats are left out
        EXPECT_EQ(run.reports[0], tree.node(7).string() + ": " + c.report);
    }
}

// A second run finds the adapter held: by listing (usb) and by opening (a named device); a
// closed adapter is free again, and an adapter without word transfers is refused and not held.
TEST(I2cDevControl, AnAdapterIsHeldByOneRunOnly)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
    I2cRun first(tree);
    EXPECT_THAT(first.start(), IsEmpty());
    I2cRun second(tree), named(tree, tree.node(7));
    EXPECT_THAT(second.start(), ElementsAre(UsbError));
    EXPECT_THAT(second.reports, ElementsAre(tree.node(7).string() + ": held by another run of the program"));
    EXPECT_THAT(named.start(), ElementsAre(UsbError));
    EXPECT_THAT(named.reports, ElementsAre(tree.node(7).string() + ": held by another run of the program"));

    call(first.control, op::CloseAdapter);
    I2cRun lacking(tree, tree.node(7));
    lacking.kernel.functions = I2C_FUNC_I2C;
    EXPECT_THAT(lacking.start(), ElementsAre(UsbError));
    EXPECT_EQ(call(named.control, op::OpenDevice, {stringRef("i2c-7 i2c-tiny-usb")}), 0);
}

// Whatever the mode, an operation that does not go over I2C puts nothing on the wire.
TEST(I2cDevControl, RefusedOperationsPutNothingOnTheWire)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
    I2cRun run(tree);
    run.start();
    EXPECT_NE(writeByte(run.control, 0x12, 1, 1, 0), 0);
    EXPECT_NE(writeByte(run.control, 0x12, 1, 256), 0);
    EXPECT_NE(call(run.control, op::HDQWriteCmd, {longVal(1), integerRef(1), integerRef(1)}), 0);
    EXPECT_NE(call(run.control, op::ConfirmWrite), 0);
    EXPECT_THAT(run.kernel.transferLog(), IsEmpty());
    EXPECT_EQ(writeByte(run.control, 0x12, 2, 0x5A), 0);
    EXPECT_EQ(readByte(run.control, 0x12, 2), (Read{0, 0x5A}));
}

TEST(CommandLine, ChoosesTheControlOrExitsBeforeAnyWindow)
{
    FakeI2cTree tree;
    tree.addAdapter(3, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    using A = CommandLine::Action;
    using K = AdapterChoice::Kind;
    struct Case { std::vector<std::string> args; A action; K kind; std::string text; };
    const Case cases[] = {
        {{}, A::Run, K::Simulated, ""},
        {{"--adapter=sim"}, A::Run, K::Simulated, ""},
        {{"--adapter", "usb"}, A::Run, K::Usb, ""},
        {{"--adapter=" + tree.node(3).string()}, A::Run, K::Device, ""},
        {{"--help"}, A::Help, K::Simulated, "Usage: darnex [--adapter=sim|usb|/dev/i2c-N]"},
        {{"--version"}, A::Version, K::Simulated, "darnex 0.1.0\n"},
        {{"--adapter=/dev/i2c-99"}, A::Fail, K::Simulated, "darnex: /dev/i2c-99: No such file or directory\n"},
        {{"--adapter=usb", "--frob"}, A::Fail, K::Simulated, "darnex: unknown option '--frob'\n"},
        {{"--adapter=i2c-3"}, A::Fail, K::Simulated, "darnex: --adapter: 'i2c-3' is none of sim, usb or a device such as /dev/i2c-1\n"},
        {{"--adapter"}, A::Fail, K::Simulated, "darnex: --adapter needs a value: sim, usb or a device such as /dev/i2c-1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args.back());
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(std::tuple(line.action, line.adapter.kind, line.text.substr(0, c.text.size())), std::tuple(c.action, c.kind, c.text));
        EXPECT_EQ(line.exitStatus(), c.action == A::Fail ? 2 : 0);
    }
}

}  // namespace
