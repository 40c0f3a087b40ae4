#pragma once
// A test's user: acts on a form's controls by name, through the same entry points the Qt view
// uses, so that handlers run exactly as they would for a person at the keyboard.
#include <string>

namespace platform::forms {

class Control;
class Form;

class ScriptedUser {
public:
    explicit ScriptedUser(Form& form) : form_(&form) {}

    Form& form() const { return *form_; }
    // Turns to another window (a dialog the program opened).
    void use(Form& form) { form_ = &form; }

    // Each action throws std::logic_error naming the control when it is not on the form (or is
    // of the wrong kind); a control that is there but disabled or hidden ignores the action, and
    // so does every window but the modal one while a modal form is open.
    void click(const std::string& name, int index = -1);
    // Every character of `text` (UTF-8) goes through the box's KeyPress as one key.
    void type(const std::string& name, const std::string& text, int index = -1);
    void key(const std::string& name, int keyAscii, int index = -1);
    void focus(const std::string& name, int index = -1);
    void choose(const std::string& comboName, int item, int index = -1);
    void pick(const std::string& menuName, int index = -1);
    void selectTab(const std::string& tabName, int tab, int index = -1);
    // Tab / Shift+Tab and the close box, on the current window or another one.
    void tab(bool backwards = false);
    void tab(Form& form, bool backwards = false);
    void close();
    void close(Form& form);

private:
    Control& control(const std::string& name, int index) const;
    bool blocked(const Form& form) const;
    Form* form_;
};

}  // namespace platform::forms
