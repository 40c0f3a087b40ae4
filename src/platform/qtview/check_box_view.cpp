#include "platform/qtview/check_box_view.h"

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

CheckBoxView::CheckBoxView(forms::CheckBox& box, FormWindow& window, QWidget* parent)
    : QCheckBox(parent), ControlView(box, window), box_(box)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QCheckBox::clicked, this, [this] { deliver([this] { box_.userClick(); }); });
}

void CheckBoxView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        setText(toQString(box_.caption()));
    else if (what == forms::Prop::Value)
        setCheckState(box_.value() == 1 ? Qt::Checked : box_.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

}  // namespace platform::qtview
