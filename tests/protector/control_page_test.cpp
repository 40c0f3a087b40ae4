// SSTab1 and the Control page: each change reads its register once and writes only its own field
// back; the fill shows the registers as read, writing back only the boxes it changed; Self mode
// leaves only the mode list enabled; the STATUS lamps tick once Toggle LTCLR has pulsed the latch
// clear. No byte is ever written that was built from a failed read.
#include <functional>

#include "platform/busctl/dispatch.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/timer.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

TEST_F(ProtectorTest, ThreeTabsEachShowingOnlyItsOwnPanel)
{
    start();
    EXPECT_EQ(std::tuple(tabs().tab(), tabs().tabHeight(), tabs().tabCount()), std::tuple(0, 520, 3));
    const char* captions[] = {"Control", "EEPROM", "Registers"};
    const char* panels[] = {"picControl", "picEeprom", "picRegisters"};
    for (int shown : {2, 1, 0}) {
        user().selectTab("SSTab1", shown);
        for (int i = 0; i < 3; ++i) {
            auto& p = get(panels[i]);
            EXPECT_EQ(std::tuple(tabs().tabCaption(i), tabs().tabPanel(i), p.effectivelyVisible(), p.backColor()),
                      std::tuple(captions[i], &p, i == shown, 0x00E0E0E0u));
            EXPECT_EQ(std::vector({p.left(), p.top(), p.width(), p.height()}), std::vector({0, 360, 9855, 7575}));
        }
    }
}

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

constexpr std::size_t AllEnabled = 28;

TEST_F(ProtectorTest, AChangeWritesOnlyItsFieldOnceAtTheCurrentAddress)
{
    start();
    user().pick("mnuTestMode");
    get("picTestMode").setVisible(false);
    struct Case {
        const char* what;
        int reg, d;
        std::function<void()> act;
        Transfers bus;
        std::size_t enabled;
    };
    const auto rw = [](int reg, int d, int w) { return Transfers{{Read, 0x52, reg, d, 0}, {Write, 0x52, reg, w, 0}}; };
    const Case cases[] = {
        {"tick Cell 4", 0x04, 0x81, [&] { user().click("chkCellBal", 3); }, rw(0x04, 0x81, 0x89), AllEnabled},
        {"clear Cell 4", 0x04, 0x89, [&] { user().click("chkCellBal", 3); }, rw(0x04, 0x89, 0x81), AllEnabled},
        {"Self", 0x02, 0x43, [&] { user().choose("cboHost", 0); }, rw(0x02, 0x43, 0x41), 1},
        {"typed Host", 0x02, 0x41, [&] { get<forms::ComboBox>("cboHost").userSetText("Host"); }, {}, 1},
        {"Host", 0x02, 0x41, [&] { user().choose("cboHost", 1); }, rw(0x02, 0x41, 0x43), AllEnabled},
        {"CAL 5", 0x05, 0xA3, [&] { user().choose("cboCal", 5); }, rw(0x05, 0xA3, 0x53), AllEnabled},
        {"CELL 9", 0x05, 0xA3, [&] { user().choose("cboCell", 9); }, rw(0x05, 0xA3, 0xA9), AllEnabled},
        {"DSG whose read fails", 0x01, 0x06, [&] {
             bus().failByteTransfer(Read, 0x01, 1);
             user().click("chkOutputControl", 1);
         }, {{Read, 0x52, 0x01, 0x00, 1}}, AllEnabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bus().setByte(c.reg, static_cast<std::uint8_t>(c.d));
        bus().clearLog();
        c.act();
        EXPECT_EQ(transfers(), c.bus);
        EXPECT_EQ(enabledOnPage(form2()).size(), c.enabled);
    }
}

// Tab 2 then tab 0: the Control page is filled afresh.
void refill(forms::ScriptedUser user)
{
    user.selectTab("SSTab1", 2);
    user.selectTab("SSTab1", 0);
}

TEST_F(ProtectorTest, TheFillShowsTheRegistersAndWritesBackOnlyTheBoxesItChanged)
{
    start();
    TimerWatch tmrControl(form2(), "tmrControl", transfers());
    for (auto [reg, d] : {std::pair{0x01, 0x87}, {0x02, 0xC1}, {0x03, 0x00}, {0x04, 0x00}, {0x05, 0x0C}})
        bus().setByte(reg, static_cast<std::uint8_t>(d));
    get<forms::Timer>("tmrControl").setEnabled(true);
    user().selectTab("SSTab1", 2);
    EXPECT_EQ(transfers(), Transfers());
    EXPECT_EQ(tmrControl.changes, std::vector<std::string>({"on@0"}));

    user().selectTab("SSTab1", 0);
    Transfers expected{{Read, 0x12, 0x01, 0x87, 0}};
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), {{Read, 0x12, 0x01, 0x87, 0}, {Write, 0x12, 0x01, 0x87, 0}});
    expected.insert(expected.end(), {{Read, 0x12, 0x02, 0xC1, 0}, {Read, 0x12, 0x02, 0xC1, 0},
                                     {Write, 0x12, 0x02, 0xC1, 0}, {Read, 0x12, 0x03, 0x00, 0},
                                     {Read, 0x12, 0x04, 0x00, 0}, {Read, 0x12, 0x05, 0x0C, 0}});
    EXPECT_EQ(transfers(), expected);
    EXPECT_EQ(tmrControl.changes, std::vector<std::string>({"on@0", "off@15"}));
    std::string shown;
    for (const char* combo : {"cboHost", "cboVgain", "cboIgain", "cboCell", "cboCal"}) {
        shown += get<forms::ComboBox>(combo).text() + "|";
        EXPECT_EQ(get<forms::ComboBox>(combo).listIndex(), -1) << combo;
    }
    EXPECT_EQ(shown, "Self|0.20|50|VC11-VC10, Cell10|Cell translation for selected cell|");
    EXPECT_EQ(enabledOnPage(form2()), std::vector<std::string>({"cboHost"}));
    std::string boxes;
    for (int i : {0, 1, 2, 3, 7})
        boxes += std::to_string(get<forms::CheckBox>("chkOutputControl", i).value());
    EXPECT_EQ(boxes + std::to_string(get<forms::CheckBox>("chkShdn").value()), "111011");

    bus().clearLog();
    refill(user());
    Transfers fiveReads;
    for (auto [reg, d] : {std::pair{0x01, 0x87}, {0x02, 0xC1}, {0x03, 0x00}, {0x04, 0x00}, {0x05, 0x0C}})
        fiveReads.push_back({Read, 0x12, reg, d, 0});
    EXPECT_EQ(transfers(), fiveReads);

    get<forms::Timer>("tmrControl").setEnabled(true);
    bus().clearLog();
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
    EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x01, 0x00, 1}, {Read, 0x12, 0x01, 0x06, 0},
                                      {Read, 0x12, 0x01, 0x06, 0}, {Read, 0x12, 0x02, 0x00, 0},
                                      {Read, 0x12, 0x03, 0x00, 0}, {Read, 0x12, 0x04, 0x00, 0},
                                      {Read, 0x12, 0x05, 0x00, 0}}));
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
    EXPECT_TRUE(platform().messages().empty());
    EXPECT_EQ(get<forms::CheckBox>("chkCellBal", 5).value(), 0);
    EXPECT_EQ(get<forms::ComboBox>("cboCell").text(), "VC11-VC10, Cell10");
    EXPECT_EQ(get<forms::ComboBox>("cboHost").text(), "Self");
    for (const Transfer& t : transfers())
        EXPECT_EQ(t.direction, Read);
}

// One character per lamp, SCD (bit 0) to VGOOD (bit 5): '1' lit, '0' unlit, 'b' both images showing.
std::string lamps(main_window::Form2& form)
{
    std::string shown;
    for (const char* pair : {"ImgRedLEDScd", "ImgRedLEDOcd", "ImgRedLEDOV", "ImgRedLEDUV", "ImgRedLEDOvTemp", "ImgGrnLEDVgood"}) {
        const bool unlit = form.get<forms::Image>(pair, 0).visible();
        const bool lit = form.get<forms::Image>(pair, 1).visible();
        shown += unlit && lit ? 'b' : lit ? '1' : unlit ? '0' : '-';
    }
    return shown;
}

TEST_F(ProtectorTest, ToggleLtclrPulsesTheLatchClearAndStartsTheLampsEverySecond)
{
    start();
    TimerWatch tmrStatus(form2(), "tmrStatus", transfers());
    advance(5000);
    EXPECT_EQ(transfers(), Transfers());
    EXPECT_EQ(lamps(form2()), "bbbbbb");

    bus().setByte(0x01, 0x87);
    user().click("chkOutputControl", 0);
    bus().clearLog();
    user().click("cmdToggleLtclr");
    EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x01, 0x87, 0}, {Write, 0x12, 0x01, 0x86, 0},
                                      {Write, 0x12, 0x01, 0x87, 0}, {Write, 0x12, 0x01, 0x86, 0}}));
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"on@4"}));
    EXPECT_EQ(get<forms::CheckBox>("chkOutputControl", 0).value(), 1);
    advance(999);
    EXPECT_EQ(transfers().size(), 4u);
    for (auto [status, shown] : {std::pair{0x21, "100001"}, {0xC0, "000000"}, {0x3F, "111111"}}) {
        bus().clearLog();
        bus().setByte(0x00, static_cast<std::uint8_t>(status));
        advance(status == 0x21 ? 1 : 1000);
        EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x00, status, 0}}));
        EXPECT_EQ(lamps(form2()), shown) << status;
    }

    // A press whose read fails: no pulse, yet the lamps go on ticking.
    advance(500);
    bus().clearLog();
    tmrStatus.changes.clear();
    bus().failByteTransfer(Read, 0x01, 1);
    user().click("cmdToggleLtclr");
    EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x01, 0x00, 1}}));
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"off@0", "on@1"}));
    advance(1000);
    EXPECT_EQ(transfers().back(), (Transfer{Read, 0x12, 0x00, 0x3F, 0}));
    EXPECT_FALSE(get("Picture2").visible());
}

TEST_F(ProtectorTest, FaultsLatchedBeforeTheToggleAreUnlitAtTheFirstTick)
{
    startOnBoard();
    board.latchFaults(0x1F);
    user().click("cmdToggleLtclr");
    advance(1000);
    EXPECT_EQ(lamps(form2()), "000001");
}

}  // namespace
}  // namespace protector_test
