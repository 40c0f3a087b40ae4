#pragma once
// The whole program on the headless platform, on the scripted control alone or over the simulated
// board, with SSTab1 revealed as the program itself never does. Tests then act only through the
// scripted user and watch the bus through the control's byte transfers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/scripted_control.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "support/test_driver.h"

namespace protector_test {

namespace forms = platform::forms;
namespace busctl = platform::busctl;
using Transfer = busctl::ScriptedControl::ByteTransfer;
using Transfers = std::vector<Transfer>;
inline constexpr auto Read = busctl::ScriptedControl::Direction::Read;
inline constexpr auto Write = busctl::ScriptedControl::Direction::Write;

class ProtectorTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    busctl::SimulatedBoard board;
    busctl::ScriptedControl control;              // answers from its script
    busctl::ScriptedControl boardControl{board};  // logs, and lets the board answer

    // The program started, SSTab1 revealed, the transfer log empty.
    void start(busctl::ScriptedControl* on = nullptr)
    {
        started = on ? on : &control;
        driver.startProgram(*started);
        // Into the window's client area, over the application screen that would cover it.
        get("picApplication").setVisible(false);
        tabs().move(0, 0, tabs().width(), tabs().height());
        tabs().setVisible(true);
        started->clearLog();
    }
    void startOnBoard() { start(&boardControl); }

    busctl::ScriptedControl& bus() { return *started; }
    const Transfers& transfers() { return bus().byteTransfers(); }
    forms::HeadlessPlatform& platform() { return driver.platform(); }
    void advance(std::int64_t ms) { platform().advance(ms); }
    main_window::Form2& form2() { return driver.program().form2(); }
    forms::ScriptedUser user() { return driver.user(form2()); }
    template <class T = forms::Control>
    T& get(const std::string& name, int index = -1) { return form2().get<T>(name, index); }
    forms::TabControl& tabs() { return get<forms::TabControl>("SSTab1"); }

private:
    busctl::ScriptedControl* started = nullptr;
};

// Each change of a timer's Enabled with the number of transfers seen by then ("on@4").
class TimerWatch : public forms::FormObserver {
public:
    TimerWatch(forms::Form& form, std::string timer, const Transfers& bus) : timer(std::move(timer)), bus(bus)
    {
        form.setObserver(this);
    }
    void controlChanged(forms::Control& c, forms::Prop what) override
    {
        if (c.name() == timer && what == forms::Prop::Enabled)
            changes.push_back((c.enabled() ? "on@" : "off@") + std::to_string(bus.size()));
    }
    void focusChanged(forms::Control*) override {}
    std::vector<std::string> changes;

private:
    std::string timer;
    const Transfers& bus;
};

}  // namespace protector_test
