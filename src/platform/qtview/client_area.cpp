#include "platform/qtview/client_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

ClientArea::ClientArea(forms::Form& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setAutoFillBackground(true);
}

void ClientArea::syncPicture()
{
    picture_ = form_.picture().empty() ? QPixmap() : QPixmap(toQString(form_.picture()));
    update();
}

void ClientArea::paintEvent(QPaintEvent* /*event*/)
{
    // A picture is drawn at its own size from the top-left corner, never scaled.
    if (!picture_.isNull()) {
        QPainter p(this);
        p.drawPixmap(0, 0, picture_);
    }
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        deliver([&] { form_.userClick(); });
}

}  // namespace platform::qtview
