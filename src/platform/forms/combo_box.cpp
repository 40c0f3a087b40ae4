#include "platform/forms/combo_box.h"

namespace platform::forms {

ComboBox::ComboBox(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::ComboBox, std::move(name), index, container)
{
}

void ComboBox::setText(std::string v)
{
    if (listIndex_ != -1) {
        listIndex_ = -1;
        changed(Prop::ListIndex);
    }
    if (v != text_) {
        text_ = std::move(v);
        changed(Prop::Text);
    }
}

void ComboBox::setListIndex(int i)
{
    if (i < -1 || i >= listCount() || i == listIndex_)
        return;
    listIndex_ = i;
    changed(Prop::ListIndex);
    std::string text = i < 0 ? std::string() : items_[static_cast<std::size_t>(i)];
    if (text != text_) {
        text_ = std::move(text);
        changed(Prop::Text);
    }
    if (i >= 0)
        raiseClick();
}

const std::string& ComboBox::list(int i) const
{
    static const std::string none;
    return i >= 0 && i < listCount() ? items_[static_cast<std::size_t>(i)] : none;
}

void ComboBox::addItem(std::string item)
{
    items_.push_back(std::move(item));
    changed(Prop::List);
}

void ComboBox::clear()
{
    items_.clear();
    changed(Prop::List);
    if (listIndex_ != -1) {
        listIndex_ = -1;
        changed(Prop::ListIndex);
    }
    if (!text_.empty()) {
        text_.clear();
        changed(Prop::Text);
    }
}

void ComboBox::userChoose(int i)
{
    if (i < 0 || i >= listCount() || !effectivelyVisible() || !effectivelyEnabled())
        return;
    if (!hasFocus())
        setFocus();
    if (!effectivelyVisible() || !effectivelyEnabled() || i >= listCount())
        return;
    if (i != listIndex_) {
        listIndex_ = i;
        changed(Prop::ListIndex);
    }
    if (text_ != items_[static_cast<std::size_t>(i)]) {
        text_ = items_[static_cast<std::size_t>(i)];
        changed(Prop::Text);
    }
    raiseClick();
}

void ComboBox::userSetText(std::string v)
{
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    if (!hasFocus())
        setFocus();
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    setText(std::move(v));
}

void ComboBox::clickAction()
{
}

}  // namespace platform::forms
