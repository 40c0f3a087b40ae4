#include "platform/forms/timer.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/platform.h"

namespace platform::forms {

Timer::Timer(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::Timer, std::move(name), index, container),
      creationOrder_(form.platform().nextOrder_++)
{
}

Timer::~Timer()
{
    platform().timerRemoved(*this);
}

void Timer::setInterval(int ms)
{
    ms = std::clamp(ms, 0, 65535);
    if (ms == interval_)
        return;
    interval_ = ms;
    changed(Prop::Interval);
    platform().timerChanged(*this);
}

void Timer::fire()
{
    if (running_ || !enabled() || interval_ == 0 || platform().ended())
        return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } guard(running_);
    if (onTimer)
        onTimer();
}

}  // namespace platform::forms
