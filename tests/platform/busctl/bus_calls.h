#pragma once
// Calls shaped as the adapter window makes them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/busctl/dispatch.h"

namespace busctl_test {

using namespace platform::busctl;

inline Arg integerVal(int v) { return {static_cast<std::int16_t>(v), Passing::ByValue}; }
inline Arg integerRef(int v) { return {static_cast<std::int16_t>(v), Passing::ByRef}; }
inline Arg longVal(std::int32_t v) { return {v, Passing::ByValue}; }
inline Arg longRef(std::int32_t v) { return {v, Passing::ByRef}; }
inline Arg stringRef(std::string v) { return {std::move(v), Passing::ByRef}; }

inline std::int16_t call(AdapterControl& control, int dispId, std::vector<Arg> args = {}) {
    return std::get<std::int16_t>(control.invoke(dispId, args));
}

struct Read {
    std::int16_t status;
    int value;  // a word as unsigned 16 bits, or a byte
    friend bool operator==(const Read&, const Read&) = default;
};

inline std::int16_t writeWord(AdapterControl& c, int command, int word, int address) {
    return call(c, op::WriteWordCmd, {integerVal(command), integerRef(word), integerVal(address)});
}
inline std::int16_t writeByte(AdapterControl& c, int address, int reg, int data, int mode = 1) {
    return call(c, op::RegisterTransfer, {longVal(mode), integerRef(address), integerRef(reg), integerRef(data)});
}
inline Read readWord(AdapterControl& c, int command, int address, int onEntry = 0) {
    std::vector<Arg> args{integerRef(command), integerRef(onEntry), integerVal(address)};
    const auto status = std::get<std::int16_t>(c.invoke(op::ReadWordCmd, args));
    return {status, static_cast<std::uint16_t>(std::get<std::int16_t>(args[1].value))};
}
inline Read readByte(AdapterControl& c, int address, int reg, int onEntry = 0) {
    std::vector<Arg> args{longVal(2), integerRef(address), integerRef(reg), integerRef(onEntry)};
    const auto status = std::get<std::int16_t>(c.invoke(op::RegisterTransfer, args));
    return {status, std::get<std::int16_t>(args[3].value)};
}

}  // namespace busctl_test
