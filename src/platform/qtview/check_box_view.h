#pragma once
// A standard check box. The model keeps the value: a click only reports to it, and the whole
// rectangle takes clicks, as the classic control does.
#include <QCheckBox>

#include "platform/forms/check_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class CheckBoxView : public QCheckBox, public ControlView {
public:
    CheckBoxView(forms::CheckBox& box, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    void syncOwn(forms::Prop what) override;
    void nextCheckState() override {}
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    forms::CheckBox& box_;
};

}  // namespace platform::qtview
