#include "platform/qtview/picture_box_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qtview/convert.h"

namespace platform::qtview {

PictureBoxView::PictureBoxView(forms::PictureBox& box, FormWindow& window, QWidget* parent)
    : QFrame(parent), ControlView(box, window), box_(box)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBoxView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Picture) {
        picture_ = box_.picture().empty() ? QPixmap() : QPixmap(toQString(box_.picture()));
        update();
    } else if (what == forms::Prop::Style) {
        const bool border = box_.borderStyle() == forms::BorderStyle::FixedSingle;
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

void PictureBoxView::mouseReleaseEvent(QMouseEvent* event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        reportClick();
}

}  // namespace platform::qtview
