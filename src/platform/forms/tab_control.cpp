#include "platform/forms/tab_control.h"

#include <stdexcept>

#include "platform/forms/form.h"

namespace platform::forms {

TabControl::TabControl(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::TabControl, std::move(name), index, container)
{
}

void TabControl::addTab(std::string caption, Control* panel)
{
    if (panel && panel->container() != this)
        throw std::logic_error("page panel " + panel->name() + " is not inside " + name());
    tabs_.push_back({std::move(caption), panel});
    changed(Prop::List);
}

const std::string& TabControl::tabCaption(int i) const
{
    static const std::string none;
    return i >= 0 && i < tabCount() ? tabs_[static_cast<std::size_t>(i)].caption : none;
}

Control* TabControl::tabPanel(int i) const
{
    return i >= 0 && i < tabCount() ? tabs_[static_cast<std::size_t>(i)].panel : nullptr;
}

void TabControl::setTab(int i)
{
    if (i < 0 || i >= tabCount() || i == tab_)
        return;
    const int previous = tab_;
    tab_ = i;
    changed(Prop::CurrentTab);
    form().checkFocus();
    if (onTabClick)
        onTabClick(previous);
}

void TabControl::userSelectTab(int i)
{
    if (i < 0 || i >= tabCount() || !effectivelyVisible() || !effectivelyEnabled())
        return;
    if (!hasFocus())
        setFocus();
    if (effectivelyVisible() && effectivelyEnabled())
        setTab(i);
}

bool TabControl::pageShown(const Control& child) const
{
    for (int i = 0; i < tabCount(); ++i)
        if (tabs_[static_cast<std::size_t>(i)].panel == &child)
            return i == tab_;
    return true;
}

}  // namespace platform::forms
