// The STATUS lamps: nothing reads STATUS until Toggle LTCLR has been pressed; from then on each
// second's tick reads it once and leaves one image of each pair showing, the lit one for a set
// flag. The press pulses LTCLR with the lamps' timer stopped and writes nothing after a failed read.
#include "platform/forms/check_box.h"
#include "timer_watch.h"

namespace protector_test {
namespace {

// Bit order 0 (SCD) .. 5 (VGOOD).
const char* const LampPairs[] = {"ImgRedLEDScd", "ImgRedLEDOcd", "ImgRedLEDOV",
                                 "ImgRedLEDUV", "ImgRedLEDOvTemp", "ImgGrnLEDVgood"};

// One character per lamp in bit order: '1' lit, '0' unlit, 'b' both images showing.
std::string lamps(main_window::Form2& form)
{
    std::string shown;
    for (const char* pair : LampPairs) {
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

    const struct {
        int status;
        const char* shown;
    } ticks[] = {{0x21, "100001"}, {0xC0, "000000"}, {0x3F, "111111"}};
    for (const auto& t : ticks) {
        bus().clearLog();
        bus().setByte(0x00, static_cast<std::uint8_t>(t.status));
        advance(t.status == 0x21 ? 1 : 1000);
        EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x00, t.status, 0}}));
        EXPECT_EQ(lamps(form2()), t.shown) << t.status;
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
