#include "platform/qtview/image_view.h"

#include <QPainter>

#include "platform/qtview/convert.h"

namespace platform::qtview {

ImageView::ImageView(forms::Image& image, FormWindow& window, QWidget* parent)
    : ReleaseClickView(image, window, parent)
{
}

void ImageView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Picture)
        picture_ = model_.picture().empty() ? QPixmap() : QPixmap(toQString(model_.picture()));
    if (what == forms::Prop::Picture || what == forms::Prop::Style)
        update();
}

void ImageView::paintEvent(QPaintEvent* /*event*/)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (model_.stretch())
        p.drawPixmap(rect(), picture_);
    else
        p.drawPixmap(0, 0, picture_);
}


}  // namespace platform::qtview
