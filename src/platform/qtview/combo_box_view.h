#pragma once
// A drop-down combo box with editable text. The model keeps the list index and the text: a pick
// from the list is the model's Click, typing only sets its text (no item selected).
#include <QComboBox>

#include "platform/forms/combo_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class ComboBoxView : public QComboBox, public ControlView {
public:
    ComboBoxView(forms::ComboBox& box, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    QPalette::ColorRole backRole() const override { return QPalette::Base; }
    QPalette::ColorRole foreRole() const override { return QPalette::Text; }
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop what) override;

private:
    void showModelList();
    void showModelChoice();
    forms::ComboBox& box_;
    bool typing_ = false;  // the model hears typed text: the widget holds it already
};

}  // namespace platform::qtview
