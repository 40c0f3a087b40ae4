#include "platform/qtview/graphical_check_box.h"

#include <QApplication>
#include <QPainter>
#include <qdrawutil.h>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

GraphicalCheckBox::GraphicalCheckBox(forms::CheckBox& box, FormWindow& window, QWidget* parent)
    : QPushButton(parent), ControlView(box, window), box_(box)
{
    setFocusPolicy(Qt::StrongFocus);
    // The value is the model's: the button itself is not checkable, it only reports clicks.
    connect(this, &QPushButton::clicked, this, [this] { deliver([this] { box_.userClick(); }); });
}

bool GraphicalCheckBox::sunken() const
{
    return box_.value() == 1 || isDown();
}

void GraphicalCheckBox::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        setText(toQString(box_.caption()));  // keeps the access key working
    update();
}

void GraphicalCheckBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const QPalette system = QApplication::palette();
    const QBrush fill(toQColor(box_.backColor(), system));
    const bool down = sunken();
    qDrawWinButton(&p, rect(), palette(), down, &fill);

    QRect textRect = rect().adjusted(3, 3, -3, -3);
    if (down)
        textRect.translate(1, 1);
    const QColor fore = isEnabled() ? toQColor(box_.foreColor(), system)
                                    : palette().color(QPalette::Disabled, QPalette::ButtonText);
    p.setPen(fore);
    p.setFont(font());
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, text());
    if (hasFocus()) {
        p.setPen(QPen(fore, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(textRect.adjusted(0, 0, -1, -1));
    }
}

}  // namespace platform::qtview
