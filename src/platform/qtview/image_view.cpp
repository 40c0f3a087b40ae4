#include "platform/qtview/image_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qtview/convert.h"

namespace platform::qtview {

ImageView::ImageView(forms::Image& image, FormWindow& window, QWidget* parent)
    : QWidget(parent), ControlView(image, window), image_(image)
{
}

void ImageView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Picture)
        picture_ = image_.picture().empty() ? QPixmap() : QPixmap(toQString(image_.picture()));
    if (what == forms::Prop::Picture || what == forms::Prop::Style)
        update();
}

void ImageView::paintEvent(QPaintEvent* /*event*/)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (image_.stretch())
        p.drawPixmap(rect(), picture_);
    else
        p.drawPixmap(0, 0, picture_);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        reportClick();
}

}  // namespace platform::qtview
