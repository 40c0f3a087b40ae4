#pragma once
// Standard check boxes and option buttons. The model keeps the value: a click only reports to it
// (Qt neither toggles the button nor groups it), and the whole rectangle takes clicks, as the
// classic controls do. Focus shows as a rectangle around the caption however it came, as the
// classic controls show it (Fusion draws it only after a focus move by key).
#include <QCheckBox>
#include <QRadioButton>

#include "platform/forms/check_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

template <class Button, class Model>
class ToggleButtonView : public Button, public ControlView {
public:
    ToggleButtonView(Model& model, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    void syncOwn(forms::Prop what) override;
    void initStyleOption(QStyleOptionButton* option) const override;
    void nextCheckState() override {}
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }

private:
    Model& model_;
};

using CheckBoxView = ToggleButtonView<QCheckBox, forms::CheckBox>;
using OptionButtonView = ToggleButtonView<QRadioButton, forms::OptionButton>;
extern template class ToggleButtonView<QCheckBox, forms::CheckBox>;
extern template class ToggleButtonView<QRadioButton, forms::OptionButton>;

}  // namespace platform::qtview
