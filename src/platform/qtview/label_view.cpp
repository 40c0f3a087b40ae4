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
    const bool centred = model_.alignment() == forms::Alignment::Center;
    if (what == forms::Prop::Caption || what == forms::Prop::Style) {
        // A centred caption is centred on its words: padding blanks, which the classic face's
        // word break swallowed, would push it aside.
        const QString caption = toQString(model_.caption());
        setText(centred ? caption.trimmed() : caption);
    }
    if (what == forms::Prop::Style) {
        Qt::Alignment h = Qt::AlignLeft | Qt::AlignTop;
        if (model_.alignment() == forms::Alignment::Right)
            h = Qt::AlignRight | Qt::AlignTop;
        else if (centred)
            h = Qt::AlignCenter;
        setAlignment(h);
        // A label of fixed size wraps at words; WordWrap only matters to one that sizes itself.
        setWordWrap(model_.wordWrap() || !model_.autoSize());
        setFrameStyle(model_.borderStyle() == forms::BorderStyle::FixedSingle ? QFrame::Panel | QFrame::Sunken
                                                                              : QFrame::NoFrame);
        setLineWidth(1);
        setAutoFillBackground(fillsBackground());
    }
}


}  // namespace platform::qtview
