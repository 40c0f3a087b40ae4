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
    struct Case { const char* what; int reg, d; std::function<void()> act; std::string bus; std::size_t enabled; };
    const std::size_t all = 28;
    // Picks every entry of a list in turn, each over the byte d; the bus shows each pick's write.
    auto everyEntry = [&](const char* combo, int reg, int d) {
        return [&, combo, reg, d] {
            for (int n = 0; n < get<forms::ComboBox>(combo).listCount(); ++n) {
                bus().setByte(reg, static_cast<std::uint8_t>(d));
                user().choose(combo, n);
            }
        };
    };
    auto writes = [](int reg, int d, std::initializer_list<int> bytes) {
        std::string out;
        for (int byte : bytes) {
            char pair[32];
            std::snprintf(pair, sizeof pair, "52:R%02X=%02X 52:W%02X=%02X", reg, d, reg, byte);
            out += (out.empty() ? "" : " ") + std::string(pair);
        }
        return out;
    };
    const Case cases[] = {
        {"tick Cell 4", 0x04, 0x81, [&] { user().click("chkCellBal", 3); }, "52:R04=81 52:W04=89", all},
        {"clear Cell 4", 0x04, 0x89, [&] { user().click("chkCellBal", 3); }, "52:R04=89 52:W04=81", all},
        {"Self", 0x02, 0x43, [&] { user().choose("cboHost", 0); }, "52:R02=43 52:W02=41", 1},
        {"typed Host", 0x02, 0x41, [&] { get<forms::ComboBox>("cboHost").userSetText("Host"); }, "", 1},
        {"Host", 0x02, 0x41, [&] { user().choose("cboHost", 1); }, "52:R02=41 52:W02=43", all},
        {"CAL 5", 0x05, 0xA3, [&] { user().choose("cboCal", 5); }, "52:R05=A3 52:W05=53", all},
        {"CELL 9", 0x05, 0xA3, [&] { user().choose("cboCell", 9); }, "52:R05=A3 52:W05=A9", all},
        {"each CELL over 00", 0x05, 0x00, everyEntry("cboCell", 0x05, 0x00), writes(0x05, 0x00, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), all},
        {"each CELL over FF", 0x05, 0xFF, everyEntry("cboCell", 0x05, 0xFF),
         writes(0x05, 0xFF, {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9}), all},
        {"each CAL over 00", 0x05, 0x00, everyEntry("cboCal", 0x05, 0x00), writes(0x05, 0x00, {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}), all},
        {"each CAL over FF", 0x05, 0xFF, everyEntry("cboCal", 0x05, 0xFF), writes(0x05, 0xFF, {0x0F, 0x1F, 0x2F, 0x3F, 0x4F, 0x5F, 0x6F, 0x7F}), all},
        {"each scale over 00", 0x02, 0x00, everyEntry("cboVgain", 0x02, 0x00), writes(0x02, 0x00, {0x00, 0x40}), all},
        {"each scale over FF", 0x02, 0xFF, everyEntry("cboVgain", 0x02, 0xFF), writes(0x02, 0xFF, {0xBF, 0xFF}), all},
        {"each gain over 00", 0x02, 0x00, everyEntry("cboIgain", 0x02, 0x00), writes(0x02, 0x00, {0x00, 0x80}), all},
        {"each gain over FF", 0x02, 0xFF, everyEntry("cboIgain", 0x02, 0xFF), writes(0x02, 0xFF, {0x7F, 0xFF}), all},
        {"each mode over 00", 0x02, 0x00, everyEntry("cboHost", 0x02, 0x00), writes(0x02, 0x00, {0x00, 0x02}), all},
        {"each mode over FF", 0x02, 0xFF, everyEntry("cboHost", 0x02, 0xFF), writes(0x02, 0xFF, {0xFD, 0xFF}), all},
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
    // Each field from its own bits alone; CELL codes 0 and 9 and the first without an entry, 10.
    for (auto [state, cellSel, fields] : {
             std::tuple{0x02, 0x09, "0|Host|0.15|10|VC2-VC1, Cell1|Cell translation for selected cell|"},
             {0xFD, 0x70, "1|Self|0.20|50|VC11-VC10, Cell10|VC9=2.5V, VC10=1.2V|"},
             {0x41, 0x8A, "1|Self|0.20|10|VC11-VC10, Cell10|Cell translation for selected cell|"},
             {0x80, 0xB6, "0|Self|0.15|50|VC5-VC4, Cell4|Direct VREF|"}}) {
        bus().setByte(0x02, static_cast<std::uint8_t>(state));
        bus().setByte(0x05, static_cast<std::uint8_t>(cellSel));
        refill(user());
        std::string shown = std::to_string(get<forms::CheckBox>("chkShdn").value()) + "|";
        for (const char* combo : {"cboHost", "cboVgain", "cboIgain", "cboCell", "cboCal"})
            shown += get<forms::ComboBox>(combo).text() + "|";
        EXPECT_EQ(shown, fields);
        EXPECT_EQ(trace().find("W05"), std::string::npos) << "CELL_SEL is only read";
    }
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

// One character per lamp, SCD (bit 0) to VGOOD (bit 5), told by the picture showing: '1' the lit
// one, '0' the unlit one, in the lamp's own colour; 'b' both images showing, '?' any other sight.
std::string lamps(main_window::Form2& form)
{
    std::string shown;
    for (const char* pair : {"ImgRedLEDScd", "ImgRedLEDOcd", "ImgRedLEDOV", "ImgRedLEDUV", "ImgRedLEDOvTemp", "ImgGrnLEDVgood"}) {
        const auto& unlit = form.get<forms::Image>(pair, 0);
        const auto& lit = form.get<forms::Image>(pair, 1);
        const std::string colour = std::string(pair).starts_with("ImgGrn") ? "green" : "red";
        const auto seen = [&](const forms::Image& image) {
            return image.picture().ends_with("lamp_" + colour + "_lit.png")     ? '1'
                   : image.picture().ends_with("lamp_" + colour + "_unlit.png") ? '0'
                                                                                 : '?';
        };
        shown += unlit.visible() && lit.visible()   ? (seen(unlit) == '0' && seen(lit) == '1' ? 'b' : '?')
                 : unlit.visible() != lit.visible() ? seen(unlit.visible() ? unlit : lit)
                                                    : '-';
    }
    return shown;
}

TEST_F(ProtectorTest, ToggleLtclrPulsesTheLatchClearAndStartsTheLampsEverySecond)
{
    withPictures();
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
    for (auto [status, seen] : {std::pair{0x21, "R00=21 100001"}, {0xC0, "R00=C0 000000"}, {0x01, "R00=01 100000"},
                                {0x02, "R00=02 010000"}, {0x04, "R00=04 001000"}, {0x08, "R00=08 000100"},
                                {0x10, "R00=10 000010"}, {0x20, "R00=20 000001"}, {0x3F, "R00=3F 111111"}}) {
        bus().setByte(0x00, static_cast<std::uint8_t>(status));
        advance(status == 0x21 ? 1 : 1000);
        EXPECT_EQ(trace() + " " + lamps(form2()), seen);
    }
    // The lit image of a pair changes before the unlit one.
    EXPECT_EQ(tmrStatus.changes, std::vector<std::string>({"on@4", "hide0", "hide1", "show0", "show1", "hide0", "hide1",
                                                           "show0", "show1", "hide0"}));

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
    withPictures();
    start(&boardControl);
    board.latchFaults(0x1F);
    user().click("cmdToggleLtclr");
    advance(1000);
    EXPECT_EQ(lamps(form2()), "000001");
}

}  // namespace
}  // namespace protector_test
