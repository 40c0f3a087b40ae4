#include <gtest/gtest.h>

#include "common/window_registry.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"
#include "platform/busctl/call_shape.h"
#include "platform/busctl/scripted_control.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "support/test_driver.h"

namespace dialogs_test {
namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;
using Strings = std::vector<std::string>;
using namespace std::string_literals;

// Picks the menu item, made reachable as only a test can.
forms::ScriptedUser open(testsupport::TestDriver& driver)
{
    auto& form2 = driver.program().form2();
    form2.get<forms::MenuItem>("mnuI2C").setVisible(true);
    form2.get<forms::MenuItem>("mnuI2C").setEnabled(true);
    driver.user(form2).pick("mnuReadWriteI2C");
    return driver.user(driver.program().registers());
}

Strings busLog(const busctl::ScriptedControl& bus)
{
    Strings out;
    for (const auto& call : bus.calls()) {
        std::vector<busctl::Arg> args;
        for (const auto& arg : call.args)
            args.push_back({arg.value, arg.passing});
        out.push_back(busctl::describeCall(call.dispId, args));
    }
    return out;
}

TEST(Registers, BoxesAreCheckedAndNormalisedBeforeOneTransferAndFailuresAreTold)
{
    // Read or write, the boxes, the status; then the address box, the data label (read) or box (write),
    // the message, and the one transfer if any.
    using Case = std::tuple<bool, const char*, const char*, std::int16_t, Strings, const char*>;
    const char* ReadA5 = "12(Long 2 val, Integer 18 ref, Integer 127 ref, Integer 0 ref)";
    const Case cases[] = {
        {true, "7f", "", 0, {"7F", "A5", ""}, ReadA5},
        {true, "1G", "", 0, {"1G", "", "Please enter a valid hex address."}, nullptr},
        {true, "7F", "", 1, {"7F", "", "Read ERROR"}, ReadA5},
        {false, "3", "a5", 0, {"03", "A5", ""}, "12(Long 1 val, Integer 18 ref, Integer 3 ref, Integer 165 ref)"},
        {false, "3", "-1", 0, {"03", "-1", "Please enter a valid hex data."}, nullptr},
        {false, "", "", 1, {"00", "00", ""}, "12(Long 1 val, Integer 18 ref, Integer 0 ref, Integer 0 ref)"},
    };
    for (const auto& [read, addr, data, status, seen, sent] : cases) {
        testsupport::TestDriver driver;
        busctl::ScriptedControl bus;
        driver.startProgram(bus);
        auto user = open(driver);
        bus.clearLog();
        bus.setByte(0x7F, 0xA5);
        bus.setDefaultStatus(busctl::op::RegisterTransfer, status);
        auto& label = user.form().get<forms::Label>("lblReadData");
        label.setCaption("old");
        auto text = [&](const char* box) { return user.form().get<forms::TextBox>(box).text(); };
        user.type(read ? "txtReadAddr" : "txtWriteAddr", addr);
        user.type("txtWriteData", data);
        user.click(read ? "cmdReadI2C" : "cmdWriteI2C");

        std::string message;
        for (const auto& m : driver.platform().messages())
            message += m.text + (m.title == "Darnex" ? "" : " titled " + m.title);
        EXPECT_EQ((Strings{text(read ? "txtReadAddr" : "txtWriteAddr"), read ? label.caption() : text("txtWriteData"), message}), seen)
            << addr << " " << data;
        EXPECT_EQ(busLog(bus), sent ? Strings{sent} : Strings{}) << addr << " " << data;
    }
}

// On the simulated board a written byte reads back; picked again while open, the same window
// comes to the front as it is; closed, it reloads empty.
TEST(Registers, OneModelessWindowReadsBackAByteWrittenOnTheBoardAndReloadsEmptyOnlyAfterClosing)
{
    testsupport::TestDriver driver;
    busctl::SimulatedBoard board;
    driver.startProgram(board);
    auto user = open(driver);
    auto& dialog = driver.program().registers();
    user.type("txtWriteAddr", "01");
    user.type("txtWriteData", "5a");
    user.click("cmdWriteI2C");
    user.type("txtReadAddr", "1");
    user.click("cmdReadI2C");
    auto text = [&] { return std::pair(dialog.get<forms::TextBox>("txtReadAddr").text(), dialog.get<forms::Label>("lblReadData").caption()); };
    EXPECT_EQ(text(), std::pair("01"s, "5A"s));
    open(driver);
    EXPECT_EQ(text(), std::pair("01"s, "5A"s));
    EXPECT_EQ(driver.platform().shownForms().back(), &dialog);
    user.close();
    open(driver);
    EXPECT_EQ(text(), std::pair(""s, ""s));
}

}  // namespace
}  // namespace dialogs_test
