#include "platform/qtview/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include "platform/forms/menu_item.h"
#include "platform/qtview/client_area.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"
#include "platform/qtview/form_menus.h"
#include "platform/qtview/view_factory.h"

namespace platform::qtview {

using forms::Kind;
using forms::Prop;

namespace {

Qt::WindowFlags flagsFor(forms::BorderKind border)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (border != forms::BorderKind::FixedDialog)
        flags |= Qt::WindowMinimizeButtonHint;
    if (border == forms::BorderKind::Sizable)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

struct Mirroring {
    int& depth;
    explicit Mirroring(int& d) : depth(d) { ++depth; }
    ~Mirroring() { --depth; }
};

}  // namespace

FormWindow::FormWindow(forms::Form& form)
    : QMainWindow(nullptr, flagsFor(form.borderKind())), form_(form), client_(new ClientArea(form, this))
{
    setCentralWidget(client_);
    menuBar()->setFixedHeight(toPixels(forms::Form::MenuBarHeight));
    menus_ = std::make_unique<FormMenus>(form, *menuBar());
    {
        Mirroring guard(mirroring_);
        for (Prop p : {Prop::Caption, Prop::BackColor, Prop::Font, Prop::Picture, Prop::Enabled})
            syncForm(p);
        for (forms::Control* child : form.children())
            ensureView(*child);
        syncGeometry();
    }
    form.setObserver(this);
}

// The form may be gone already (the platform outlives its forms): touch nothing of it here.
FormWindow::~FormWindow() = default;

QWidget* FormWindow::clientArea() const { return client_; }

ControlView* FormWindow::viewOf(const forms::Control& control) const
{
    auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second;
}

ControlView* FormWindow::ensureView(forms::Control& control)
{
    if (control.kind() == Kind::Form || control.kind() == Kind::Timer || control.kind() == Kind::MenuItem)
        return nullptr;
    if (ControlView* known = viewOf(control))
        return known;
    QWidget* parent = client_;
    if (control.container())
        if (ControlView* holder = ensureView(*control.container()))
            parent = holder->childParent();
    ControlView* view = createView(control, *this, parent);
    views_[&control] = view;
    byWidget_.insert(view->widget(), view);
    view->widget()->installEventFilter(this);
    // Qt puts a new widget on top; the model puts a new child at the bottom.
    view->widget()->lower();
    view->syncAll();
    for (forms::Control* child : control.children())
        ensureView(*child);
    return view;
}

void FormWindow::replaceView(forms::Control& control)
{
    ControlView* old = viewOf(control);
    if (!old)
        return;
    QWidget* oldWidget = old->widget();
    const bool hadFocus = oldWidget->hasFocus();
    views_.erase(&control);
    byWidget_.remove(oldWidget);
    oldWidget->removeEventFilter(this);
    QWidget* fresh = ensureView(control)->widget();
    fresh->stackUnder(oldWidget);
    oldWidget->hide();
    // Later: the style may change from the old widget's own click.
    oldWidget->deleteLater();
    if (hadFocus)
        fresh->setFocus(Qt::OtherFocusReason);
}

void FormWindow::syncGeometry()
{
    const bool menus = form_.hasVisibleMenu();
    menuBar()->setVisible(menus);
    const QSize inside(toPixels(form_.scaleWidth()),
                       toPixels(form_.scaleHeight()) + (menus ? toPixels(forms::Form::MenuBarHeight) : 0));
    if (form_.borderKind() == forms::BorderKind::Sizable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(inside);
    } else {
        setFixedSize(inside);
    }
    move(toPixels(form_.left()), toPixels(form_.top()));
}

void FormWindow::syncForm(Prop what)
{
    switch (what) {
    case Prop::Geometry:
        syncGeometry();
        break;
    case Prop::Caption:
        setWindowTitle(toQString(form_.caption()));
        break;
    case Prop::BackColor: {
        QPalette p = client_->palette();
        p.setColor(QPalette::Window, toQColor(form_.backColor(), QApplication::palette()));
        client_->setPalette(p);
        break;
    }
    case Prop::Font:
        client_->setFont(toQFont(form_.font()));
        break;
    case Prop::Picture:
        client_->syncPicture();
        setWindowIcon(form_.icon().empty() ? QIcon() : QIcon(toQString(form_.icon())));
        break;
    case Prop::Enabled:
        setEnabled(form_.enabled());
        break;
    default:
        // Visible comes through the platform's formShown / formHidden.
        break;
    }
}

void FormWindow::controlChanged(forms::Control& control, Prop what)
{
    {
        Mirroring guard(mirroring_);
        if (&control == &form_) {
            syncForm(what);
        } else if (control.kind() == Kind::MenuItem) {
            if (!menus_->sync(static_cast<forms::MenuItem&>(control), what))
                menus_->rebuild();
            if (what == Prop::Visible && !control.container())
                syncGeometry();
        } else if (what == Prop::Style && control.kind() == Kind::CheckBox) {
            replaceView(control);  // standard and graphical boxes are different widgets
        } else if (ControlView* view = ensureView(control)) {
            view->sync(what);
        }
    }
    if (mirroring_ == 0)
        reconcileFocus();
}

void FormWindow::focusChanged(forms::Control* gained)
{
    {
        Mirroring guard(mirroring_);
        if (ControlView* view = gained ? ensureView(*gained) : nullptr)
            view->widget()->setFocus(Qt::OtherFocusReason);
    }
    if (mirroring_ == 0)
        reconcileFocus();
}

void FormWindow::reconcileFocus()
{
    forms::Control* active = form_.activeControl();
    ControlView* view = active ? viewOf(*active) : nullptr;
    if (!view || !isActiveWindow())
        return;
    QWidget* w = view->widget();
    if (QApplication::focusWidget() == w || !w->isVisible() || !w->isEnabled())
        return;
    Mirroring guard(mirroring_);
    w->setFocus(Qt::OtherFocusReason);
}

void FormWindow::showEvent(QShowEvent* event)
{
    // The native window exists from the first show; installing again only moves the filter.
    if (QWindow* handle = windowHandle())
        handle->installEventFilter(this);
    QMainWindow::showEvent(event);
}

bool FormWindow::gateInput(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        break;
    default:
        return false;
    }
    if (pressing_) {
        held_.push_back(std::unique_ptr<QEvent>(event->clone()));
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    QWindow* handle = windowHandle();
    const QPointer<FormWindow> alive(this);
    pressing_ = true;
    // The window's own handling, as if this filter had let the event through.
    static_cast<QObject*>(handle)->event(event);
    if (!alive)
        return true;
    pressing_ = false;
    // One queue for all: a held press delivered here holds what comes during it behind what
    // was held before it.
    while (!held_.empty()) {
        const std::unique_ptr<QEvent> next = std::move(held_.front());
        held_.pop_front();
        QCoreApplication::sendEvent(handle, next.get());
        if (!alive)
            return true;
    }
    return true;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && watched)
        return gateInput(event) || QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn && mirroring_ == 0) {
        if (ControlView* view = byWidget_.value(watched))
            userFocused(*view, static_cast<QFocusEvent*>(event)->reason());
    } else if (event->type() == QEvent::MouseButtonRelease) {
        ControlView* view = byWidget_.value(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (view && view->clickOnRelease() && mouse->button() == Qt::LeftButton
            && view->widget()->rect().contains(mouse->position().toPoint()))
            deliver([&] { view->control().userClick(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormWindow::userFocused(ControlView& view, Qt::FocusReason reason)
{
    forms::Control& control = view.control();
    if (form_.activeControl() == &control)
        return;
    // Coming back to the window (or from a menu) is no focus move of the user's: the model's
    // focus stays where it was.
    const bool returning = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
                           || reason == Qt::MenuBarFocusReason;
    if (returning && form_.activeControl()) {
        reconcileFocus();
        return;
    }
    deliver([&] { control.setFocus(); });
    reconcileFocus();
}

bool FormWindow::focusNextPrevChild(bool next)
{
    // Qt moves the focus on its own when it hides or disables the focused widget; the model
    // already chose where it goes then.
    if (mirroring_ == 0)
        deliver([&] { form_.focusNext(!next); });
    return true;
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The model decides: its Unload handler may cancel; the platform hides the window if not.
    event->ignore();
    deliver([&] { form_.userClose(); });
}

}  // namespace platform::qtview
