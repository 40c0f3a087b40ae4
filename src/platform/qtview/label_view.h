#pragma once
// A label: its caption as is ("&" is no access key), aligned, wrapped at words, with an optional
// sunken border and an opaque or transparent back. A centred caption is centred both ways, without
// its padding blanks (the program centres only cells and value boxes).
#include <QLabel>

#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class LabelView : public ReleaseClickView<QLabel, forms::Label> {
public:
    LabelView(forms::Label& label, FormWindow& window, QWidget* parent);

protected:
    bool fillsBackground() const override;
    void syncOwn(forms::Prop what) override;
};

}  // namespace platform::qtview
