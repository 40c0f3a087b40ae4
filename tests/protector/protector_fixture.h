#pragma once
// The whole program, headless, SSTab1 revealed as the program never does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/window_registry.h"
#include "main_window/form2.h"
#include "platform/busctl/scripted_control.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
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
        get("picApplication").setVisible(false);
        tabs().move(0, 0, tabs().width(), tabs().height());
        tabs().setVisible(true);
        started->clearLog();
    }
    // Before start(): the build folder as the program's folder, so that pictures are found.
    void withPictures() { platform().programInfo().folder = std::filesystem::path(QUELVAR_TEST_ARTIFACTS).parent_path(); }
    busctl::ScriptedControl& bus() { return *started; }
    const Transfers& transfers() { return bus().byteTransfers(); }
    forms::HeadlessPlatform& platform() { return driver.platform(); }
    void advance(std::int64_t ms) { platform().advance(ms); }
    main_window::Form2& form2() { return driver.program().form2(); }
    forms::ScriptedUser user() { return driver.user(form2()); }
    template <class T = forms::Control>
    T& get(const std::string& name, int index = -1) { return form2().get<T>(name, index); }
    forms::TabControl& tabs() { return get<forms::TabControl>("SSTab1"); }
    // The bus since the last look: "R05=A3", "W03=81", "!" after a failure, "52:" for a device not 0x12.
    std::string trace()
    {
        std::string out;
        for (const Transfer& t : transfers()) {
            char at[8] = "", word[24];
            if (t.address != 0x12)
                std::snprintf(at, sizeof at, "%02X:", t.address);
            std::snprintf(word, sizeof word, "%s%c%02X=%02X", at, t.direction == Write ? 'W' : 'R', t.reg, t.value);
            out += (out.empty() ? "" : " ") + std::string(word) + (t.status ? "!" : "");
        }
        bus().clearLog();
        return out;
    }

private:
    busctl::ScriptedControl* started = nullptr;
};

// Changes of a timer's Enabled with the transfers seen by then ("on@4"), and of images' Visible ("hide1").
struct TimerWatch : forms::FormObserver {
    TimerWatch(forms::Form& form, std::string timer, const Transfers& bus, std::string images = "")
        : timer(std::move(timer)), images(std::move(images)), bus(bus) { form.setObserver(this); }
    void controlChanged(forms::Control& c, forms::Prop what) override
    {
        if (c.name() == timer && what == forms::Prop::Enabled)
            changes.push_back((c.enabled() ? "on@" : "off@") + std::to_string(bus.size()));
        if (c.name() == images && what == forms::Prop::Visible)
            changes.push_back((c.visible() ? "show" : "hide") + std::to_string(c.index()));
    }
    void focusChanged(forms::Control*) override {}
    std::string timer, images;
    const Transfers& bus;
    std::vector<std::string> changes;
};

}  // namespace protector_test
