#include <gtest/gtest.h>

#include "adapter/frm_usb.h"
#include "platform/busctl/simulated_board.h"
#include "setpoint_screen.h"

namespace main_window::testing {
namespace {

// Write then read back on the simulated board: the charger keeps only the field, so a value off
// the step and a toggle outside the field come back as the register holds them.
TEST(SetpointOnBoard, AWrittenVoltageReadsBackAsItsField)
{
    platform::forms::HeadlessPlatform platform;
    platform::busctl::SimulatedBoard board;
    common::Program program{platform, board};
    platform::forms::Form form{platform, "Form2"};
    auto& pic = form.add<platform::forms::PictureBox>("picApplication");
    SetpointFrames frames{program, form, pic};
    program.vars().giDeviceAddress = 0x12;
    form.show();
    ASSERT_TRUE(program.usb().OpenFirstFreeDevice());

    form.get<platform::forms::CheckBox>("chkChargeVoltage", 0).userClick();
    auto& box = form.get<platform::forms::TextBox>("txtChargeVoltage");
    box.userReplaceText("");
    for (char c : std::string("19201"))
        box.userKey(c);
    form.get<platform::forms::CommandButton>("cmdWriteChargeVoltage").userClick();
    EXPECT_EQ(box.text(), "19201");
    EXPECT_EQ(board.peekWord(0x12, 0x15), 0x4B00);

    form.get<platform::forms::CommandButton>("cmdReadChargeVoltage").userClick();
    EXPECT_EQ(box.text(), "19200");
    std::string row;
    for (int i = 15; i >= 0; --i)
        row += frames.chargeVoltage().bits[static_cast<std::size_t>(i)]->caption();
    EXPECT_EQ(row, "0100101100000000");
    EXPECT_TRUE(platform.messages().empty());
}

}  // namespace
}  // namespace main_window::testing
