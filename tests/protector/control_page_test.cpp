// The Control page and the STATUS lamps; no byte is ever written that was built from a failed read.
#include "platform/busctl/dispatch.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

// The names of the page's controls that a user could act on now, in creation order.
std::vector<std::string> enabledOnPage(main_window::Form2& form)
{
    const auto& page = form.get<forms::Control>("picControl");
    std::vector<std::string> names;
    for (const auto& c : form.controls())
        if (c->focusable() && c->enabled() && c->container() && c->container()->container() == &page)
            names.push_back(c->name());
    return names;
}

TEST_F(ProtectorTest, AChangeWritesOnlyItsFieldOnceAtTheCurrentAddress)
{
    start();
    user().pick("mnuTestMode");
    get("picTestMode").setVisible(false);
    struct Case { const char* what; int reg, d; std::function<void()> act; const char* bus; std::size_t enabled; };
    const std::size_t all = 28;
    const Case cases[] = {
        {"tick Cell 4", 0x04, 0x81, [&] { user().click("chkCellBal", 3); }, "52:R04=81 52:W04=89", all},
        {"clear Cell 4", 0x04, 0x89, [&] { user().click("chkCellBal", 3); }, "52:R04=89 52:W04=81", all},
        {"Self", 0x02, 0x43, [&] { user().choose("cboHost", 0); }, "52:R02=43 52:W02=41", 1},
        {"typed Host", 0x02, 0x41, [&] { get<forms::ComboBox>("cboHost").userSetText("Host"); }, "", 1},
        {"Host", 0x02, 0x41, [&] { user().choose("cboHost", 1); }, "52:R02=41 52:W02=43", all},
        {"CAL 5", 0x05, 0xA3, [&] { user().choose("cboCal", 5); }, "52:R05=A3 52:W05=53", all},
        {"CELL 9", 0x05, 0xA3, [&] { user().choose("cboCell", 9); }, "52:R05=A3 52:W05=A9", all},
        {"DSG whose read fails", 0x01, 0x06,
         [&] { bus().failByteTransfer(Read, 0x01, 1); user().click("chkOutputControl", 1); }, "52:R01=00!", all},
    };
    for (const Case& c : cases) {
        bus().setByte(c.reg, static_cast<std::uint8_t>(c.d));
        bus().clearLog();
        c.act();
        EXPECT_EQ(trace(), c.bus) << c.what;
        EXPECT_EQ(enabledOnPage(form2()).size(), c.enabled) << c.what;
    }
}

// Tab 2 then tab 0: the Control page is filled afresh.
void refill(forms::ScriptedUser user)
{
    user.selectTab("SSTab1", 2);
    user.selectTab("SSTab1", 0);
}

TEST_F(ProtectorTest, TabZeroFillsTheRegistersWritingBackOnlyTheBoxesItChangedAndTabsOneAndTwoDoNot)
{
    start();
    TimerWatch tmrControl(form2(), "tmrControl", transfers());
    for (auto [reg, d] : {std::pair{0x01, 0x87}, {0x02, 0xC1}, {0x03, 0x00}, {0x04, 0x00}, {0x05, 0x0C}})
        bus().setByte(reg, static_cast<std::uint8_t>(d));
    get<forms::Timer>("tmrControl").setEnabled(true);
    user().selectTab("SSTab1", 2);
    EXPECT_EQ(trace(), "");
    user().selectTab("SSTab1", 0);
    EXPECT_EQ(tmrControl.changes, std::vector<std::string>({"on@0", "off@15"}));
    EXPECT_EQ(trace(), "R01=87 R01=87 W01=87 R01=87 W01=87 R01=87 W01=87 R01=87 W01=87 "
                       "R02=C1 R02=C1 W02=C1 R03=00 R04=00 R05=0C");
    std::string shown;
    for (const char* combo : {"cboHost", "cboVgain", "cboIgain", "cboCell", "cboCal"}) {
        shown += get<forms::ComboBox>(combo).text() + "|";
        EXPECT_EQ(get<forms::ComboBox>(combo).listIndex(), -1) << combo;
    }
    EXPECT_EQ(shown, "Self|0.20|50|VC11-VC10, Cell10|Cell translation for selected cell|");
    EXPECT_EQ(enabledOnPage(form2()), std::vector<std::string>({"cboHost"}));
    std::string boxes = std::to_string(get<forms::CheckBox>("chkShdn").value());
    for (int i : {0, 1, 2, 3, 7})
        boxes += std::to_string(get<forms::CheckBox>("chkOutputControl", i).value());
    EXPECT_EQ(boxes, "111101");

    refill(user());
    EXPECT_EQ(trace(), "R01=87 R02=C1 R03=00 R04=00 R05=0C");
    get<forms::Timer>("tmrControl").setEnabled(true);
    user().selectTab("SSTab1", 1);
    EXPECT_EQ(tmrControl.changes.back(), "off@0");
}

TEST_F(ProtectorTest, AFillWhoseReadFailsWritesNothingOverTickedBoxes)
{
    start();
    bus().setByte(0x01, 0x06);
    user().click("chkOutputControl", 1);
    user().click("chkOutputControl", 2);
    bus().clearLog();
    bus().failByteTransfer(Read, 0x01, 1);
    refill(user());
    EXPECT_EQ(trace(), "R01=00! R01=06 R01=06 R02=00 R03=00 R04=00 R05=00");
    EXPECT_EQ(get<forms::CheckBox>("chkOutputControl", 1).value(), 0);
}

TEST_F(ProtectorTest, WithoutAdapterTheFillShowsWhatTheFailedReadsLeftAndNoMessage)
{
    control.setFreeDevices(0, "");
    control.setDefaultStatus(busctl::op::RegisterTransfer, 1);
    start();
    platform().clearMessages();
    user().click("chkCellBal", 5);
    get<forms::ComboBox>("cboCell").userSetText("typed");
    refill(user());
    EXPECT_EQ(std::tuple(platform().messages().size(), bus().byteWrites().size(), get<forms::CheckBox>("chkCellBal", 5).value()),
              std::tuple(0u, 0u, 0));
    EXPECT_EQ(get<forms::ComboBox>("cboCell").text() + "|" + get<forms::ComboBox>("cboHost").text(), "VC11-VC10, Cell10|Self");
}

// One character per lamp, SCD (bit 0) to VGOOD (bit 5): '1' lit, '0' unlit, 'b' both images showing.
std::string lamps(main_window::Form2& form)
{
    std::string shown;
    for (const char* pair : {"ImgRedLEDScd", "ImgRedLEDOcd", "ImgRedLEDOV", "ImgRedLEDUV", "ImgRedLEDOvTemp", "ImgGrnLEDVgood"}) {
        const bool unlit = form.get<forms::Image>(pair, 0).visible(), lit = form.get<forms::Image>(pair, 1).visible();
        shown += unlit && lit ? 'b' : lit ? '1' : unlit ? '0' : '-';
    }
    return shown;
}

TEST_F(ProtectorTest, ToggleLtclrPulsesTheLatchClearAndStartsTheLampsEverySecond)
{
    start();
    TimerWatch tmrStatus(form2(), "tmrStatus", transfers(), "ImgRedLEDScd");
    advance(5000);
    EXPECT_EQ(std::pair(trace(), lamps(form2())), std::pair(std::string(), std::string("bbbbbb")));
    bus().setByte(0x01, 0x87);
    user().click("chkOutputControl", 0);
    bus().clearLog();
    user().click("cmdToggleLtclr");
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"on@4"}));
    EXPECT_EQ(trace(), "R01=87 W01=86 W01=87 W01=86");
    EXPECT_EQ(get<forms::CheckBox>("chkOutputControl", 0).value(), 1);
    advance(999);
    EXPECT_EQ(trace(), "");
    for (auto [status, seen] : {std::pair{0x21, "R00=21 100001"}, {0xC0, "R00=C0 000000"}, {0x3F, "R00=3F 111111"}}) {
        bus().setByte(0x00, static_cast<std::uint8_t>(status));
        advance(status == 0x21 ? 1 : 1000);
        EXPECT_EQ(trace() + " " + lamps(form2()), seen);
    }
    // The lit image of a pair changes before the unlit one.
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"on@4", "hide0", "hide1", "show0", "show1", "hide0"}));

    // A press whose read fails: no pulse, yet the lamps go on ticking.
    advance(500);
    tmrStatus.changes.clear();
    bus().failByteTransfer(Read, 0x01, 1);
    user().click("cmdToggleLtclr");
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"off@0", "on@1"}));
    advance(1000);
    EXPECT_EQ(trace(), "R01=00! R00=3F");
    EXPECT_FALSE(get("Picture2").visible());
}

TEST_F(ProtectorTest, FaultsLatchedBeforeTheToggleAreUnlitAtTheFirstTick)
{
    start(&boardControl);
    board.latchFaults(0x1F);
    user().click("cmdToggleLtclr");
    advance(1000);
    EXPECT_EQ(lamps(form2()), "000001");
}

}  // namespace
}  // namespace protector_test
