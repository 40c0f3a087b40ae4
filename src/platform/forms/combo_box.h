#pragma once
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

// A drop-down combo box with editable text. ListIndex -1 means no item is selected. Click is
// raised when an item of the list gets selected (by the user, or by setting ListIndex from code to
// a different item); typing and setting Text raise nothing. Setting Text selects no item: ListIndex
// becomes -1 whatever the text.
class ComboBox : public Control {
public:
    ComboBox(Form& form, std::string name, int index, Control* container);

    const std::string& text() const { return text_; }
    void setText(std::string v);
    int listIndex() const { return listIndex_; }
    void setListIndex(int i);  // -1 clears the selection (no Click); out of range is ignored
    int listCount() const { return static_cast<int>(items_.size()); }
    const std::string& list(int i) const;  // empty string when out of range
    void addItem(std::string item);
    void clear();
    bool focusable() const override { return true; }

    // The user picks item i from the list (raises Click even when it was already selected).
    void userChoose(int i);
    // The user types into the edit part: text changes, no item is selected, no Click.
    void userSetText(std::string v);

protected:
    // Clicking the box itself only focuses it; Click belongs to choosing an item.
    void clickAction() override;

private:
    std::string text_;
    int listIndex_ = -1;
    std::vector<std::string> items_;
};

}  // namespace platform::forms
