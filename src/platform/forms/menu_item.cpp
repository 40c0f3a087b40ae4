#include "platform/forms/menu_item.h"

namespace platform::forms {

MenuItem::MenuItem(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::MenuItem, std::move(name), index, container)
{
}

void MenuItem::setChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    changed(Prop::Checked);
}

void MenuItem::userPick()
{
    if (effectivelyVisible() && effectivelyEnabled())
        raiseClick();
}

}  // namespace platform::forms
