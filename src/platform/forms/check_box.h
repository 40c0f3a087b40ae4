#pragma once
#include "platform/forms/control.h"

namespace platform::forms {

enum class CheckStyle { Standard, Graphical };

// A check box. Value 0 (clear), 1 (ticked) or 2 (greyed). Setting a different value from code
// raises Click at once, exactly as a user's click does; setting the value it has raises nothing.
// A user click flips between 0 and 1. The graphical style is a button that looks pressed while
// the value is 1 and shows its caption on its back colour.
class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, int index, Control* container);
    int value() const { return value_; }
    void setValue(int v);
    CheckStyle style() const { return style_; }
    void setStyle(CheckStyle s);
    bool focusable() const override { return true; }

protected:
    void clickAction() override;

private:
    int value_ = 0;
    CheckStyle style_ = CheckStyle::Standard;
};

// An option button; the buttons of one container form a group. Setting one True clears the
// others of its group (they raise nothing) and raises its own Click when it was False.
class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, int index, Control* container);
    bool value() const { return value_; }
    void setValue(bool v);
    bool focusable() const override { return true; }

protected:
    void clickAction() override;

private:
    bool value_ = false;
};

}  // namespace platform::forms
