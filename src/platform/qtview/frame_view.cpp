#include "platform/qtview/frame_view.h"

#include <QPainter>
#include <qdrawutil.h>

#include "platform/qtview/convert.h"

namespace platform::qtview {

FrameView::FrameView(forms::Frame& frame, FormWindow& window, QWidget* parent)
    : ReleaseClickView(frame, window, parent)
{
}

void FrameView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption || what == forms::Prop::Font || what == forms::Prop::ForeColor)
        update();
}

void FrameView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const QString caption = toQString(model_.caption());
    const QFontMetrics metrics(font());
    const int lineY = caption.isEmpty() ? 0 : metrics.height() / 2;
    qDrawShadeRect(&p, QRect(0, lineY, width(), height() - lineY), palette(), true, 1, 0);
    if (caption.isEmpty())
        return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
    QRect text = metrics.boundingRect(QRect(8, 0, width() - 16, metrics.height()), flags, caption);
    text.adjust(-2, 0, 2, 0);
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(text, flags | Qt::AlignHCenter, caption);
}


}  // namespace platform::qtview
