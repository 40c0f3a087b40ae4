#pragma once
// A bare form with the application panel, the set-point frames, the two timers at their design
// values and the timed writes, over the scripted adapter control on the virtual clock. Every word
// write is logged with the time it reached the adapter and the state of gbUpdatingBits then.
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "common/program.h"
#include "main_window/input_data_file.h"
#include "main_window/setpoint_frames.h"
#include "main_window/timed_writes.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/check_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "setpoint_screen.h"
#include "support/test_driver.h"

namespace main_window::testing {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

struct Write {
    std::int64_t at;
    int command;
    std::uint16_t word;
    int address;
    bool updatingBits;
    friend bool operator==(const Write&, const Write&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Write& w)
    {
        return out << "{t=" << w.at << " cmd 0x" << std::hex << w.command << " word 0x" << w.word << " addr 0x"
                   << w.address << std::dec << (w.updatingBits ? " updating" : "") << '}';
    }
};

// The three writes of one tick, 0x14, 0x15, 0x3F.
inline std::vector<Write> tick(std::int64_t at, std::vector<std::uint16_t> words, bool updatingBits, int address = 0x12)
{
    return {{at, 0x14, words[0], address, updatingBits}, {at, 0x15, words[1], address, updatingBits},
            {at, 0x3F, words[2], address, updatingBits}};
}

inline std::vector<Write> operator+(std::vector<Write> a, const std::vector<Write>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class StampedControl : public busctl::AdapterControl {
public:
    StampedControl(busctl::ScriptedControl& inner, forms::Platform& clock) : inner(inner), clock(clock) {}
    busctl::Variant invoke(int dispId, std::vector<busctl::Arg>& args) override
    {
        if (dispId == busctl::op::WriteWordCmd) {
            auto arg = [&](std::size_t i) { return std::get<std::int16_t>(args.at(i).value); };
            writes.push_back({clock.nowMs(), arg(0), static_cast<std::uint16_t>(arg(1)), arg(2),
                              vars->gbUpdatingBits == common::True});
        }
        return inner.invoke(dispId, args);
    }
    busctl::ScriptedControl& inner;
    forms::Platform& clock;
    const common::SharedState* vars = nullptr;
    std::vector<Write> writes;
};

struct TimedScreen {
    testsupport::TestDriver driver;
    busctl::ScriptedControl bus;
    StampedControl control{bus, driver.platform()};
    common::Program program{driver.platform(), control};
    forms::Form form{driver.platform(), "Form2"};
    forms::PictureBox& pic = form.add<forms::PictureBox>("picApplication");
    forms::Timer& tmrDataInput = designTimer("tmrDataInput", 20);
    forms::Timer& tmrChargerTimeOut = designTimer("tmrChargerTimeOut", 0);
    SetpointFrames frames{program, form, pic};
    TimedWrites timed{program, form, pic, frames.chargeCurrent(), frames.chargeVoltage(), frames.inputCurrent(),
                      tmrChargerTimeOut, tmrDataInput};
    forms::ScriptedUser user{form};
    forms::TextBox& txtRefreshTime = form.get<forms::TextBox>("txtRefreshTime");

    TimedScreen()
    {
        control.vars = &program.vars();
        program.vars().giDeviceAddress = 0x12;
        program.vars().giRefreshTime = 1000;
        form.show();
    }

    forms::Timer& designTimer(const std::string& name, int interval)
    {
        auto& timer = form.add<forms::Timer>(name);
        timer.setEnabled(false);
        timer.setInterval(interval);
        return timer;
    }
    void advance(std::int64_t ms) { driver.platform().advance(ms); }
    // What the refresh-time box holds, as pasting would leave it, then Enter.
    void setBox(const std::string& text) { txtRefreshTime.userReplaceText(text); }
    void enter(const std::string& text)
    {
        setBox(text);
        user.key("txtRefreshTime", 13);
    }
    void inputFile(const std::string& contents) { driver.writeProgramFile(InputDataFileName, contents); }
    void removeInputFile() { std::filesystem::remove(driver.programFolder() / InputDataFileName); }
    std::vector<Write> takeWrites() { return std::exchange(control.writes, {}); }
    // When the ticks wrote: the times of the 0x14 writes.
    std::vector<std::int64_t> tickTimes() const
    {
        std::vector<std::int64_t> times;
        for (const Write& w : control.writes)
            if (w.command == 0x14)
                times.push_back(w.at);
        return times;
    }
};

}  // namespace main_window::testing
