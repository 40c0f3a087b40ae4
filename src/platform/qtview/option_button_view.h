#pragma once
// An option button. The model clears the others of its group; Qt's own exclusivity is off.
#include <QRadioButton>

#include "platform/forms/check_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class OptionButtonView : public QRadioButton, public ControlView {
public:
    OptionButtonView(forms::OptionButton& button, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    void syncOwn(forms::Prop what) override;
    void nextCheckState() override {}
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    forms::OptionButton& button_;
};

}  // namespace platform::qtview
