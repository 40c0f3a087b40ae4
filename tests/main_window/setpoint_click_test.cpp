#include <gtest/gtest.h>

#include "setpoint_screen.h"

namespace main_window::testing {
namespace {

TEST(SetpointClick, EditsTheBoxAndTheClickedToggleOnly)
{
    SetpointScreen s;
    auto& row = s.frames.chargeCurrent();
    s.click("chkChargeCurrent", 12);
    s.click("chkChargeCurrent", 3);
    EXPECT_EQ(s.text("txtChargeCurrent"), "4096");
    EXPECT_EQ(row.bits[3]->caption(), "1");
    EXPECT_EQ(row.bits[3]->backColor(), OutsideFieldColor);
    EXPECT_EQ(row.bits[12]->backColor(), SetBitColor);
    EXPECT_EQ(row.bits[11]->backColor(), platform::forms::colors::ButtonFace);

    s.click("chkChargeCurrent", 12);
    EXPECT_EQ(s.text("txtChargeCurrent"), "0");
    EXPECT_EQ(row.bits[12]->caption(), "0");
    EXPECT_EQ(row.bits[12]->backColor(), ClearBitColor);
    EXPECT_TRUE(s.control.calls().empty());
}

TEST(SetpointClick, InputCurrentCountsEachBitTwiceAsAReadDoes)
{
    SetpointScreen s;
    s.click("chkInputCurrent", 7);
    s.click("chkInputCurrent", 12);
    EXPECT_EQ(s.text("txtInputCurrent"), "8448");
    s.click("chkChargeVoltage", 4);
    s.click("chkChargeVoltage", 15);
    EXPECT_EQ(s.text("txtChargeVoltage"), "16");
}

TEST(SetpointClick, PendingEventsRunBeforeTheRowIsSummed)
{
    SetpointScreen s;
    auto& row = s.frames.chargeCurrent();
    // A tick that sets a toggle from code, queued to arrive while the click pumps events.
    s.platform.queueInput([&] {
        s.program.vars().gbUpdatingBits = common::True;
        row.bits[12]->setValue(1);
        s.program.vars().gbUpdatingBits = common::False;
    });
    s.click("chkChargeCurrent", 7);
    EXPECT_EQ(s.text("txtChargeCurrent"), "4224");
    EXPECT_EQ(row.bits[12]->caption(), "0");  // the code change ran no click behaviour
}

TEST(SetpointClick, ComputeChargeCurrentSumsTheFieldOnly)
{
    SetpointScreen s;
    for (int i : {0, 7, 10, 13})
        s.click("chkChargeCurrent", i);
    s.form.get<platform::forms::TextBox>("txtChargeCurrent").setText("1");
    s.program.vars().gbUpdatingBits = common::True;
    s.frames.ComputeChargeCurrent();
    EXPECT_EQ(s.text("txtChargeCurrent"), "1152");
}

TEST(SetpointKeys, OnlyDigitsAndBackspaceReachTheBoxes)
{
    SetpointScreen s;
    for (const char* box : {"txtChargeCurrent", "txtChargeVoltage", "txtInputCurrent"}) {
        s.type(box, "1a-2.\r3 ");
        EXPECT_EQ(s.text(box), "123") << box;
        s.type(box, "\b");
        EXPECT_EQ(s.text(box), "12") << box;
        s.form.get<platform::forms::TextBox>(box).userKey(0x10030);  // a wide code that wraps onto "0"
        EXPECT_EQ(s.text(box), "12") << box;
    }
    EXPECT_TRUE(s.control.calls().empty());
}

TEST(SetpointLayout, FramesStandWhereTheDesignPutsThem)
{
    SetpointScreen s;
    struct Frame { const char *name, *caption, *bits, *box, *unit, *unitCaption, *read, *write, *label, *labelCaption;
                   int top, maxLength, unitTop, labelHeight, bottom, topBit; };
    for (const Frame& f : {
             Frame{"Frame19", "Charge Current (Addr 0x14)", "chkChargeCurrent", "txtChargeCurrent", "Label53", "mA", "cmdReadChargeCurrent",
                   "cmdWriteChargeCurrent", "lblChargeCurrentOL", "Set to 8.064 A Maximum", 120, 5, 690, 975, 7, 12},
             Frame{"Frame20", "Charge Voltage (Addr 0x15)", "chkChargeVoltage", "txtChargeVoltage", "Label54", "mV", "cmdReadChargeVoltage",
                   "cmdWriteChargeVoltage", "lblChargeVoltageOl", "Exceeds 19.2 V Limit", 1680, 6, 690, 975, 4, 14},
             Frame{"Frame21", "Input Current (Addr 0x3F)", "chkInputCurrent", "txtInputCurrent", "Label55", "mA", "cmdReadInputCurrent",
                   "cmdWriteInputCurrent", "lblInputCurrentOl", "Exceeds 11.004 A Limit", 3240, 5, 600, 1095, 7, 12}}) {
        auto at = [&](const char* name, int index = -1) {
            const auto& c = s.form.get<platform::forms::Control>(name, index);
            return std::tuple{c.container() ? c.container()->name() : "", c.left(), c.top(), c.width(), c.height(), c.caption()};
        };
        EXPECT_EQ(at(f.name), std::tuple("picApplication", 120, f.top, 12015, 1455, std::string(f.caption)));
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(at(f.bits, i), std::tuple(f.name, 240 + 480 * (15 - i), 480, 495, 495, std::string("0")));
            const auto& bit = s.form.get<platform::forms::CheckBox>(f.bits, i);
            EXPECT_EQ(bit.style(), platform::forms::CheckStyle::Graphical);
            EXPECT_EQ(bit.backColor(), i >= f.bottom && i <= f.topBit ? platform::forms::colors::ButtonFace : OutsideFieldColor);
        }
        EXPECT_EQ(at(f.box), std::tuple(f.name, 8160, 600, 975, 285, std::string()));
        EXPECT_EQ(s.form.get<platform::forms::TextBox>(f.box).maxLength(), f.maxLength);
        EXPECT_EQ(at(f.unit), std::tuple(f.name, 9240, f.unitTop, 375, 255, std::string(f.unitCaption)));
        EXPECT_EQ(at(f.read), std::tuple(f.name, 9720, 240, 855, 375, std::string("Read")));
        EXPECT_EQ(at(f.write), std::tuple(f.name, 9720, 720, 855, 375, std::string("Write")));
        EXPECT_EQ(at(f.label), std::tuple(f.name, 10680, 240, 1215, f.labelHeight, std::string(f.labelCaption)));
        const auto& label = s.form.get<platform::forms::Label>(f.label);
        EXPECT_FALSE(label.visible());
        EXPECT_EQ(label.foreColor(), 0x000000FFu);
        EXPECT_EQ(label.font(), (platform::forms::Font{"Comic Sans MS", 11.25, true}));
    }
}

}  // namespace
}  // namespace main_window::testing
