#pragma once
#include "platform/forms/control.h"

namespace platform::forms {

// A menu or menu item; items of a menu have it as their container. The caption may carry an
// access key marker "&".
class MenuItem : public Control {
public:
    MenuItem(Form& form, std::string name, int index, Control* container);
    bool checked() const { return checked_; }
    void setChecked(bool v);
    // The user picks the item: raises Click when the item and its menus are enabled and visible.
    void userPick();

private:
    bool checked_ = false;
};

}  // namespace platform::forms
