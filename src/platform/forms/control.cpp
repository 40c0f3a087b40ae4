#include "platform/forms/control.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/timer.h"

namespace platform::forms {

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container)
{
    // Boxes you type into are drawn in window colours, everything else in button colours.
    if (kind_ == Kind::TextBox || kind_ == Kind::ComboBox) {
        backColor_ = colors::WindowBackground;
        foreColor_ = colors::WindowText;
    }
    // The form's own Control part is built before the form is: touch nothing of it here.
    if (kind_ == Kind::Form)
        return;
    Control& parent = container_ ? *container_ : static_cast<Control&>(form_);
    parent.children_.push_back(this);
}

Control::~Control()
{
    if (kind_ == Kind::Form)
        return;
    Control& parent = container_ ? *container_ : static_cast<Control&>(form_);
    std::erase(parent.children_, this);
}

Platform& Control::platform() const
{
    return form_.platform();
}

void Control::move(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Prop::Geometry);
}

void Control::setVisible(bool v)
{
    if (kind_ == Kind::Form) {
        auto& self = static_cast<Form&>(*this);
        v ? self.show() : self.hide();
        return;
    }
    if (v == visible_)
        return;
    visible_ = v;
    changed(Prop::Visible);
    if (!v)
        form_.checkFocus();
}

void Control::setEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    changed(Prop::Enabled);
    if (kind_ == Kind::Timer)
        platform().timerChanged(static_cast<Timer&>(*this));
    else if (!v && kind_ != Kind::Form)
        form_.checkFocus();
}

bool Control::effectivelyVisible() const
{
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_)
            return false;
        if (c->container_ && c->container_->kind_ == Kind::TabControl
            && !static_cast<const TabControl*>(c->container_)->pageShown(*c))
            return false;
    }
    return kind_ == Kind::Form || form_.visible_;
}

bool Control::effectivelyEnabled() const
{
    for (const Control* c = this; c; c = c->container_)
        if (!c->enabled_)
            return false;
    return kind_ == Kind::Form || form_.enabled_;
}

void Control::setCaption(std::string v)
{
    if (v == caption_)
        return;
    caption_ = std::move(v);
    changed(Prop::Caption);
}

void Control::setBackColor(Color v)
{
    if (v == backColor_)
        return;
    backColor_ = v;
    changed(Prop::BackColor);
}

void Control::setForeColor(Color v)
{
    if (v == foreColor_)
        return;
    foreColor_ = v;
    changed(Prop::ForeColor);
}

void Control::setFont(Font v)
{
    if (v == font_)
        return;
    font_ = std::move(v);
    changed(Prop::Font);
}

bool Control::canTakeFocus() const
{
    return kind_ != Kind::Form && focusable() && effectivelyVisible() && effectivelyEnabled();
}

bool Control::setFocus()
{
    return form_.moveFocus(*this);
}

bool Control::hasFocus() const
{
    return form_.activeControl() == this;
}

void Control::userClick()
{
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    // The click happens even when a LostFocus handler pulls the focus back, as the classic
    // runtime does; only a control that a focus handler hid or disabled loses it.
    if (canTakeFocus())
        form_.moveFocus(*this);
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    clickAction();
}

void Control::clickAction()
{
    raiseClick();
}

void Control::raiseClick()
{
    if (onClick)
        onClick();
}

void Control::changed(Prop what)
{
    form_.notify(*this, what);
}

}  // namespace platform::forms
