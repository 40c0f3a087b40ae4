// The adapter window and the bus wrappers over it, seen from the adapter control's call log.
#include <gmock/gmock.h>

#include <functional>
#include <optional>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "platform/busctl/call_shape.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/headless_platform.h"
#include "program/windows.h"

namespace {

using namespace adapter;
using namespace platform::busctl;
using ::testing::Each;
using ::testing::ElementsAreArray;
using program::Windows;
using U8 = std::uint8_t;
using I16 = std::int16_t;

template <class Control = ScriptedControl>
struct Rig {
    platform::forms::HeadlessPlatform platform;
    Control bus;
    Windows program{platform, bus};
};

// The log as "12(Long 2 val, Integer 18 ref, ...)", values as they went in.
std::vector<std::string> logged(const ScriptedControl& bus)
{
    std::vector<std::string> out;
    for (const auto& call : bus.calls()) {
        std::vector<Arg> args;
        for (const auto& arg : call.args)
            args.push_back({arg.value, arg.passing});
        out.push_back(describeCall(call.dispId, args));
    }
    return out;
}

// Each method's calls at device address 0x52 (82); then, with the operation whose status it hands
// back failing, that status sign-extended and no ConfirmWrite.
TEST(frmUSB, CallsTheControlInOrderAndHandsBackItsStatus)
{
    struct Case { const char* method; std::function<std::int32_t(frmUSB&)> call; std::vector<std::string> calls; int statusOp; };
    const Case cases[] = {
        {"OpenFirstFreeDevice", [](frmUSB& u) { return u.OpenFirstFreeDevice() ? 0 : 1; }, {R"(7(Long 1 val, Long 0 ref, String "" ref))", R"(5(String "SCRIPTED-1" ref))"}, 0},
        {"CloseDevice", [](frmUSB& u) { u.CloseDevice(); return 0; }, {"6()"}, 0},
        {"HDQ8WriteRegister", [](frmUSB& u) { U8 c = 0x3A, d = 0xC5; return u.HDQ8WriteRegister(c, d); }, {"14(Long 1 val, Integer 58 ref, Integer 197 ref)", "13()"}, op::HDQWriteCmd},
        {"EEReadByte", [](frmUSB& u) { I16 a = 7, w = 99, r = 33; return u.EEReadByte(a, w, r); }, {"12(Long 1 val, Integer 82 ref, Integer 7 ref, Integer 33 ref)"}, op::RegisterTransfer},
        {"I2CReadByte", [](frmUSB& u) { I16 a = 3, r = 68; U8 y = 0; return u.I2CReadByte(a, r, y); }, {"12(Long 2 val, Integer 82 ref, Integer 3 ref, Integer 68 ref)"}, op::RegisterTransfer},
        {"I2CWriteByte", [](frmUSB& u) { I16 a = 9, w = 165; return u.I2CWriteByte(a, w); }, {"12(Long 1 val, Integer 82 ref, Integer 9 ref, Integer 165 ref)"}, op::RegisterTransfer},
        {"WriteI2C", [](frmUSB& u) { I16 b = 7; return u.WriteI2C(b, b, b, b); }, {"12(Long 0 val, Integer 1 ref, Integer 1 ref, Integer 1 ref)"}, op::RegisterTransfer},
        {"HDQ8ReadRegister", [](frmUSB& u) { U8 c = 0x0B, y = 0x66; return u.HDQ8ReadRegister(c, y); }, {"15(Long 1 val, Integer 11 ref, Integer 102 ref)"}, op::HDQReadCmd},
        {"HDQ8Break", [](frmUSB& u) { return u.HDQ8Break(); }, {}, 0},
        {"ReadSMBusWord", [](frmUSB& u) { U8 h = 0x55, l = 0x66; return u.ReadSMBusWord(0x14, h, l); }, {"2(Integer 20 ref, Integer 0 ref, Integer 82 val)"}, op::ReadWordCmd},
        // The caller's bytes stay as they were, whatever the outcome.
        {"WriteSMBusWord", [](frmUSB& u) { U8 h = 0x9F, l = 0x10; auto s = u.WriteSMBusWord(0x15, h, l); EXPECT_EQ(h << 8 | l, 0x9F10); return s; }, {"1(Integer 21 val, Integer -24816 ref, Integer 82 val)", "13()"}, op::WriteWordCmd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        Rig rig;
        rig.program.vars().giDeviceAddress = 0x52;
        EXPECT_EQ(c.call(rig.program.usb()), 0);
        EXPECT_THAT(logged(rig.bus), ElementsAreArray(c.calls));
        if (c.statusOp) {
            Rig failing;
            failing.bus.queueStatuses(c.statusOp, {-32768});
            EXPECT_EQ(c.call(failing.program.usb()), -32768);
            EXPECT_EQ(failing.bus.callCount(op::ConfirmWrite), 0);
        }
    }
}

TEST(frmUSB, OpensTheFirstListedAdapter)
{
    struct Case { std::int32_t count; const char* names; I16 openStatus; bool opened; std::vector<std::string> calls; };
    const Case cases[] = {{0, "ADP-1", 0, false, {}}, {3, "ADP-1,ADP-2,ADP-3", 0, true, {R"(5(String "ADP-1" ref))"}},
                          {2, ",ADP-2", 0, true, {R"(5(String "" ref))"}}, {1, "ADP-1", 4, false, {R"(5(String "ADP-1" ref))"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        Rig rig;
        rig.bus.setFreeDevices(c.count, c.names);
        rig.bus.queueStatuses(op::OpenDevice, {c.openStatus});
        EXPECT_EQ(rig.program.usb().OpenFirstFreeDevice(), c.opened);
        const auto calls = logged(rig.bus);
        EXPECT_THAT(std::vector(calls.begin() + 1, calls.end()), ElementsAreArray(c.calls));  // after the listing
    }
}

// The hidden adapter window is made at the first call and kept; each call takes the current address.
TEST(BusWrappers, FirstCallCreatesTheHiddenWindowAndEachCallTakesTheCurrentAddress)
{
    Rig rig;
    EXPECT_FALSE(rig.program.usbCreated());
    for (const I16 address : {I16{0x12}, I16{0x52}}) {
        rig.program.vars().giDeviceAddress = address;
        rig.bus.clearLog();
        WriteByteReg(rig.program, 5, 0xA5);
        EXPECT_EQ(rig.bus.calls().at(0).args.at(1).value, Variant{address});
        EXPECT_EQ(rig.program.usb().caption(), address == 0x12 ? "USB Driver Installation" : "marked");
        rig.program.usb().setCaption("marked");  // a re-created window loses this
    }
    EXPECT_TRUE(!rig.program.usb().visible() && rig.platform.shownForms().empty());
}

TEST(BusWrappers, WordTransfersMakeUpToFourAttempts)
{
    struct Case { int op; std::vector<I16> statuses; int attempts, confirms; std::int32_t status; std::uint16_t word; };
    const Case cases[] = {{op::ReadWordCmd, {}, 1, 0, 0, 0x8000}, {op::WriteWordCmd, {}, 1, 1, 0, 0x1F80},
                          {op::ReadWordCmd, {1, 1, 1}, 4, 0, 0, 0xFFFF}, {op::WriteWordCmd, {1, 1, 1}, 4, 1, 0, 0x8000},
                          {op::ReadWordCmd, {1, 2, 3, 4}, 4, 0, 4, 0x1F80}, {op::WriteWordCmd, {1, 2, 3, -2}, 4, 0, -2, 0xFFFF},
                          {op::ConfirmWrite, {3, 3}, 3, 3, 0, 0x9F10}};  // a failed confirmation fails that attempt
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.statuses));
        Rig rig;
        rig.program.vars().giDeviceAddress = 0x12;
        rig.bus.queueStatuses(c.op, c.statuses);
        rig.bus.setWord(0x14, c.word);
        // The returned status is the one BusStatusHook is handed; the hook changes nothing.
        if (c.op == op::ReadWordCmd) {
            U8 high = 0x11, low = 0x22;
            EXPECT_EQ(ReadWordReg(rig.program, 0x14, high, low), c.status);
            EXPECT_EQ(rig.bus.callCount(op::ReadWordCmd), c.attempts);
            EXPECT_EQ(high << 8 | low, c.status == 0 ? c.word : 0x1122);
        } else {
            EXPECT_EQ(WriteWordReg(rig.program, 0x14, c.word >> 8, c.word & 0xFF), c.status);
            EXPECT_EQ(rig.bus.callCount(op::WriteWordCmd), c.attempts);
            EXPECT_THAT(rig.bus.wordWrites(), Each(ScriptedControl::WordWrite{0x14, c.word, 0x12}));
        }
        EXPECT_EQ(rig.bus.callCount(op::ConfirmWrite), c.confirms);
    }
}

// Answers every call with one result, with `data` in the last argument or the list reshaped.
struct FixedAnswer final : AdapterControl {
    Variant result;
    std::optional<Variant> data;
    std::function<void(std::vector<Arg>&)> reshape;
    Variant invoke(int, std::vector<Arg>& args) override
    {
        if (data)
            args.at(3).value = *data;
        if (reshape)
            reshape(args);
        return result;
    }
};

TEST(BusWrappers, ByteReadTakesTheByteTheControlLeftAndRefusesNonBytes)
{
    struct Case { Variant result; std::optional<Variant> data; std::int32_t status; U8 byte; };
    // Whatever the status, the byte follows the data; no 16-bit status or no byte is a failure.
    const Case cases[] = {{I16{6}, std::nullopt, 6, 0x5A}, {I16{6}, I16{0x7E}, 6, 0x7E}, {std::int32_t{70000}, std::nullopt, -1, 0x5A},
                          {std::string("0"), std::nullopt, -1, 0x5A}, {I16{0}, I16{300}, -1, 0x5A}, {I16{6}, I16{-1}, 6, 0x5A}};
    for (const Case& c : cases) {
        Rig<FixedAnswer> rig;
        rig.bus.result = c.result;
        rig.bus.data = c.data;
        U8 byte = 0x5A;
        EXPECT_EQ(ReadByteReg(rig.program, 5, byte), c.status);
        EXPECT_EQ(byte, c.byte);
    }
}

TEST(BusWrappers, AReplyListOfAnotherShapeFailsAndLeavesTheCallersValues)
{
    using Args = std::vector<Arg>;
    const std::pair<const char*, std::function<void(Args&)>> replies[] = {
        {"short", [](Args& a) { a.pop_back(); }}, {"mistyped", [](Args& a) { a.back().value = std::int32_t{1}; }}};
    for (const auto& [name, reshape] : replies) {
        SCOPED_TRACE(name);
        Rig<FixedAnswer> rig;
        rig.bus.result = I16{0};
        rig.bus.reshape = reshape;
        rig.program.vars().giDeviceAddress = 0x12;
        U8 byte = 0x5A, high = 0x11, low = 0x22;
        EXPECT_EQ(ReadByteReg(rig.program, 5, byte), -1);
        EXPECT_EQ(ReadWordReg(rig.program, 0x14, high, low), -1);
        EXPECT_EQ(WriteWordReg(rig.program, 0x14, 0x1F, 0x80), -1);
        EXPECT_FALSE(rig.program.usb().OpenFirstFreeDevice());
        EXPECT_EQ(std::tuple(byte, high, low, rig.program.vars().giDeviceAddress), std::tuple(0x5A, 0x11, 0x22, 0x12));
    }
}

}  // namespace
