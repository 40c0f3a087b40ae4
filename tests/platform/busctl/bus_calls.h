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
inline std::int16_t writeWord(AdapterControl& c, int command, int word, int address) {
    return call(c, op::WriteWordCmd, {integerVal(command), integerRef(word), integerVal(address)});
}
inline std::int16_t writeByte(AdapterControl& c, int address, int reg, int data, int mode = 1) {
    return call(c, op::RegisterTransfer, {longVal(mode), integerRef(address), integerRef(reg), integerRef(data)});
}
inline std::int16_t readByte(AdapterControl& c, int address, int reg, int onEntry = 0) {
    return call(c, op::RegisterTransfer, {longVal(2), integerRef(address), integerRef(reg), integerRef(onEntry)});
}

}  // namespace busctl_test
