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

// One log of what the window and the bus saw: "control.Prop" for each property change of the
// watched window, "bus:<operation>" for each adapter call.
class EventLog : public forms::FormObserver, public busctl::AdapterControl {
public:
    explicit EventLog(busctl::AdapterControl& inner) : inner(inner) {}
    std::vector<std::string> entries;
    std::function<void()> beforeEntry;  // notes what changed since the last entry

    void add(std::string entry)
    {
        if (beforeEntry)
            beforeEntry();
        entries.push_back(std::move(entry));
    }
    void controlChanged(forms::Control& control, forms::Prop what) override
    {
        const char* names[] = {"Geometry", "Visible", "Enabled", "Caption"};
        const int i = static_cast<int>(what);
        add(control.name() + "." + (i < 4 ? names[i] : "Other"));
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

// Whether `expected` appears in `log` in this order, other entries between allowed.
inline ::testing::AssertionResult inOrder(const std::vector<std::string>& log, const std::vector<std::string>& expected)
{
    auto at = log.begin();
    for (const auto& e : expected) {
        at = std::find(at, log.end(), e);
        if (at == log.end())
            return ::testing::AssertionFailure() << "\"" << e << "\" missing or out of order";
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
    common::SharedState& vars() { return driver.program().vars(); }
    main_window::Form2& form2() { return driver.program().form2(); }
    forms::ScriptedUser user() { return driver.user(form2()); }
    template <class T = forms::Label>
    T& get(const std::string& name, int index = -1)
    {
        return form2().get<T>(name, index);
    }
};

}  // namespace main_window_test
