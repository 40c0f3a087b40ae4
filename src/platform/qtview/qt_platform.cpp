#include "platform/qtview/qt_platform.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTime>
#include <algorithm>
#include <chrono>
#include <climits>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"
#include "platform/qtview/form_window.h"

namespace platform::qtview {

void setupApplication(QApplication& app)
{
    app.setStyle(QStyleFactory::create("Fusion"));
    // Fontconfig's own picks for the classic faces are far too wide or calligraphic.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Microsoft Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Comic Sans MS", "DejaVu Sans");
    QFont::insertSubstitution("Arial Narrow", "Liberation Sans Narrow");
    QApplication::setFont(toQFont(forms::Font{}));
    // The program ends when it says so; a message box closing over hidden windows must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtPlatform::QtPlatform(forms::ProgramInfo info) : Platform(std::move(info))
{
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    // A single-shot timer is stopped before its slot runs, so re-arming it from the slot makes a
    // new Qt timer that also fires inside nested loops (a message box opened by a forms timer).
    QObject::connect(&wake_, &QTimer::timeout, [this] {
        deliver([this] { runDueTimers(); });
        scheduleChanged();
    });
}

QtPlatform::~QtPlatform()
{
    wake_.stop();
    if (hourglass_)
        QGuiApplication::restoreOverrideCursor();
}

int QtPlatform::screenWidth() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return (s ? s->size().width() : 1024) * forms::TwipsPerPixel;
}

int QtPlatform::screenHeight() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return (s ? s->size().height() : 768) * forms::TwipsPerPixel;
}

std::int64_t QtPlatform::nowMs() const
{
    return clock_.elapsed();
}

double QtPlatform::systemTimer() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

// A handler that pumps at every step of a tight loop (a Read that ticks sixteen boxes one by one)
// would otherwise repaint at every step, several times within one frame of the screen. Input and
// paints that arrive between two close pumps wait for the next pump or the handler's end.
void QtPlatform::doEvents()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ >= MinPumpGap) {
        lastPump_ = now;
        QCoreApplication::processEvents();
    }
    runDueTimers();
}

void QtPlatform::waitForEvents(std::int64_t deadlineMs)
{
    const std::int64_t left = deadlineMs - nowMs();
    if (left <= 0)
        return;
    // Sleep in the event loop until anything arrives; this timer is the latest wake-up.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

namespace {

// A short message makes a box narrower than its title: the window manager then shows the title as
// "D…". The title bar and its font are the window manager's: take the theme's title-bar font, bold
// and at least 11 pt as common managers draw titles, and room for an icon and three buttons.
void keepTitleInView(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    if (font.pointSizeF() < 11)
        font.setPointSizeF(11);
    const QFontMetrics metrics(font);
    const int bar = std::max(box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box), metrics.height() + 8);
    const QMargins margins = grid->contentsMargins();
    const int wanted = metrics.horizontalAdvance(box.windowTitle()) + 4 * bar;
    // The box sets its own fixed size from its layout's minimum: widen that, across all columns.
    grid->addItem(new QSpacerItem(wanted - margins.left() - margins.right(), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

forms::Answer QtPlatform::showMessage(const std::string& text, forms::Buttons buttons, const std::string& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setWindowTitle(toQString(title));
    if (buttons == forms::Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    keepTitleInView(box);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Cancel) ? forms::Answer::Cancel : forms::Answer::Ok;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::applyMousePointer(int pointer)
{
    // The classic pointer is a property, Qt's override cursor a stack: push once, pop once.
    const bool wait = pointer == forms::pointer::Hourglass;
    if (wait == hourglass_)
        return;
    hourglass_ = wait;
    if (wait)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtPlatform::scheduleChanged()
{
    const auto due = nextTimerDue();
    if (!due) {
        wake_.stop();
        return;
    }
    const std::int64_t left = std::max<std::int64_t>(0, *due - nowMs());
    wake_.start(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
}

FormWindow& QtPlatform::window(forms::Form& form)
{
    auto& slot = windows_[&form];
    if (!slot)
        slot = std::make_unique<FormWindow>(form);
    return *slot;
}

FormWindow* QtPlatform::findWindow(const forms::Form& form) const
{
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

void QtPlatform::formShown(forms::Form& form)
{
    FormWindow& w = window(form);
    w.syncGeometry();
    // Takes effect only on a hidden window, which is how a modal show finds it.
    w.setWindowModality(isModal(form) ? Qt::ApplicationModal : Qt::NonModal);
    w.show();
    w.activateWindow();
}

void QtPlatform::formDestroying(forms::Form& form)
{
    windows_.erase(&form);
}

void QtPlatform::formHidden(forms::Form& form)
{
    if (FormWindow* w = findWindow(form))
        w->hide();
    if (auto it = modalLoops_.find(&form); it != modalLoops_.end())
        it->second->quit();
}

void QtPlatform::modalLoop(forms::Form& form)
{
    // QCoreApplication::exit at the program's end leaves this loop too.
    QEventLoop loop;
    modalLoops_[&form] = &loop;
    loop.exec();
    modalLoops_.erase(&form);
}

void QtPlatform::programEnded()
{
    // The forms are discarded already (no Unload handlers); hide whatever is left and end the loop.
    wake_.stop();
    for (auto& [form, w] : windows_)
        w->hide();
    if (hourglass_) {
        hourglass_ = false;
        QGuiApplication::restoreOverrideCursor();
    }
    QCoreApplication::exit(0);
}

}  // namespace platform::qtview
