#include "adapter/frm_usb.h"

#include <functional>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/rig.h"

namespace {

using namespace adapter_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using adapter::frmUSB;

struct MethodCase {
    const char* method;
    std::function<std::int32_t(frmUSB&)> call;
    std::vector<std::string> calls;  // at device address 0x52 (82)
    int statusOp;                    // whose status the method hands back; 0: none
};

const std::vector<MethodCase>& methodCases()
{
    static const std::vector<MethodCase> cases{
        {"OpenFirstFreeDevice", [](frmUSB& u) { return u.OpenFirstFreeDevice() ? 0 : 1; },
         {R"(7(Long 1 val, Long 0 ref, String "" ref))", R"(5(String "SCRIPTED-1" ref))"}, 0},
        {"CloseDevice", [](frmUSB& u) { u.CloseDevice(); return 0; }, {"6()"}, 0},
        {"HDQ8WriteRegister", [](frmUSB& u) { U8 c = 0x3A, d = 0xC5; return u.HDQ8WriteRegister(c, d); },
         {"14(Long 1 val, Integer 58 ref, Integer 197 ref)", "13()"}, op::ConfirmWrite},
        {"EEReadByte", [](frmUSB& u) { I16 a = 7, w = 99, r = 33; return u.EEReadByte(a, w, r); },
         {"12(Long 1 val, Integer 82 ref, Integer 7 ref, Integer 33 ref)"}, op::RegisterTransfer},
        {"I2CReadByte", [](frmUSB& u) { I16 a = 3, r = 68; U8 y = 0; return u.I2CReadByte(a, r, y); },
         {"12(Long 2 val, Integer 82 ref, Integer 3 ref, Integer 68 ref)"}, op::RegisterTransfer},
        {"I2CWriteByte", [](frmUSB& u) { I16 a = 9, w = 165; return u.I2CWriteByte(a, w); },
         {"12(Long 1 val, Integer 82 ref, Integer 9 ref, Integer 165 ref)"}, op::RegisterTransfer},
        {"WriteI2C", [](frmUSB& u) { I16 b = 7; return u.WriteI2C(b, b, b, b); },
         {"12(Long 0 val, Integer 1 ref, Integer 1 ref, Integer 1 ref)"}, op::RegisterTransfer},
        {"HDQ8ReadRegister", [](frmUSB& u) { U8 c = 0x0B, y = 0x66; return u.HDQ8ReadRegister(c, y); },
         {"15(Long 1 val, Integer 11 ref, Integer 102 ref)"}, op::HDQReadCmd},
        {"HDQ8Break", [](frmUSB& u) { return u.HDQ8Break(); }, {}, 0},
        {"ReadSMBusWord", [](frmUSB& u) { U8 h = 0x55, l = 0x66; return u.ReadSMBusWord(0x14, h, l); },
         {"2(Integer 20 ref, Integer 0 ref, Integer 82 val)"}, op::ReadWordCmd},
        {"WriteSMBusWord", [](frmUSB& u) { U8 h = 0x9F, l = 0x10; return u.WriteSMBusWord(0x15, h, l); },
         {"1(Integer 21 val, Integer -24816 ref, Integer 82 val)", "13()"}, op::ConfirmWrite},
    };
    return cases;
}

TEST(frmUSB, EachMethodCallsTheControlWithItsArgumentsInOrder)
{
    for (const auto& c : methodCases()) {
        SCOPED_TRACE(c.method);
        Rig rig;
        rig.program.vars().giDeviceAddress = 0x52;
        EXPECT_EQ(c.call(rig.program.usb()), 0);
        EXPECT_THAT(logged(rig.bus), ElementsAreArray(c.calls));
    }
}

TEST(frmUSB, HandsBackTheControlsStatusSignExtended)
{
    for (const auto& c : methodCases()) {
        SCOPED_TRACE(c.method);
        if (c.statusOp == 0)
            continue;
        for (const I16 status : {I16{-2}, std::numeric_limits<I16>::min()}) {
            Rig rig;
            rig.bus.queueStatuses(c.statusOp, {status});
            EXPECT_EQ(c.call(rig.program.usb()), std::int32_t{status});
        }
    }
}

TEST(frmUSB, AFailedWriteIsNotConfirmedAndKeepsTheCallersBytes)
{
    Rig rig;
    rig.bus.failNext(op::WriteWordCmd, 1, 5);
    rig.bus.failNext(op::HDQWriteCmd, 1, 6);
    U8 high = 0x9F, low = 0x10;
    EXPECT_EQ(rig.program.usb().WriteSMBusWord(0x14, high, low), 5);
    EXPECT_EQ(rig.program.usb().HDQ8WriteRegister(high, low), 6);
    EXPECT_EQ(high << 8 | low, 0x9F10);
    EXPECT_THAT(rig.bus.operations(), ElementsAre(op::WriteWordCmd, op::HDQWriteCmd));
}

TEST(frmUSB, OpensTheFirstListedAdapter)
{
    struct Case { std::int32_t count; const char* names; I16 openStatus; bool opened; std::vector<std::string> calls; };
    const Case cases[] = {
        {0, "ADP-1", 0, false, {}},
        {3, "ADP-1,ADP-2,ADP-3", 0, true, {R"(5(String "ADP-1" ref))"}},
        {1, "ADP-7", 0, true, {R"(5(String "ADP-7" ref))"}},
        {2, ",ADP-2", 0, true, {R"(5(String "" ref))"}},
        {1, "ADP-1", 4, false, {R"(5(String "ADP-1" ref))"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        Rig rig;
        rig.bus.setFreeDevices(c.count, c.names);
        rig.bus.queueStatuses(op::OpenDevice, {c.openStatus});
        EXPECT_EQ(rig.program.usb().OpenFirstFreeDevice(), c.opened);
        const auto calls = logged(rig.bus);  // after the listing, checked above
        EXPECT_THAT(std::vector(calls.begin() + 1, calls.end()), ElementsAreArray(c.calls));
    }
}

}  // namespace
