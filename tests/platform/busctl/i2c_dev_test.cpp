// The i2c-dev control on a fake sysfs tree, with transfers answered by the simulated board: what
// it lists and opens, what reaches the wire and the whole program on it.
#include <linux/i2c.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/bus.h"
#include "bus_calls.h"
#include "common/window_registry.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/text_box.h"
#include "support/fake_i2c.h"

namespace {

using namespace busctl_test;
using testsupport::FakeI2cTree;
using Carrier = FakeI2cTree::Carrier;
using namespace ::testing;

const std::string UsbError = "USB Error. Insure USB cable is connected and Driver is working";

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

// Only adapters on a USB device are listed, and only they are looked at (to see whether another
// run holds them), also through the whole start-up; the machine's other buses are never touched.
TEST(I2cDevControl, ListsTheFreeUsbAdaptersAndOpensNothingElse)
{
    const std::tuple<int, std::string, Carrier> board{0, "SMBus I801 adapter at efa0", Carrier::Motherboard},
        gpu{3, "NVIDIA i2c adapter 3 at 1:00.0", Carrier::Graphics}, tiny{7, "i2c-tiny-usb at bus 001 device 005", Carrier::Usb},
        cp2112{12, "CP2112 SMBus Bridge, rev 2", Carrier::Usb};
    const std::tuple<std::vector<std::tuple<int, std::string, Carrier>>, int, std::string> cases[] = {
        {{board, gpu, tiny}, 1, "i2c-7 i2c-tiny-usb at bus 001 device 005"},
        {{cp2112, board, tiny}, 2, "i2c-7 i2c-tiny-usb at bus 001 device 005,i2c-12 CP2112 SMBus Bridge  rev 2"},
        {{board, gpu}, 0, ""},
    };
    for (const auto& [adapters, count, names] : cases) {
        SCOPED_TRACE(names);
        FakeI2cTree tree;
        for (const auto& [n, name, carrier] : adapters)
            tree.addAdapter(n, name, carrier);
        I2cRun run(tree);
        std::vector<Arg> args{longVal(1), longRef(0), stringRef("")};
        EXPECT_EQ(std::get<std::int16_t>(run.control.invoke(op::ListFreeDevices, args)), 0);
        EXPECT_EQ(std::pair(std::get<std::int32_t>(args[1].value), std::get<std::string>(args[2].value)), std::pair(count, names));
        EXPECT_EQ(run.start(), count ? std::vector<std::string>{} : std::vector{UsbError});
        EXPECT_THAT(run.kernel.opened, Each(Not(AnyOf(HasSubstr("i2c-0 "), HasSubstr("i2c-3 ")))));
        EXPECT_EQ(run.kernel.opened.size(), static_cast<std::size_t>(count ? 2 * count + 1 : 0));  // probes, then one open
        run.user().click("cmdReadId");
        EXPECT_EQ(run.kernel.transfers.empty(), count == 0);
    }
}

// Identifiers at 0x09, a set-point written and read back, the test-mode words at 0x29; what does
// not go over I2C puts nothing on the wire.
TEST(I2cDevControl, TheProgramsFlowsReachTheBoardAtSevenBitAddresses)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
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
    EXPECT_THAT(run.kernel.transfers,
                ElementsAre("read word 0xFE at address 0x09", "read word 0xFF at address 0x09", "write word 0x14 at address 0x09",
                            "read word 0x14 at address 0x09", "read word 0x00 at address 0x29",
                            "read word 0x08 at address 0x29", "read word 0x0B at address 0x29"));
    EXPECT_EQ(std::pair(run.board.peekWord(0x12, 0x14), run.box("txtChargeCurrent").text()), std::pair(std::optional<std::uint16_t>(1024), std::string("1024")));
    EXPECT_THAT(run.messages(), IsEmpty());
}

// What the user sees and what reached the wire when the bus misbehaves; one report, naming the
// device and the reason.
TEST(I2cDevControl, BusFailuresBecomeReadErrorsAndNamedReports)
{
    const std::tuple<std::function<void(testsupport::BoardOnI2c&)>, std::vector<std::string>, int, std::string> cases[] = {
        {[](auto& k) { k.failNext(2); }, {}, 3, "No such device or address"},
        {[](auto& k) { k.ownAddress(0x09); }, {"Read ERROR"}, 4, "Device or resource busy"},
        {[](auto& k) { k.unplug(); }, {"Read ERROR"}, 4, "No such device"},
    };
    for (const auto& [script, messages, attempts, reason] : cases) {
        SCOPED_TRACE(reason);
        FakeI2cTree tree;
        tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
        I2cRun run(tree);
        run.start();
        script(run.kernel);
        run.user().click("cmdReadId");
        EXPECT_EQ(run.messages(), messages);
        EXPECT_EQ(std::ranges::count_if(run.kernel.transfers, [](const auto& t) { return t.starts_with("read word 0xFE"); }), attempts);
        EXPECT_THAT(run.reports, ElementsAre(tree.node(7).string() + ": read word 0xFE at address 0x09: " + reason));
    }
}

// A second run finds the adapter held, by listing or by name; a closed adapter is free again, and
// one without word transfers is refused and not held.
TEST(I2cDevControl, AnAdapterIsHeldByOneRunOnly)
{
    FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", Carrier::Usb);
    I2cRun first(tree), second(tree), named(tree, tree.node(7));
    EXPECT_THAT(first.start(), IsEmpty());
    const std::string held = tree.node(7).string() + ": held by another run of the program";
    EXPECT_THAT(second.start(), ElementsAre(UsbError));
    EXPECT_THAT(second.reports, ElementsAre(held));
    EXPECT_THAT(named.start(), ElementsAre(UsbError));
    EXPECT_THAT(named.reports, ElementsAre(held));

    // A bus the user names is used however it is attached.
    tree.addAdapter(0, "SMBus I801 adapter at efa0", Carrier::Motherboard);
    I2cRun motherboard(tree, tree.node(0));
    EXPECT_THAT(motherboard.start(), IsEmpty());

    call(first.control, op::CloseAdapter);
    I2cRun lacking(tree, tree.node(7));
    lacking.kernel.functions = I2C_FUNC_I2C;
    EXPECT_THAT(lacking.start(), ElementsAre(UsbError));
    EXPECT_EQ(call(named.control, op::OpenDevice, {stringRef("i2c-7 i2c-tiny-usb")}), 0);
}

}  // namespace
