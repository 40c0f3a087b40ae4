#pragma once
// An image: a picture file drawn from the top-left corner, or stretched to the control.
#include <QPixmap>
#include <QWidget>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class ImageView : public ReleaseClickView<QWidget, forms::Image> {
public:
    ImageView(forms::Image& image, FormWindow& window, QWidget* parent);

protected:
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace platform::qtview
