#pragma once
// A shown, empty form on a fresh headless platform, a user at it, and an event log.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "support/test_driver.h"

namespace formstest {

using namespace platform::forms;
using Log = std::vector<std::string>;
using Ticks = std::vector<std::pair<std::string, std::int64_t>>;

class FormsTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    HeadlessPlatform& platform = driver.platform();
    Form& form = driver.start([](Platform& p) { return std::make_unique<Form>(p, "frmTest"); });
    ScriptedUser user = driver.user(form);
    Log log;
    Ticks ticks;

    auto record(std::string entry)
    {
        return [this, entry] { log.push_back(entry); };
    }
    // Logs Click, GotFocus and LostFocus under the control's name.
    template <class T>
    T& watched(T& control)
    {
        control.onClick = record(control.name() + ".Click");
        control.onGotFocus = record(control.name() + ".GotFocus");
        control.onLostFocus = record(control.name() + ".LostFocus");
        return control;
    }
    // A timer that logs its ticks with the virtual time.
    Timer& timer(const std::string& name, int interval)
    {
        auto& t = form.add<Timer>(name);
        t.setInterval(interval);
        t.onTimer = [this, &t] { ticks.emplace_back(t.name(), platform.nowMs()); };
        return t;
    }
};

}  // namespace formstest
