// The STATUS lamps: each tick reads STATUS once and leaves one image of each pair showing, the lit
// one for a set flag; the reserved bits light nothing.
#include "platform/forms/timer.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

// Bit order 0 (SCD) .. 5 (VGOOD).
const char* const LampPairs[] = {"ImgRedLEDScd", "ImgRedLEDOcd", "ImgRedLEDOV",
                                 "ImgRedLEDUV", "ImgRedLEDOvTemp", "ImgGrnLEDVgood"};

// "1" lit, "0" unlit, "b" both images showing, one per lamp in bit order.
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

TEST_F(ProtectorTest, EachTickShowsTheStatusFlagsAsLitOrUnlitLamps)
{
    start();
    EXPECT_EQ(lamps(form2()), "bbbbbb");
    get<forms::Timer>("tmrStatus").setEnabled(true);
    const struct {
        int status;
        const char* shown;
    } cases[] = {{0x21, "100001"}, {0xC0, "000000"}, {0x3F, "111111"}};
    for (const auto& c : cases) {
        bus().clearLog();
        bus().setByte(0x00, static_cast<std::uint8_t>(c.status));
        advance(1000);
        EXPECT_EQ(lamps(form2()), c.shown) << c.status;
        EXPECT_EQ(transfers(), Transfers({{Read, 0x12, 0x00, c.status, 0}}));
    }
    EXPECT_FALSE(get("Picture2").visible());
}

}  // namespace
}  // namespace protector_test
