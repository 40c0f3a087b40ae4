#pragma once
// A check box in the graphical style: a button that stays pressed while the value is 1, painted
// by hand so that its back colour is exact (Fusion shifts palette colours).
#include <QPushButton>

#include "platform/forms/check_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class GraphicalCheckBox : public QPushButton, public ControlView {
public:
    GraphicalCheckBox(forms::CheckBox& box, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }
    bool sunken() const;

protected:
    QPalette::ColorRole backRole() const override { return QPalette::Button; }
    QPalette::ColorRole foreRole() const override { return QPalette::ButtonText; }
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;

private:
    forms::CheckBox& box_;
};

}  // namespace platform::qtview
