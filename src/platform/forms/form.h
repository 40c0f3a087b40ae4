#pragma once
// A window: owns its controls (found by name and element index), its menus and its focus.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

class MenuItem;

// The view's window onto a form: told about every property change of its controls.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control, Prop what) = 0;
    virtual void focusChanged(Control* gained) = 0;
};

enum class BorderKind { Sizable, FixedSingle, FixedDialog };

class Form : public Control {
public:
    Form(Platform& platform, std::string name);
    ~Form() override;

    Platform& platform() const { return platform_; }

    // Creates a control of kind T on `container` (nullptr: on the form itself). Names with an
    // index >= 0 form a control array; an element may be missing (gaps). Throws std::logic_error
    // on a duplicate name/index: that is a design fault, caught by the first test that builds it.
    template <class T>
    T& add(std::string name, Control* container = nullptr, int index = -1)
    {
        auto control = std::make_unique<T>(*this, std::move(name), index, container);
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }

    // Lookup by name (case-sensitive) and element index; nullptr when absent.
    Control* find(const std::string& name, int index = -1) const;
    // Typed lookup for code and tests that know the control exists; throws std::logic_error
    // naming the control when it is absent or of another kind.
    template <class T>
    T& get(const std::string& name, int index = -1) const
    {
        auto* typed = dynamic_cast<T*>(find(name, index));
        if (!typed)
            throw std::logic_error("no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : "") + " of that kind on " + this->name());
        return *typed;
    }
    // Element indices of a control array in ascending order.
    std::vector<int> indices(const std::string& name) const;
    // Every control in creation order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Top-level menus in menu-bar order.
    std::vector<MenuItem*> menus() const;

    // Client area in twips (the window's inside, below the menu bar); width()/height() are the
    // outer size, as the classic Width/Height properties.
    int scaleWidth() const;
    int scaleHeight() const;
    // Places the form at the screen's origin with a client area of width x height twips; the
    // outer size adds what the window frame takes.
    void setClientSize(int width, int height);
    // The frame around the client area, in twips: a border on each side, the caption and, when
    // the form has a visible menu, the menu bar. The view sizes its window with the same numbers.
    static constexpr int CaptionHeight = 345;
    static constexpr int MenuBarHeight = 300;
    static int borderWidth(BorderKind kind);  // each side: Sizable 75, FixedSingle/FixedDialog 60
    bool hasVisibleMenu() const;

    BorderKind borderKind() const { return borderKind_; }
    void setBorderKind(BorderKind b) { borderKind_ = b; }
    const std::string& picture() const { return picture_; }  // background picture file
    void setPicture(std::string path) { picture_ = std::move(path); changed(Prop::Picture); }
    const std::string& icon() const { return icon_; }
    void setIcon(std::string path) { icon_ = std::move(path); changed(Prop::Picture); }

    // Life cycle. load() runs Load once until the form is unloaded; show() loads when needed,
    // makes the form visible and hands it to the platform; hide() keeps it loaded.
    bool loaded() const { return loaded_; }
    void load();
    void show();
    void hide();
    // The close box: runs Unload (its handler may cancel); when not cancelled the form is
    // hidden and no longer loaded.
    void userClose();
    // Unloads without running Unload, as the end of the program does.
    void discard();

    std::function<void()> onLoad;
    std::function<void(int& cancel)> onUnload;

    // Focus.
    Control* activeControl() const { return active_; }
    bool moveFocus(Control& to);  // LostFocus of the old control, then GotFocus of the new
    // Tab / Shift+Tab: the next control in TabIndex order that can take the focus.
    bool focusNext(bool backwards = false);

    void setObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* observer() const { return observer_; }
    void notify(Control& control, Prop what);

private:
    friend class Control;
    friend class TabControl;
    void adopt(std::unique_ptr<Control> control);
    // Tab order among the controls that can take the focus now, TabIndex then creation order.
    std::vector<Control*> tabOrder() const;
    // The active control was hidden or disabled: the focus moves on, as the toolkit does.
    void checkFocus();
    // Load and unload start and stop the form's timers.
    void restartTimers();
    void unload();
    Platform& platform_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    Control* active_ = nullptr;
    FormObserver* observer_ = nullptr;
    bool loaded_ = false;
    BorderKind borderKind_ = BorderKind::FixedSingle;
    std::string picture_;
    std::string icon_;
};

}  // namespace platform::forms
