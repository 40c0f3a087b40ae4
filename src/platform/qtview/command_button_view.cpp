#include "platform/qtview/command_button_view.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

CommandButtonView::CommandButtonView(forms::CommandButton& button, FormWindow& window, QWidget* parent)
    : QPushButton(parent), ControlView(button, window), button_(button)
{
    setFocusPolicy(Qt::StrongFocus);
    // Enter presses the focused button, as it does in the classic toolkit.
    setAutoDefault(true);
    connect(this, &QPushButton::clicked, this, [this] { deliver([this] { button_.userClick(); }); });
}

void CommandButtonView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        setText(toQString(button_.caption()));
}

// The classic button wraps a caption that its width cannot hold; QPushButton never does. So the
// style draws the button without its text, and the caption goes on top, wrapped where it must be.
void CommandButtonView::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown())
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    p.drawItemText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, palette(), isEnabled(),
                   caption, QPalette::ButtonText);
}

}  // namespace platform::qtview
