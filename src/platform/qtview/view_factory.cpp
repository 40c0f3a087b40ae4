#include "platform/qtview/view_factory.h"

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/combo_box_view.h"
#include "platform/qtview/command_button_view.h"
#include "platform/qtview/frame_view.h"
#include "platform/qtview/graphical_check_box.h"
#include "platform/qtview/image_view.h"
#include "platform/qtview/label_view.h"
#include "platform/qtview/picture_box_view.h"
#include "platform/qtview/shape_view.h"
#include "platform/qtview/tab_control_view.h"
#include "platform/qtview/text_box_view.h"
#include "platform/qtview/toggle_button_view.h"

namespace platform::qtview {

using forms::Kind;

ControlView* createView(forms::Control& c, FormWindow& w, QWidget* parent)
{
    switch (c.kind()) {
    case Kind::CheckBox: {
        auto& box = static_cast<forms::CheckBox&>(c);
        if (box.style() == forms::CheckStyle::Graphical)
            return new GraphicalCheckBox(box, w, parent);
        return new CheckBoxView(box, w, parent);
    }
    case Kind::OptionButton: return new OptionButtonView(static_cast<forms::OptionButton&>(c), w, parent);
    case Kind::CommandButton: return new CommandButtonView(static_cast<forms::CommandButton&>(c), w, parent);
    case Kind::TextBox: return new TextBoxView(static_cast<forms::TextBox&>(c), w, parent);
    case Kind::Label: return new LabelView(static_cast<forms::Label&>(c), w, parent);
    case Kind::ComboBox: return new ComboBoxView(static_cast<forms::ComboBox&>(c), w, parent);
    case Kind::Frame: return new FrameView(static_cast<forms::Frame&>(c), w, parent);
    case Kind::PictureBox: return new PictureBoxView(static_cast<forms::PictureBox&>(c), w, parent);
    case Kind::Image: return new ImageView(static_cast<forms::Image&>(c), w, parent);
    case Kind::Shape: return new ShapeView(static_cast<forms::Shape&>(c), w, parent);
    case Kind::TabControl: return new TabControlView(static_cast<forms::TabControl&>(c), w, parent);
    case Kind::Form:
    case Kind::Timer:
    case Kind::MenuItem:
        break;
    }
    return nullptr;
}

}  // namespace platform::qtview
