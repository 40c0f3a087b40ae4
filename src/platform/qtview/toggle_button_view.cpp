#include "platform/qtview/toggle_button_view.h"

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

namespace {

void showValue(QCheckBox& w, const forms::CheckBox& box)
{
    w.setCheckState(box.value() == 1 ? Qt::Checked : box.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void showValue(QRadioButton& w, const forms::OptionButton& button)
{
    w.setChecked(button.value());
}

}  // namespace

template <class Button, class Model>
ToggleButtonView<Button, Model>::ToggleButtonView(Model& model, FormWindow& window, QWidget* parent)
    : Button(parent), ControlView(model, window), model_(model)
{
    this->setAutoExclusive(false);  // the model clears the others of a group
    this->setFocusPolicy(Qt::StrongFocus);
    // Buttons fill with the Button role; these fill with the back colour put in Window.
    this->setBackgroundRole(QPalette::Window);
    QObject::connect(this, &QAbstractButton::clicked, this, [this] { deliver([this] { model_.userClick(); }); });
}

template <class Button, class Model>
void ToggleButtonView<Button, Model>::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        this->setText(toQString(model_.caption()));
    else if (what == forms::Prop::Value)
        showValue(*this, model_);
}

template class ToggleButtonView<QCheckBox, forms::CheckBox>;
template class ToggleButtonView<QRadioButton, forms::OptionButton>;

}  // namespace platform::qtview
