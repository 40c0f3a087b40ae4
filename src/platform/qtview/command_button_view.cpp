#include "platform/qtview/command_button_view.h"

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

}  // namespace platform::qtview
