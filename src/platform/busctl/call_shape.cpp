#include "platform/busctl/call_shape.h"

#include <algorithm>
#include <array>

namespace platform::busctl {
namespace {

constexpr ArgShape IntVal{ArgType::Integer, Passing::ByValue};
constexpr ArgShape IntRef{ArgType::Integer, Passing::ByRef};
constexpr ArgShape LongVal{ArgType::Long, Passing::ByValue};
constexpr ArgShape LongRef{ArgType::Long, Passing::ByRef};
constexpr ArgShape StrRef{ArgType::String, Passing::ByRef};

constexpr std::array WriteWordShape{IntVal, IntRef, IntVal};
constexpr std::array ReadWordShape{IntRef, IntRef, IntVal};
constexpr std::array OpenDeviceShape{StrRef};
constexpr std::array ListFreeDevicesShape{LongVal, LongRef, StrRef};
constexpr std::array RegisterTransferShape{LongVal, IntRef, IntRef, IntRef};
constexpr std::array HdqShape{LongVal, IntRef, IntRef};

}  // namespace

ArgType argType(const Variant& value) {
    switch (value.index()) {
    case 0: return ArgType::Integer;
    case 1: return ArgType::Long;
    default: return ArgType::String;
    }
}

std::string_view argTypeName(ArgType type) {
    switch (type) {
    case ArgType::Integer: return "Integer";
    case ArgType::Long: return "Long";
    case ArgType::String: return "String";
    }
    return "?";
}

std::span<const ArgShape> expectedShape(int dispId) {
    switch (dispId) {
    case op::WriteWordCmd: return WriteWordShape;
    case op::ReadWordCmd: return ReadWordShape;
    case op::OpenDevice: return OpenDeviceShape;
    case op::ListFreeDevices: return ListFreeDevicesShape;
    case op::RegisterTransfer: return RegisterTransferShape;
    case op::HDQWriteCmd:
    case op::HDQReadCmd: return HdqShape;
    default: return {};
    }
}

bool isKnownOperation(int dispId) {
    switch (dispId) {
    case op::WriteWordCmd:
    case op::ReadWordCmd:
    case op::OpenDevice:
    case op::CloseAdapter:
    case op::ListFreeDevices:
    case op::RegisterTransfer:
    case op::ConfirmWrite:
    case op::HDQWriteCmd:
    case op::HDQReadCmd: return true;
    default: return false;
    }
}

bool matchesShape(int dispId, const std::vector<Arg>& args) {
    if (!isKnownOperation(dispId)) {
        return false;
    }
    auto shape = expectedShape(dispId);
    return std::equal(shape.begin(), shape.end(), args.begin(), args.end(),
                      [](const ArgShape& want, const Arg& got) {
                          return want.type == argType(got.value) && want.passing == got.passing;
                      });
}

std::string describeCall(int dispId, const std::vector<Arg>& args) {
    std::string text = std::to_string(dispId) + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Arg& arg = args[i];
        if (i > 0) {
            text += ", ";
        }
        text += argTypeName(argType(arg.value));
        text += ' ';
        if (const auto* s = std::get_if<std::string>(&arg.value)) {
            text += '"' + *s + '"';
        } else if (const auto* l = std::get_if<std::int32_t>(&arg.value)) {
            text += std::to_string(*l);
        } else {
            text += std::to_string(std::get<std::int16_t>(arg.value));
        }
        text += arg.passing == Passing::ByRef ? " ref" : " val";
    }
    return text + ")";
}

}  // namespace platform::busctl
