#include "platform/qtview/control_view.h"

#include <QApplication>

#include "platform/forms/tab_control.h"
#include "platform/qtview/convert.h"

namespace platform::qtview {

using forms::Prop;

ControlView::ControlView(forms::Control& control, FormWindow& window) : control_(control), window_(window) {}

void ControlView::syncAll()
{
    for (Prop p : {Prop::Geometry, Prop::Font, Prop::BackColor, Prop::Enabled, Prop::Caption, Prop::Style,
                   Prop::Picture, Prop::Value, Prop::List, Prop::ListIndex, Prop::Text, Prop::Selection,
                   Prop::CurrentTab, Prop::Visible})
        sync(p);
}

void ControlView::sync(Prop what)
{
    QWidget* w = widget();
    switch (what) {
    case Prop::Geometry:
        w->setGeometry(toPixelRect(control_.left(), control_.top(), control_.width(), control_.height()));
        break;
    case Prop::Visible: {
        bool shown = control_.visible();
        // A page of a tab control shows only while its tab is the current one.
        if (auto* tabs = dynamic_cast<forms::TabControl*>(control_.container()))
            shown = shown && tabs->pageShown(control_);
        w->setVisible(shown);
        break;
    }
    case Prop::Enabled:
        w->setEnabled(control_.enabled());
        break;
    case Prop::Font:
        w->setFont(toQFont(control_.font()));
        break;
    case Prop::BackColor:
    case Prop::ForeColor:
        syncColors();
        break;
    default:
        break;
    }
    syncOwn(what);
}

void ControlView::syncColors()
{
    QWidget* w = widget();
    const QPalette system = QApplication::palette();
    QPalette p = w->palette();
    const QColor back = toQColor(control_.backColor(), system);
    const QColor fore = toQColor(control_.foreColor(), system);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, backRole(), back);
    p.setColor(QPalette::Active, foreRole(), fore);
    p.setColor(QPalette::Inactive, foreRole(), fore);
    w->setPalette(p);
    w->setAutoFillBackground(fillsBackground());
}

void ControlView::reportClick()
{
    control_.userClick();
}

}  // namespace platform::qtview
