#pragma once
// Everything the windows need from the machine: time, the event pump, timers, message boxes,
// the mouse pointer, the screen, the program's identity and folders. One object per run; the
// headless backend makes it deterministic for tests, the Qt backend makes it real.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/types.h"

namespace platform::forms {

class Form;
class Timer;

// The program's version block and where its file lives.
struct ProgramInfo {
    std::string title = "Darnex";
    int major = 0, minor = 0, revision = 0;
    std::string fileDescription = "Darnex Evaluation Software";
    std::string comments;
    std::string legalCopyright;
    std::filesystem::path folder;  // the program file's folder
    std::string exeName;           // the program file's name without extension
    std::string exeSuffix;         // the platform's executable suffix ("" on Linux)

    // "major.minor.revision", as the title bar, the About window and --version show it.
    std::string version() const;
};

// The build's own version block (version from the build, folder and name left empty).
ProgramInfo defaultProgramInfo();

class Platform {
public:
    explicit Platform(ProgramInfo info);
    virtual ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    const ProgramInfo& programInfo() const { return info_; }
    ProgramInfo& programInfo() { return info_; }
    // Where a bare settings file name lives.
    const std::filesystem::path& settingsFolder() const { return settingsFolder_; }
    void setSettingsFolder(std::filesystem::path p) { settingsFolder_ = std::move(p); }

    // Screen size in twips.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The application-wide mouse pointer (pointer::Default, pointer::Hourglass, ...).
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int p);

    // Milliseconds of a monotonic clock.
    virtual std::int64_t nowMs() const = 0;
    // The system timer: seconds since midnight of the local time of day.
    virtual double systemTimer() const = 0;

    // Runs what is pending (queued input, due timer ticks) and returns.
    virtual void doEvents() = 0;
    // Sleeps until something is pending or the deadline (nowMs() units) passes; runs nothing.
    virtual void waitForEvents(std::int64_t deadlineMs) = 0;

    // A modal message box; an empty title means the program's title. Timers keep ticking while
    // it is open. After the program has ended none opens: the answer is OK, or Cancel if offered.
    Answer msgBox(const std::string& text, Buttons buttons = Buttons::Ok, const std::string& title = {});
    virtual void beep() = 0;

    // Called by forms when they are shown or hidden.
    virtual void formShown(Form& form) = 0;
    virtual void formHidden(Form& form) = 0;
    // Shows the form modally: returns once it is unloaded or hidden or the program ends. Meanwhile
    // timers tick and user input to every other window is ignored.
    void showModal(Form& form);
    // False for every window but the innermost modal one while a modal form is open.
    bool acceptsInput(const Form& form) const { return modal_.empty() || modal_.back() == &form; }
    bool isModal(const Form& form) const { return !modal_.empty() && modal_.back() == &form; }
    // Ends the program at once: timers stop, windows close without their Unload handlers.
    void endProgram();
    bool ended() const { return ended_; }
    // Every form that exists on this platform, oldest first.
    const std::vector<Form*>& forms() const { return forms_; }

    // Timer schedule, kept here so that both backends fire timers the same way.
    void timerChanged(Timer& timer);  // enabled or interval changed: restart its countdown
    void timerRemoved(Timer& timer);
    std::optional<std::int64_t> nextTimerDue() const;
    // Fires every timer due at nowMs(), in order of due time (then of creation).
    void runDueTimers();

protected:
    virtual Answer showMessage(const std::string& text, Buttons buttons, const std::string& title) = 0;
    virtual void applyMousePointer(int /*pointer*/) {}
    // The schedule's next due time changed (Qt arms its wake-up timer).
    virtual void scheduleChanged() {}
    virtual void programEnded() {}
    // Runs events until the shown modal form is hidden or the program ends.
    virtual void modalLoop(Form& form) = 0;
    // A form is being destroyed (its controls still exist): drop whatever mirrors it.
    virtual void formDestroying(Form& /*form*/) {}

private:
    struct Scheduled {
        Timer* timer;
        std::int64_t due;
        std::uint64_t order;
    };
    ProgramInfo info_;
    std::filesystem::path settingsFolder_;
    int mousePointer_ = pointer::Default;
    bool ended_ = false;
    std::vector<Scheduled> schedule_;
    std::uint64_t nextOrder_ = 0;
    std::vector<Form*> forms_;
    std::vector<Form*> modal_;  // innermost last

    friend class Form;
    friend class Timer;
    void formCreated(Form& form);
    void formDestroyed(Form& form);
};

}  // namespace platform::forms
