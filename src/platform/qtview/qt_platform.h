#pragma once
// The platform for people: Qt's event loop, timers, real modal message boxes, one window per form.
// Construct it after the QApplication (and setupApplication) and destroy it before; it must also
// outlive every form made on it, as any platform must.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>

#include "platform/forms/form.h"
#include "platform/forms/platform.h"

namespace platform::qtview {

class FormWindow;

// Fusion style, the font substitutes for the classic faces, the forms' default font, and the
// event loop ended only by the program (Platform::endProgram), not by the last window closing.
void setupApplication(QApplication& app);

class QtPlatform : public forms::Platform {
public:
    explicit QtPlatform(forms::ProgramInfo info = forms::defaultProgramInfo());
    ~QtPlatform() override;

    int screenWidth() const override;
    int screenHeight() const override;
    std::int64_t nowMs() const override;
    double systemTimer() const override;

    void doEvents() override;
    void waitForEvents(std::int64_t deadlineMs) override;

    void beep() override;
    void formShown(forms::Form& form) override;
    void formHidden(forms::Form& form) override;

    // The window of a form, made (not shown) on first use.
    FormWindow& window(forms::Form& form);
    FormWindow* findWindow(const forms::Form& form) const;

protected:
    forms::Answer showMessage(const std::string& text, forms::Buttons buttons, const std::string& title) override;
    void applyMousePointer(int pointer) override;
    void scheduleChanged() override;
    void programEnded() override;
    void formDestroying(forms::Form& form) override;
    // An application-modal window with its own event loop, left when the form is hidden.
    void modalLoop(forms::Form& form) override;

private:
    QElapsedTimer clock_;
    QTimer wake_;  // fires at the next due forms timer
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    bool hourglass_ = false;
    std::map<const forms::Form*, QEventLoop*> modalLoops_;
    // Pumps closer together than this only run the due forms timers.
    static constexpr std::chrono::milliseconds MinPumpGap{4};
    std::chrono::steady_clock::time_point lastPump_{};
};

}  // namespace platform::qtview
