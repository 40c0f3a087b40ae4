#include "platform/forms/form.h"

#include <algorithm>
#include <climits>

#include "platform/forms/menu_item.h"
#include "platform/forms/platform.h"
#include "platform/forms/timer.h"

namespace platform::forms {

namespace {

std::string displayName(const std::string& name, int index)
{
    return index >= 0 ? name + "(" + std::to_string(index) + ")" : name;
}

}  // namespace

Form::Form(Platform& platform, std::string name)
    : Control(*this, Kind::Form, std::move(name), -1, nullptr), platform_(platform)
{
    // A window is out of sight until it is shown.
    visible_ = false;
    platform_.formCreated(*this);
}

Form::~Form()
{
    if (visible_)
        platform_.formHidden(*this);
    platform_.formDestroyed(*this);
    observer_ = nullptr;
    active_ = nullptr;
    byName_.clear();
    // Newest first: children go before their containers.
    while (!controls_.empty())
        controls_.pop_back();
}

void Form::adopt(std::unique_ptr<Control> control)
{
    const Control& c = *control;
    const std::string shown = displayName(c.name(), c.index());
    if (c.name().empty())
        throw std::logic_error("a control without a name on " + name());
    if (c.index() < -1)
        throw std::logic_error("control " + shown + " on " + name() + " has a negative index");
    if (c.container() && &c.container()->form() != this)
        throw std::logic_error("control " + shown + " on " + name() + " sits in a control of another form");
    auto key = std::make_pair(c.name(), c.index());
    if (byName_.contains(key))
        throw std::logic_error("duplicate control " + shown + " on " + name());
    // A name is either one control or a control array, never both.
    auto first = byName_.lower_bound({c.name(), INT_MIN});
    if (first != byName_.end() && first->first.first == c.name() && (first->first.second < 0) != (c.index() < 0))
        throw std::logic_error("control " + shown + " on " + name() + " mixes an array and a single control");
    control->serial_ = controls_.size();
    byName_.emplace(std::move(key), control.get());
    controls_.push_back(std::move(control));
}

Control* Form::find(const std::string& name, int index) const
{
    auto it = byName_.find({name, index});
    return it == byName_.end() ? nullptr : it->second;
}

std::vector<int> Form::indices(const std::string& name) const
{
    std::vector<int> out;
    for (auto it = byName_.lower_bound({name, 0}); it != byName_.end() && it->first.first == name; ++it)
        out.push_back(it->first.second);
    return out;
}

std::vector<MenuItem*> Form::menus() const
{
    std::vector<MenuItem*> out;
    for (const auto& c : controls_)
        if (c->kind() == Kind::MenuItem && !c->container())
            out.push_back(static_cast<MenuItem*>(c.get()));
    return out;
}

int Form::borderWidth(BorderKind kind)
{
    return kind == BorderKind::Sizable ? 75 : 60;
}

bool Form::hasVisibleMenu() const
{
    return std::ranges::any_of(menus(), [](const MenuItem* m) { return m->visible(); });
}

int Form::scaleWidth() const
{
    return std::max(0, width() - 2 * borderWidth(borderKind_));
}

void Form::setClientSize(int width, int height)
{
    move(0, 0, width, height);
    move(0, 0, width + (this->width() - scaleWidth()), height + (this->height() - scaleHeight()));
}

int Form::scaleHeight() const
{
    const int frame = 2 * borderWidth(borderKind_) + CaptionHeight + (hasVisibleMenu() ? MenuBarHeight : 0);
    return std::max(0, height() - frame);
}

void Form::load()
{
    if (loaded_ || platform_.ended())
        return;
    loaded_ = true;
    restartTimers();
    if (onLoad)
        onLoad();
}

void Form::show()
{
    load();
    if (!loaded_)
        return;  // the Load handler unloaded it, or the program ended
    if (!visible_) {
        visible_ = true;
        changed(Prop::Visible);
    }
    platform_.formShown(*this);
    // A window that comes up puts the focus on its first control, as the toolkit does.
    if (active_)
        checkFocus();
    else
        focusNext();
}

void Form::hide()
{
    if (!visible_)
        return;
    visible_ = false;
    changed(Prop::Visible);
    platform_.formHidden(*this);
}

void Form::userClose()
{
    if (!loaded_)
        return;
    int cancel = 0;
    if (onUnload)
        onUnload(cancel);
    if (cancel != 0)
        return;
    unload();
}

void Form::discard()
{
    unload();
}

void Form::unload()
{
    hide();
    if (active_) {
        active_ = nullptr;
        if (observer_)
            observer_->focusChanged(nullptr);
    }
    if (!loaded_)
        return;
    loaded_ = false;
    restartTimers();
}

void Form::restartTimers()
{
    for (const auto& c : controls_)
        if (c->kind() == Kind::Timer)
            platform_.timerChanged(static_cast<Timer&>(*c));
}

std::vector<Control*> Form::tabOrder() const
{
    std::vector<Control*> out;
    for (const auto& c : controls_)
        if (c->tabStop() && c->canTakeFocus())
            out.push_back(c.get());
    std::ranges::sort(out, [](const Control* a, const Control* b) {
        return std::pair(a->tabIndex(), a->serial_) < std::pair(b->tabIndex(), b->serial_);
    });
    return out;
}

namespace {

// The control after (or before) `from` in tab order, wrapping around; `from` need not be in it.
Control* stepFrom(const std::vector<Control*>& order, const Control* from, bool backwards,
                  auto key)
{
    if (order.empty())
        return nullptr;
    if (!from)
        return backwards ? order.back() : order.front();
    if (backwards) {
        auto it = std::find_if(order.rbegin(), order.rend(), [&](Control* c) { return key(c) < key(from); });
        return it == order.rend() ? order.back() : *it;
    }
    auto it = std::find_if(order.begin(), order.end(), [&](Control* c) { return key(from) < key(c); });
    return it == order.end() ? order.front() : *it;
}

}  // namespace

bool Form::focusNext(bool backwards)
{
    auto key = [](const Control* c) { return std::pair(c->tabIndex(), c->serial_); };
    Control* target = stepFrom(tabOrder(), active_, backwards, key);
    return target && moveFocus(*target);
}

bool Form::moveFocus(Control& to)
{
    if (&to.form() != this || !to.canTakeFocus())
        return false;
    if (active_ == &to)
        return true;
    if (Control* old = active_) {
        active_ = nullptr;  // in transit: a LostFocus handler may send the focus elsewhere
        if (old->onLostFocus)
            old->onLostFocus();
        if (active_)
            return active_ == &to;
        if (!to.canTakeFocus()) {
            if (observer_)
                observer_->focusChanged(nullptr);
            return false;
        }
    }
    active_ = &to;
    if (observer_)
        observer_->focusChanged(&to);
    if (to.onGotFocus)
        to.onGotFocus();
    return true;
}

void Form::checkFocus()
{
    if (!active_ || !visible_ || active_->canTakeFocus())
        return;
    Control* old = active_;
    auto key = [](const Control* c) { return std::pair(c->tabIndex(), c->serial_); };
    if (Control* next = stepFrom(tabOrder(), old, false, key)) {
        moveFocus(*next);
        return;
    }
    active_ = nullptr;
    if (observer_)
        observer_->focusChanged(nullptr);
    if (old->onLostFocus)
        old->onLostFocus();
}

void Form::notify(Control& control, Prop what)
{
    if (observer_)
        observer_->controlChanged(control, what);
}

}  // namespace platform::forms
