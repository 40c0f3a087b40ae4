#include "platform/forms/platform.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/timer.h"

namespace platform::forms {

Platform::Platform(ProgramInfo info) : info_(std::move(info)) {}

Platform::~Platform() = default;

void Platform::setMousePointer(int p)
{
    // The view keeps one flag, not a count: every set goes through, equal or not.
    mousePointer_ = p;
    applyMousePointer(p);
}

Answer Platform::msgBox(const std::string& text, Buttons buttons, const std::string& title)
{
    // After the end no box opens; a handler still running gets the answer that goes no further.
    if (ended_)
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    return showMessage(text, buttons, title.empty() ? info_.title : title);
}

void Platform::showModal(Form& form)
{
    if (ended_)
        return;
    modal_.push_back(&form);
    struct Pop {
        std::vector<Form*>& modal;
        ~Pop() { modal.pop_back(); }
    } pop{modal_};
    form.show();
    if (form.visible() && !ended_)
        modalLoop(form);
}

void Platform::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    schedule_.clear();
    scheduleChanged();
    // A form's discard may not create or destroy others, but keep to a copy all the same.
    for (Form* form : std::vector<Form*>(forms_))
        if (std::ranges::find(forms_, form) != forms_.end())
            form->discard();
    programEnded();
}

void Platform::timerChanged(Timer& timer)
{
    std::erase_if(schedule_, [&](const Scheduled& s) { return s.timer == &timer; });
    if (!ended_ && timer.enabled() && timer.interval() > 0 && timer.form().loaded())
        schedule_.push_back({&timer, nowMs() + timer.interval(), timer.creationOrder()});
    scheduleChanged();
}

void Platform::timerRemoved(Timer& timer)
{
    const auto removed = std::erase_if(schedule_, [&](const Scheduled& s) { return s.timer == &timer; });
    if (removed > 0)
        scheduleChanged();
}

std::optional<std::int64_t> Platform::nextTimerDue() const
{
    if (ended_ || schedule_.empty())
        return std::nullopt;
    return std::ranges::min_element(schedule_, {}, &Scheduled::due)->due;
}

void Platform::runDueTimers()
{
    if (ended_)
        return;
    const std::int64_t now = nowMs();
    std::vector<Scheduled> due;
    for (const Scheduled& s : schedule_)
        if (s.due <= now)
            due.push_back(s);
    if (due.empty())
        return;
    std::ranges::sort(due, [](const Scheduled& a, const Scheduled& b) {
        return std::pair(a.due, a.order) < std::pair(b.due, b.order);
    });
    for (const Scheduled& d : due) {
        if (ended_)
            break;
        // An earlier handler may have changed, restarted or destroyed this timer: then its
        // entry is gone or carries a new due time, and this tick no longer stands.
        auto it = std::ranges::find_if(schedule_, [&](const Scheduled& s) { return s.timer == d.timer; });
        if (it == schedule_.end() || it->due != d.due)
            continue;
        // Reschedule before the handler runs, so that a handler that pumps events finds the
        // timer not due (and a late tick does not queue up a burst of catch-up ticks).
        const std::int64_t interval = d.timer->interval();
        it->due = d.due + interval > now ? d.due + interval : now + interval;
        scheduleChanged();
        d.timer->fire();
    }
    scheduleChanged();
}

void Platform::formCreated(Form& form)
{
    forms_.push_back(&form);
}

void Platform::formDestroyed(Form& form)
{
    formDestroying(form);
    std::erase(forms_, &form);
}

}  // namespace platform::forms
