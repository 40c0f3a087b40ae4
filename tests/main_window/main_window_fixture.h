#pragma once
// The whole program on the headless platform against the scriptable adapter control.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/window_registry.h"
#include "main_window/form2.h"
#include "main_window/setpoint_rows.h"
#include "platform/busctl/scripted_control.h"
#include "platform/forms/check_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "support/test_driver.h"

namespace main_window_test {

namespace forms = platform::forms;
namespace busctl = platform::busctl;
using Word = busctl::ScriptedControl::WordWrite;
using Times = std::vector<std::int64_t>;
// A word write as it reached the adapter: time, command, word, address, gbUpdatingBits set.
using Write = std::tuple<std::int64_t, int, int, int, bool>;
using Writes = std::vector<Write>;

// The three writes of one tick, 0x14, 0x15, 0x3F, then `more`.
inline Writes tick(std::int64_t at, std::vector<int> w, bool updating, int address = 0x12, Writes more = {})
{
    Writes out{{at, 0x14, w[0], address, updating}, {at, 0x15, w[1], address, updating}, {at, 0x3F, w[2], address, updating}};
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

// One log of the watched window's changes ("control.Prop") and the bus calls ("bus:<op>"), and
// every word write.
class Recorder : public forms::FormObserver, public busctl::AdapterControl {
public:
    Recorder(busctl::AdapterControl& inner, testsupport::TestDriver& driver) : inner(inner), driver(driver) {}
    std::vector<std::string> entries;
    std::function<void()> beforeEntry;
    Writes writes;

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
        auto arg = [&](std::size_t i) { return std::get<std::int16_t>(args.at(i).value); };
        if (dispId == busctl::op::WriteWordCmd)
            writes.emplace_back(driver.platform().nowMs(), arg(0), static_cast<std::uint16_t>(arg(1)), arg(2),
                                driver.program().vars().gbUpdatingBits == common::True);
        return inner.invoke(dispId, args);
    }

private:
    busctl::AdapterControl& inner;
    testsupport::TestDriver& driver;
};

// A set-point frame: chk<name>, txt<name>, cmdRead<name>, cmdWrite<name> and its over-limit label.
struct Frame {
    std::string name, label;
    main_window::SetpointField field;
};
inline const Frame ChargeCurrent{"ChargeCurrent", "lblChargeCurrentOL", main_window::ChargeCurrentField};
inline const Frame ChargeVoltage{"ChargeVoltage", "lblChargeVoltageOl", main_window::ChargeVoltageField};
inline const Frame InputCurrent{"InputCurrent", "lblInputCurrentOl", main_window::InputCurrentField};
inline const Frame* const Frames[] = {&ChargeCurrent, &ChargeVoltage, &InputCurrent};

class MainWindowTest : public ::testing::Test {
protected:
    testsupport::TestDriver driver;
    busctl::ScriptedControl control;
    Recorder log{control, driver};

    void start()
    {
        driver.startProgram(log);
        control.clearLog();
        log.entries.clear();
    }
    forms::HeadlessPlatform& platform() { return driver.platform(); }
    void advance(std::int64_t ms) { platform().advance(ms); }
    common::SharedState& vars() { return driver.program().vars(); }
    main_window::Form2& form2() { return driver.program().form2(); }
    forms::ScriptedUser user() { return driver.user(form2()); }
    template <class T = forms::Label>
    T& get(const std::string& name, int index = -1) { return form2().get<T>(name, index); }
    forms::TextBox& box(const Frame& f) { return get<forms::TextBox>("txt" + f.name); }
    forms::Label& label(const Frame& f) { return get(f.label); }
    std::string messages()
    {
        std::string out;
        for (const auto& m : platform().messages())
            out += m.text + "/" + m.title + ";";
        return out;
    }

    // A row, bit 15 first: '1'/'0' green/red, 'I'/'O' grey set/clear, '-' as designed, '?' for a
    // caption that disagrees with the value.
    std::string row(const Frame& f)
    {
        std::string out;
        for (int i = 15; i >= 0; --i) {
            const auto& bit = get<forms::CheckBox>("chk" + f.name, i);
            const auto c = bit.backColor();
            const int v = bit.value();
            out += bit.caption() != std::to_string(v) ? '?' : c == main_window::OutsideFieldColor ? "OI"[v]
                 : c == main_window::SetBitColor ? '1' : c == main_window::ClearBitColor ? '0' : '-';
        }
        return out;
    }
    // The row as it would be with its field showing `word`.
    std::string rowShowing(const Frame& f, int word)
    {
        std::string out = row(f);
        for (int i = f.field.bottomBit; i <= f.field.topBit; ++i)
            out[static_cast<std::size_t>(15 - i)] = "01"[word >> i & 1];
        return out;
    }
    // The box, '!' when the over-limit label shows, the row.
    std::string look(const Frame& f) { return box(f).text() + (label(f).visible() ? "! " : " ") + row(f); }
    std::string looks() { return look(ChargeCurrent) + " | " + look(ChargeVoltage) + " | " + look(InputCurrent); }
    // The times of the 0x14 writes.
    Times tickTimes() const
    {
        Times times;
        for (const Write& w : log.writes)
            if (std::get<1>(w) == 0x14)
                times.push_back(std::get<0>(w));
        return times;
    }
};

}  // namespace main_window_test
