#pragma once
// What the Qt view tests share: one QApplication per program (offscreen), a platform per test,
// and user input sent as Qt events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"

namespace qtview_test {

namespace qv = platform::qtview;
namespace forms = platform::forms;

class QtViewTest : public ::testing::Test {
protected:
    qv::QtPlatform platform;
    forms::Form form{platform, "frmTest"};
    std::vector<std::string> log;

    void SetUp() override
    {
        form.move(0, 0, 6000, 4500);
        form.setCaption("Test");
    }

    // Shows the form and lets the offscreen window become active.
    void showForm()
    {
        form.show();
        window().activateWindow();
        platform.doEvents();
        // Under a real X server activation takes a round trip or two.
        const std::int64_t giveUp = platform.nowMs() + 2000;
        while (!window().isActiveWindow() && platform.nowMs() < giveUp)
            platform.waitForEvents(platform.nowMs() + 10);
        platform.doEvents();
        ASSERT_TRUE(window().isActiveWindow());
    }
    qv::FormWindow& window() { return platform.window(form); }
    QWidget* widgetOf(const forms::Control& c)
    {
        qv::ControlView* v = window().viewOf(c);
        return v ? v->widget() : nullptr;
    }
    template <class W>
    W* widgetAs(const forms::Control& c)
    {
        return dynamic_cast<W*>(widgetOf(c));
    }
    // Records every event of a control as "name.Event".
    void record(forms::Control& c)
    {
        const std::string n = c.name();
        c.onClick = [this, n] { log.push_back(n + ".Click"); };
        c.onGotFocus = [this, n] { log.push_back(n + ".GotFocus"); };
        c.onLostFocus = [this, n] { log.push_back(n + ".LostFocus"); };
    }
};

// A left click as the window system delivers it: press (which gives the focus) and release.
inline void click(QWidget* w, QPoint at = {-1, -1})
{
    if (at.x() < 0)
        at = w->rect().center();
    const QPointF local(at), global(w->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// One key press and release to the focus widget.
inline void key(int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

inline void type(const QString& text)
{
    for (QChar c : text)
        key(0, QString(c));
}

}  // namespace qtview_test
