#pragma once
// The deterministic platform for tests: a virtual clock that moves only when told, a scripted
// user, and a log of message boxes answered by script.
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/platform.h"

namespace platform::forms {

struct MessageRecord {
    std::string text;
    Buttons buttons;
    std::string title;
    std::int64_t shownAtMs;
    Answer answer;
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(ProgramInfo info = defaultProgramInfo());

    int screenWidth() const override { return screenWidth_; }
    int screenHeight() const override { return screenHeight_; }
    void setScreenSize(int widthTwips, int heightTwips);

    // Virtual clock. The time of day starts at `seconds` since midnight (default noon).
    void setTimeOfDay(double seconds);
    std::int64_t nowMs() const override { return now_; }
    double systemTimer() const override;
    // Moves the clock forward, firing due timers in order at their due times.
    void advance(std::int64_t ms);

    void doEvents() override;
    // Advances the clock to the deadline or the next due timer, whichever comes first; returns
    // at once when input is queued.
    void waitForEvents(std::int64_t deadlineMs) override;

    // Input queued for the next doEvents (a click that arrives while a handler pumps events).
    void queueInput(std::function<void()> action);

    // Message boxes: each one is logged; the answer comes from the script (default: the first
    // button), after an optional virtual think time during which timers keep ticking. A scripted
    // action may run while the box is open (for instance a click on another window).
    struct Reply {
        // A constructor rather than an aggregate, so that {Answer::Cancel} builds without a
        // missing-initializer warning.
        Reply(Answer answer = Answer::Ok, std::int64_t thinkMs = 0, std::function<void()> whileOpen = {})
            : answer(answer), thinkMs(thinkMs), whileOpen(std::move(whileOpen))
        {
        }
        Answer answer;
        std::int64_t thinkMs;
        std::function<void()> whileOpen;  // runs as soon as the box is open, before thinkMs passes
    };
    void scriptReply(Reply reply);
    const std::vector<MessageRecord>& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }
    // True while a message box is open (for assertions made from timer handlers).
    bool messageOpen() const { return messageDepth_ > 0; }

    // Every mouse pointer the program set, in order.
    const std::vector<int>& pointerHistory() const { return pointerHistory_; }
    int beeps() const { return beeps_; }
    const std::vector<Form*>& shownForms() const { return shown_; }

    void beep() override { ++beeps_; }
    void formShown(Form& form) override;
    void formHidden(Form& form) override;

protected:
    Answer showMessage(const std::string& text, Buttons buttons, const std::string& title) override;
    void applyMousePointer(int p) override { pointerHistory_.push_back(p); }
    // Runs the queued input one action at a time, due timers after each; throws std::logic_error
    // naming the form when it is still open and nothing is queued, so that no test hangs.
    void modalLoop(Form& form) override;

private:
    void runUntil(std::int64_t target);
    std::int64_t now_ = 0;
    double startOfDay_ = 12 * 3600.0;
    int screenWidth_ = 1920 * TwipsPerPixel;
    int screenHeight_ = 1080 * TwipsPerPixel;
    std::deque<std::function<void()>> input_;
    std::deque<Reply> replies_;
    std::vector<MessageRecord> messages_;
    int messageDepth_ = 0;
    std::vector<int> pointerHistory_;
    int beeps_ = 0;
    std::vector<Form*> shown_;
};

}  // namespace platform::forms
