#include "platform/qtview/label_view.h"

#include "platform/qtview/convert.h"

namespace platform::qtview {

LabelView::LabelView(forms::Label& label, FormWindow& window, QWidget* parent)
    : ReleaseClickView(label, window, parent)
{
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
}

bool LabelView::fillsBackground() const
{
    return model_.backStyle() == forms::BackStyle::Opaque;
}

void LabelView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption) {
        setText(toQString(model_.caption()));
    } else if (what == forms::Prop::Style) {
        Qt::Alignment h = Qt::AlignLeft;
        if (model_.alignment() == forms::Alignment::Right)
            h = Qt::AlignRight;
        else if (model_.alignment() == forms::Alignment::Center)
            h = Qt::AlignHCenter;
        setAlignment(h | Qt::AlignTop);
        // A label of fixed size wraps at words; WordWrap only matters to one that sizes itself.
        setWordWrap(model_.wordWrap() || !model_.autoSize());
        setFrameStyle(model_.borderStyle() == forms::BorderStyle::FixedSingle ? QFrame::Panel | QFrame::Sunken
                                                                              : QFrame::NoFrame);
        setLineWidth(1);
        setAutoFillBackground(fillsBackground());
    }
}


}  // namespace platform::qtview
