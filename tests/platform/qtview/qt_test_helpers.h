#pragma once
// What the Qt view tests share: a platform and a form per test on the offscreen QApplication
// (registered once, in qt_platform_test.cpp), and user input sent as Qt events.
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
using Log = std::vector<std::string>;

class QtViewTest : public ::testing::Test {
protected:
    qv::QtPlatform platform;
    forms::Form form{platform, "frmTest"};
    Log log;

    QtViewTest()
    {
        form.move(0, 0, 6000, 4500);
        form.setCaption("Test");
    }
    // Adds a control at its place in twips.
    template <class T>
    T& put(const std::string& name, int left, int top, int width, int height, forms::Control* in = nullptr,
           int index = -1)
    {
        T& c = form.add<T>(name, in, index);
        c.move(left, top, width, height);
        return c;
    }
    // Shows the form and lets the offscreen window become active.
    void showForm()
    {
        form.show();
        window().activateWindow();
        platform.doEvents();
        ASSERT_TRUE(window().isActiveWindow());
    }
    qv::FormWindow& window() { return platform.window(form); }
    QWidget* widgetOf(const forms::Control& c) { return window().viewOf(c) ? window().viewOf(c)->widget() : nullptr; }
    template <class W>
    W* widgetAs(const forms::Control& c)
    {
        return dynamic_cast<W*>(widgetOf(c));
    }
    // Records Click, GotFocus and LostFocus of a control as "name.Event".
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
