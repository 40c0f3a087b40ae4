// The raw register dialog: the hex boxes' checks and normal form, what reaches the bus, how the
// menu opens the one modeless window, and a byte written and read back on the simulated board.
#include <gtest/gtest.h>

#include "common/program.h"
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

// The hidden menu made reachable, as only a test can, then picked.
dialogs::frmRegisters& open(testsupport::TestDriver& driver)
{
    auto& i2c = driver.program().form2().get<forms::MenuItem>("mnuI2C");
    i2c.setVisible(true);
    i2c.setEnabled(true);
    driver.user(driver.program().form2()).pick("mnuReadWriteI2C");
    return driver.program().registers();
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
    struct Case {
        const char* button;
        const char* addr;
        const char* data;
        std::int16_t status;
        Strings seen;  // address box, data box or label, message
        Strings bus;
    };
    const char* read = "cmdReadI2C";
    const char* write = "cmdWriteI2C";
    const Case cases[] = {
        {read, "7f", "", 0, {"7F", "A5", ""}, {"12(Long 2 val, Integer 18 ref, Integer 127 ref, Integer 0 ref)"}},
        {read, "", "", 0, {"00", "A5", ""}, {"12(Long 2 val, Integer 18 ref, Integer 0 ref, Integer 0 ref)"}},
        {read, "1G", "", 0, {"1G", "", "Please enter a valid hex address."}, {}},
        {read, " 1", "", 0, {" 1", "", "Please enter a valid hex address."}, {}},
        {read, "40", "", 1, {"40", "", "Read ERROR"}, {"12(Long 2 val, Integer 18 ref, Integer 64 ref, Integer 0 ref)"}},
        {write, "3", "a5", 0, {"03", "A5", ""}, {"12(Long 1 val, Integer 18 ref, Integer 3 ref, Integer 165 ref)"}},
        {write, "3", "-1", 0, {"03", "-1", "Please enter a valid hex data."}, {}},
        {write, "100", "5", 0, {"100", "5", "Please enter a valid hex address."}, {}},
        {write, "b", "", 1, {"0B", "00", ""}, {"12(Long 1 val, Integer 18 ref, Integer 11 ref, Integer 0 ref)"}},
    };
    for (const Case& c : cases) {
        testsupport::TestDriver driver;
        busctl::ScriptedControl bus;
        driver.startProgram(bus);
        auto& dialog = open(driver);
        bus.clearLog();
        bus.setByte(0x7F, 0xA5);
        bus.setByte(0x00, 0xA5);
        bus.setDefaultStatus(busctl::op::RegisterTransfer, c.status);
        auto user = driver.user(dialog);
        const bool reading = c.button == read;
        auto& label = dialog.get<forms::Label>("lblReadData");
        label.setCaption("old");
        user.type(reading ? "txtReadAddr" : "txtWriteAddr", c.addr);
        user.type("txtWriteData", c.data);
        user.click(c.button);

        const auto& messages = driver.platform().messages();
        const Strings seen = {dialog.get<forms::TextBox>(reading ? "txtReadAddr" : "txtWriteAddr").text(),
                              reading ? label.caption() : dialog.get<forms::TextBox>("txtWriteData").text(),
                              messages.empty() ? "" : messages.back().text + "|" + messages.back().title};
        Strings expected = c.seen;
        if (!expected[2].empty())
            expected[2] += "|Darnex";
        EXPECT_EQ(seen, expected) << c.button << " " << c.addr << " " << c.data;
        EXPECT_EQ(busLog(bus), c.bus) << c.button << " " << c.addr << " " << c.data;
        EXPECT_LE(messages.size(), 1u);
        if (!reading) {
            EXPECT_EQ(label.caption(), "old");
        }
    }
}

TEST(Registers, TheMenuShowsOneModelessWindowThatFollowsTheModeAndReloadsEmptyAfterClosing)
{
    testsupport::TestDriver driver;
    busctl::ScriptedControl bus;
    auto& form2 = driver.startProgram(bus);
    auto& dialog = open(driver);
    int loads = 0;
    dialog.onLoad = [&, load = dialog.onLoad] { ++loads; load(); };
    auto user = driver.user(dialog);
    ASSERT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.caption(), "I2C Function");
    EXPECT_EQ(std::pair(dialog.scaleWidth(), dialog.scaleHeight()), std::pair(4680, 3090));
    EXPECT_EQ(dialog.activeControl()->name(), "cmdReadI2C");

    // The main window stays usable, and its mode decides the device the dialog reads.
    bus.clearLog();
    driver.user(form2).pick("mnuTestMode");
    user.type("txtReadAddr", "5");
    user.click("cmdReadI2C");
    driver.user(form2).pick("mnuApplication");
    user.click("cmdReadI2C");
    EXPECT_EQ(busLog(bus), (Strings{"12(Long 2 val, Integer 82 ref, Integer 5 ref, Integer 0 ref)",
                                    "12(Long 2 val, Integer 18 ref, Integer 5 ref, Integer 0 ref)"}));

    open(driver);  // picked again while open: the same window, not loaded again
    EXPECT_EQ(std::pair(loads, dialog.get<forms::TextBox>("txtReadAddr").text()), std::pair(0, std::string("05")));
    EXPECT_EQ(driver.platform().shownForms().back(), &dialog);
    user.close();
    open(driver);
    EXPECT_EQ(loads, 1);
    for (const char* box : {"txtReadAddr", "txtWriteAddr", "txtWriteData"})
        EXPECT_EQ(dialog.get<forms::TextBox>(box).text(), "") << box;
    EXPECT_EQ(dialog.get<forms::Label>("lblReadData").caption(), "");
}

TEST(Registers, AByteWrittenOnTheSimulatedBoardReadsBack)
{
    testsupport::TestDriver driver;
    busctl::SimulatedBoard board;
    driver.startProgram(board);
    auto user = driver.user(open(driver));
    user.type("txtWriteAddr", "01");
    user.type("txtWriteData", "5a");
    user.click("cmdWriteI2C");
    user.type("txtReadAddr", "1");
    user.click("cmdReadI2C");
    EXPECT_EQ(driver.program().registers().get<forms::Label>("lblReadData").caption(), "5A");
    EXPECT_TRUE(driver.platform().messages().empty());
}

}  // namespace
}  // namespace dialogs_test
