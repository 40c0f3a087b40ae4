#pragma once
#include <cstdint>

#include "platform/forms/control.h"

namespace platform::forms {

// A window timer. It ticks every Interval ms (0..65535) while enabled; Interval 0 never ticks.
// Changing Interval or Enabled restarts the countdown. A tick never re-enters its own handler.
// The platform keeps the schedule (Platform::runDueTimers).
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int index, Control* container);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);  // clamped to 0..65535
    bool timerEnabled() const { return enabled(); }

    std::function<void()> onTimer;

    // Called by the platform when the timer is due; skips a tick while the handler still runs.
    void fire();
    bool running() const { return running_; }
    // Ties between timers due at the same moment go to the one created first.
    std::uint64_t creationOrder() const { return creationOrder_; }

private:
    int interval_ = 0;
    std::uint64_t creationOrder_ = 0;
    bool running_ = false;
};

}  // namespace platform::forms
