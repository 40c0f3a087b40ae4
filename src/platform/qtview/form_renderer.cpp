#include "platform/qtview/form_renderer.h"

#include <QApplication>
#include <QLayout>
#include <QPixmap>
#include <memory>

#include "platform/qtview/convert.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"

namespace platform::qtview {

namespace {

QPixmap grabWindow(FormWindow& window)
{
    window.syncGeometry();
    window.ensurePolished();
    if (window.layout())
        window.layout()->activate();
    return window.grab();
}

}  // namespace

bool renderToPng(forms::Form& form, const std::filesystem::path& file)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QPixmap picture;
    if (auto* qt = dynamic_cast<QtPlatform*>(&form.platform())) {
        picture = grabWindow(qt->window(form));
    } else {
        // A window of our own for the picture; the form gets its old observer back after.
        forms::FormObserver* previous = form.observer();
        {
            FormWindow window(form);
            picture = grabWindow(window);
        }
        form.setObserver(previous);
    }
    return !picture.isNull() && picture.save(toQString(file.string()), "PNG");
}

}  // namespace platform::qtview
