#pragma once
// A picture box: a container that shows a picture file at its own size from the top-left corner
// and takes the focus.
#include <QFrame>
#include <QPixmap>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class PictureBoxView : public ReleaseClickView<QFrame, forms::PictureBox> {
public:
    PictureBoxView(forms::PictureBox& box, FormWindow& window, QWidget* parent);

protected:
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace platform::qtview
