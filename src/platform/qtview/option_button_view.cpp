#include "platform/qtview/option_button_view.h"

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

OptionButtonView::OptionButtonView(forms::OptionButton& button, FormWindow& window, QWidget* parent)
    : QRadioButton(parent), ControlView(button, window), button_(button)
{
    setAutoExclusive(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QRadioButton::clicked, this, [this] { deliver([this] { button_.userClick(); }); });
}

void OptionButtonView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        setText(toQString(button_.caption()));
    else if (what == forms::Prop::Value)
        setChecked(button_.value());
}

}  // namespace platform::qtview
