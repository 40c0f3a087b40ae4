#pragma once
// A shape: an outline in the border colour, filled when the model says so. It takes no input.
#include <QWidget>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class ShapeView : public QWidget, public ControlView {
public:
    ShapeView(forms::Shape& shape, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop /*what*/) override { update(); }
    void paintEvent(QPaintEvent* event) override;

private:
    forms::Shape& shape_;
};

}  // namespace platform::qtview
