#pragma once
// A frame: a captioned group around its child controls.
#include <QGroupBox>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class FrameView : public QGroupBox, public ControlView {
public:
    FrameView(forms::Frame& frame, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    void syncOwn(forms::Prop what) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    forms::Frame& frame_;
};

}  // namespace platform::qtview
