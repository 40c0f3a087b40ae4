#pragma once
// One run of the program on the headless platform, with the adapter control it talks to.
#include <string>
#include <vector>

#include "common/program.h"
#include "platform/busctl/call_shape.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/headless_platform.h"

namespace adapter_test {

using namespace platform::busctl;
using U8 = std::uint8_t;
using I16 = std::int16_t;

template <class Control = ScriptedControl>
struct Rig {
    platform::forms::HeadlessPlatform platform;
    Control bus;
    common::Program program{platform, bus};
};

// The control's log as "12(Long 2 val, Integer 18 ref, ...)": operation, types, passing and
// the values as they went in, so a mismatch reads plainly.
inline std::vector<std::string> logged(const ScriptedControl& bus)
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

}  // namespace adapter_test
