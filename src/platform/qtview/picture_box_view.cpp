#include "platform/qtview/picture_box_view.h"

#include <QPainter>

#include "platform/qtview/convert.h"

namespace platform::qtview {

PictureBoxView::PictureBoxView(forms::PictureBox& box, FormWindow& window, QWidget* parent)
    : ReleaseClickView(box, window, parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBoxView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Picture) {
        picture_ = model_.picture().empty() ? QPixmap() : QPixmap(toQString(model_.picture()));
        update();
    } else if (what == forms::Prop::Style) {
        const bool border = model_.borderStyle() == forms::BorderStyle::FixedSingle;
        setFrameStyle(border ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        setLineWidth(border ? 2 : 0);
    }
}

void PictureBoxView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!picture_.isNull()) {
        QPainter p(this);
        const QRect inside = contentsRect();
        p.setClipRect(inside);
        p.drawPixmap(inside.topLeft(), picture_);
    }
}


}  // namespace platform::qtview
