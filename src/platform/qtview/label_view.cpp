#include "platform/qtview/label_view.h"

#include <QMouseEvent>

#include "platform/qtview/convert.h"

namespace platform::qtview {

LabelView::LabelView(forms::Label& label, FormWindow& window, QWidget* parent)
    : QLabel(parent), ControlView(label, window), label_(label)
{
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
}

bool LabelView::fillsBackground() const
{
    return label_.backStyle() == forms::BackStyle::Opaque;
}

void LabelView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption) {
        setText(toQString(label_.caption()));
    } else if (what == forms::Prop::Style) {
        Qt::Alignment h = Qt::AlignLeft;
        if (label_.alignment() == forms::Alignment::Right)
            h = Qt::AlignRight;
        else if (label_.alignment() == forms::Alignment::Center)
            h = Qt::AlignHCenter;
        setAlignment(h | Qt::AlignTop);
        // A label of fixed size wraps at words; WordWrap only matters to one that sizes itself.
        setWordWrap(label_.wordWrap() || !label_.autoSize());
        setFrameStyle(label_.borderStyle() == forms::BorderStyle::FixedSingle ? QFrame::Panel | QFrame::Sunken
                                                                              : QFrame::NoFrame);
        setLineWidth(1);
        setAutoFillBackground(fillsBackground());
    }
}

void LabelView::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        reportClick();
}

}  // namespace platform::qtview
