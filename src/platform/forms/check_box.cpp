#include "platform/forms/check_box.h"

#include "platform/forms/form.h"

namespace platform::forms {

CheckBox::CheckBox(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::CheckBox, std::move(name), index, container)
{
}

void CheckBox::setValue(int v)
{
    // Only 0, 1 and 2 exist; anything else leaves the box as it is.
    if (v < 0 || v > 2 || v == value_)
        return;
    value_ = v;
    changed(Prop::Value);
    raiseClick();
}

void CheckBox::setStyle(CheckStyle s)
{
    if (s == style_)
        return;
    style_ = s;
    changed(Prop::Style);
}

void CheckBox::clickAction()
{
    setValue(value_ == 0 ? 1 : 0);
}

OptionButton::OptionButton(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::OptionButton, std::move(name), index, container)
{
}

void OptionButton::setValue(bool v)
{
    if (v == value_)
        return;
    if (v) {
        for (const auto& c : form().controls()) {
            if (c.get() == this || c->kind() != Kind::OptionButton || c->container() != container())
                continue;
            auto& other = static_cast<OptionButton&>(*c);
            if (other.value_) {
                other.value_ = false;
                other.changed(Prop::Value);
            }
        }
    }
    value_ = v;
    changed(Prop::Value);
    if (v)
        raiseClick();
}

void OptionButton::clickAction()
{
    setValue(true);
}

}  // namespace platform::forms
