#pragma once
// The whole program on the headless platform, against the scriptable adapter control.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/timer.h"
#include "support/test_driver.h"

namespace main_window_test {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

// What a window and the bus saw, in one log: "control.Prop" for each property change of the
// watched window, "bus:<operation>" for each adapter call.
class EventLog : public forms::FormObserver, public busctl::AdapterControl {
public:
    explicit EventLog(busctl::AdapterControl& inner) : inner(inner) {}

    std::vector<std::string> entries;
    // Called before each entry, so a test can note what changed in between (a settings write).
    std::function<void()> beforeEntry;

    void add(std::string entry)
    {
        if (beforeEntry)
            beforeEntry();
        entries.push_back(std::move(entry));
    }
    void controlChanged(forms::Control& control, forms::Prop what) override
    {
        const char* prop = what == forms::Prop::Geometry  ? "Geometry"
                           : what == forms::Prop::Visible ? "Visible"
                           : what == forms::Prop::Enabled ? "Enabled"
                           : what == forms::Prop::Caption ? "Caption"
                                                          : "Other";
        add(control.name() + "." + prop);
    }
    void focusChanged(forms::Control*) override {}
    busctl::Variant invoke(int dispId, std::vector<busctl::Arg>& args) override
    {
        add("bus:" + std::to_string(dispId));
        return inner.invoke(dispId, args);
    }

private:
    busctl::AdapterControl& inner;
};

// Whether `expected` appears in `log` in this order (other entries may come between).
inline ::testing::AssertionResult inOrder(const std::vector<std::string>& log,
                                          const std::vector<std::string>& expected)
{
    auto at = log.begin();
    for (const auto& e : expected) {
        at = std::find(at, log.end(), e);
        if (at == log.end()) {
            std::string all;
            for (const auto& l : log)
                all += l + " ";
            return ::testing::AssertionFailure() << "\"" << e << "\" missing or out of order in: " << all;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

class MainWindowTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    busctl::ScriptedControl control;

    forms::HeadlessPlatform& platform() { return driver.platform(); }
    main_window::Form2& start() { return driver.startProgram(control); }
    common::Program& program() { return driver.program(); }
    common::SharedState& vars() { return driver.program().vars(); }
    forms::ScriptedUser user() { return driver.user(program().form2()); }
    main_window::Form2& form2() { return program().form2(); }

    template <class T = forms::Label>
    T& get(const std::string& name, int index = -1)
    {
        return form2().get<T>(name, index);
    }
    std::vector<forms::Timer*> timers()
    {
        std::vector<forms::Timer*> out;
        for (const char* name : {"tmrDataInput", "tmrChargerTimeOut", "tmrRegisterScan", "tmrStatus", "tmrControl"})
            out.push_back(&get<forms::Timer>(name));
        return out;
    }
};

}  // namespace main_window_test
