#pragma once
// A frame: an etched rectangle with the caption set into its top line, as the classic frame is
// drawn, so that controls placed near its top stay clear of the line.
#include <QWidget>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class FrameView : public ReleaseClickView<QWidget, forms::Frame> {
public:
    FrameView(forms::Frame& frame, FormWindow& window, QWidget* parent);

protected:
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace platform::qtview
