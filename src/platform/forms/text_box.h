#pragma once
#include "platform/forms/control.h"

namespace platform::forms {

// A single-line text box. Typed keys go through KeyPress first (the handler may change the code;
// 0 drops the key), then edit the text at the caret: 8 deletes the selection or the character
// before the caret, 13 inserts nothing, other codes replace the selection, refused when the text
// would grow beyond MaxLength (0 = no limit). Setting Text from code is not limited by MaxLength.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, int index, Control* container);

    const std::string& text() const { return text_; }
    void setText(std::string v);  // raises Change when the text differs; caret goes to the end
    int maxLength() const { return maxLength_; }
    void setMaxLength(int v) { maxLength_ = v; }
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelStart(int v);   // clamped to the text; clears the selection
    void setSelLength(int v);  // clamped to the text after SelStart
    std::string selText() const;
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { alignment_ = a; changed(Prop::Style); }
    bool locked() const { return locked_; }
    void setLocked(bool v) { locked_ = v; changed(Prop::Style); }
    bool focusable() const override { return true; }

    // One typed character code from either backend, as described above. Disabled or hidden
    // boxes ignore it; the box takes the focus first when it does not have it.
    void userKey(int keyAscii);
    // Text pasted or otherwise put in by the user without KeyPress filtering (context menu).
    void userReplaceText(std::string v);

    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void()> onChange;

private:
    std::string text_;
    int maxLength_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    Alignment alignment_ = Alignment::Left;
    bool locked_ = false;
};

}  // namespace platform::forms
