#pragma once
// The argument list each operation of the control expects: types, order and passing. The
// simulated board and the test double both refuse a call whose list does not match, so that a
// caller that builds its arguments wrongly fails in tests instead of on a real adapter.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/busctl/dispatch.h"

namespace platform::busctl {

enum class ArgType { Integer, Long, String };

struct ArgShape {
    ArgType type;
    Passing passing;
};

ArgType argType(const Variant& value);
std::string_view argTypeName(ArgType type);

// The expected arguments of an operation; empty for an operation without arguments or one the
// control does not have (see isKnownOperation).
std::span<const ArgShape> expectedShape(int dispId);
bool isKnownOperation(int dispId);
bool matchesShape(int dispId, const std::vector<Arg>& args);

// "12(Long 2 val, Integer 18 ref, ...)", for test failure messages.
std::string describeCall(int dispId, const std::vector<Arg>& args);

}  // namespace platform::busctl
