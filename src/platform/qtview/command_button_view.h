#pragma once
#include <QPushButton>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class CommandButtonView : public QPushButton, public ControlView {
public:
    CommandButtonView(forms::CommandButton& button, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    QPalette::ColorRole backRole() const override { return QPalette::Button; }
    QPalette::ColorRole foreRole() const override { return QPalette::ButtonText; }
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;

private:
    forms::CommandButton& button_;
};

}  // namespace platform::qtview
