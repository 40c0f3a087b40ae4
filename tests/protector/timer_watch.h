#pragma once
// What a view would see of a timer: each change of its Enabled, with the number of byte transfers
// the bus had seen by then ("on@4": enabled after the fourth transfer).
#include <string>
#include <vector>

#include "protector_fixture.h"

namespace protector_test {

class TimerWatch : public forms::FormObserver {
public:
    TimerWatch(forms::Form& form, std::string timer, const Transfers& bus)
        : timer(std::move(timer)), bus(bus)
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
