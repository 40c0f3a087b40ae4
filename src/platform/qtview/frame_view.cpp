#include "platform/qtview/frame_view.h"

#include <QMouseEvent>

#include "platform/qtview/convert.h"

namespace platform::qtview {

FrameView::FrameView(forms::Frame& frame, FormWindow& window, QWidget* parent)
    : QGroupBox(parent), ControlView(frame, window), frame_(frame)
{
    setFocusPolicy(Qt::NoFocus);
}

void FrameView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        setTitle(toQString(frame_.caption()));
}

void FrameView::mouseReleaseEvent(QMouseEvent* event)
{
    QGroupBox::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        reportClick();
}

}  // namespace platform::qtview
