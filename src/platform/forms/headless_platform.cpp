#include "platform/forms/headless_platform.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/forms/form.h"

namespace platform::forms {

namespace {
constexpr double SecondsPerDay = 86400.0;
}

HeadlessPlatform::HeadlessPlatform(ProgramInfo info) : Platform(std::move(info)) {}

void HeadlessPlatform::setScreenSize(int widthTwips, int heightTwips)
{
    screenWidth_ = widthTwips;
    screenHeight_ = heightTwips;
}

void HeadlessPlatform::setTimeOfDay(double seconds)
{
    // Counted from the clock's start, so that a later call sets the time of day of "now".
    startOfDay_ = seconds - static_cast<double>(now_) / 1000.0;
}

double HeadlessPlatform::systemTimer() const
{
    double t = std::fmod(startOfDay_ + static_cast<double>(now_) / 1000.0, SecondsPerDay);
    return t < 0 ? t + SecondsPerDay : t;
}

void HeadlessPlatform::advance(std::int64_t ms)
{
    if (ms > 0)
        runUntil(now_ + ms);
}

void HeadlessPlatform::runUntil(std::int64_t target)
{
    // Step to each due time in turn; a handler may move the clock itself (a nested wait), so the
    // clock only ever goes forward. Every tick reschedules its timer later, so this ends.
    for (auto next = nextTimerDue(); next && *next <= target; next = nextTimerDue()) {
        now_ = std::max(now_, *next);
        runDueTimers();
    }
    now_ = std::max(now_, target);
}

void HeadlessPlatform::doEvents()
{
    if (ended())
        return;
    // Only what was queued before this call: an action that queues more waits for the next pump.
    for (auto pending = input_.size(); pending > 0 && !input_.empty() && !ended(); --pending) {
        auto action = std::move(input_.front());
        input_.pop_front();
        if (action)
            action();
    }
    runDueTimers();
}

void HeadlessPlatform::waitForEvents(std::int64_t deadlineMs)
{
    // After the end nothing runs any more, so queued input must not keep a wait loop spinning.
    if (!input_.empty() && !ended())
        return;
    std::int64_t target = deadlineMs;
    if (auto next = nextTimerDue())
        target = std::min(target, *next);
    now_ = std::max(now_, target);
}

void HeadlessPlatform::queueInput(std::function<void()> action)
{
    input_.push_back(std::move(action));
}

void HeadlessPlatform::scriptReply(Reply reply)
{
    replies_.push_back(std::move(reply));
}

Answer HeadlessPlatform::showMessage(const std::string& text, Buttons buttons, const std::string& title)
{
    Reply reply;
    if (!replies_.empty()) {
        reply = std::move(replies_.front());
        replies_.pop_front();
    }
    // A box with one button can only be answered with it.
    const Answer answer = buttons == Buttons::Ok ? Answer::Ok : reply.answer;
    messages_.push_back({text, buttons, title, now_, answer});

    struct Open {
        int& depth;
        explicit Open(int& d) : depth(d) { ++depth; }
        ~Open() { --depth; }
    } open(messageDepth_);
    if (reply.whileOpen)
        reply.whileOpen();
    advance(reply.thinkMs);
    return answer;
}

void HeadlessPlatform::formShown(Form& form)
{
    std::erase(shown_, &form);
    shown_.push_back(&form);
}

void HeadlessPlatform::formHidden(Form& form)
{
    std::erase(shown_, &form);
}

void HeadlessPlatform::modalLoop(Form& form)
{
    while (form.visible() && !ended()) {
        if (input_.empty())
            throw std::logic_error("modal form " + form.name() + " is still open and no input is queued");
        auto action = std::move(input_.front());
        input_.pop_front();
        if (action)
            action();
        runDueTimers();
    }
}

}  // namespace platform::forms
