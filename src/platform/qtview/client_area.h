#pragma once
// The inside of a form's window: its back colour and picture, and the form's own clicks.
#include <QPixmap>
#include <QWidget>

#include "platform/forms/form.h"

namespace platform::qtview {

class ClientArea : public QWidget {
public:
    ClientArea(forms::Form& form, QWidget* parent);
    void syncPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    forms::Form& form_;
    QPixmap picture_;
};

}  // namespace platform::qtview
