#pragma once
// The base of every control: name and element index, container, position in twips, the common
// properties, the events every kind shares, and change notification for the view.
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/types.h"

namespace platform::forms {

class Form;
class Platform;

enum class Kind {
    Form, CheckBox, OptionButton, CommandButton, TextBox, Label, ComboBox, Frame, PictureBox,
    Image, Shape, Timer, MenuItem, TabControl
};

// What changed, so that a view repaints only what it must.
enum class Prop {
    Geometry, Visible, Enabled, Caption, Text, Value, BackColor, ForeColor, Font, Selection,
    List, ListIndex, Picture, Interval, CurrentTab, Style, Checked
};

class Control {
public:
    Control(Form& form, Kind kind, std::string name, int index, Control* container);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // element number in a control array, -1 otherwise
    Form& form() const { return form_; }
    Platform& platform() const;
    Control* container() const { return container_; }  // nullptr: directly on the form
    // Children in stacking order, topmost first; a new child goes to the bottom.
    const std::vector<Control*>& children() const { return children_; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v) { move(v, top_, width_, height_); }
    void setTop(int v) { move(left_, v, width_, height_); }
    void setWidth(int v) { move(left_, top_, v, height_); }
    void setHeight(int v) { move(left_, top_, width_, v); }
    void move(int left, int top, int width, int height);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    // Visible and enabled, with every container up to the form.
    bool effectivelyVisible() const;
    bool effectivelyEnabled() const;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string v);
    Color backColor() const { return backColor_; }
    void setBackColor(Color v);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color v);
    const Font& font() const { return font_; }
    void setFont(Font v);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int v) { tabIndex_ = v; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool v) { tabStop_ = v; }

    // Whether this kind of control can hold the focus at all (buttons, boxes, lists, pictures).
    virtual bool focusable() const { return false; }
    // Focusable, visible and enabled: a focus request would be granted.
    bool canTakeFocus() const;
    // Moves the focus here from code; refused (false, nothing raised) when it cannot take it.
    bool setFocus();
    bool hasFocus() const;

    // A user's click from either backend: moves the focus here first when the control can take
    // it (LostFocus of the old control, GotFocus of this one), then does what a click does.
    // Disabled or hidden controls ignore it.
    void userClick();

    // Events. A control array's handlers are bound with the element's index captured.
    std::function<void()> onClick;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

protected:
    // The kind's own click behaviour; the default raises Click.
    virtual void clickAction();
    void raiseClick();
    // Tells the form's observer (the view) that a property changed.
    void changed(Prop what);

private:
    friend class Form;
    Form& form_;
    std::size_t serial_ = 0;  // creation order on the form, breaks TabIndex ties
    Kind kind_;
    std::string name_;
    int index_;
    Control* container_;
    std::vector<Control*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    Color backColor_ = colors::ButtonFace;
    Color foreColor_ = colors::ButtonText;
    Font font_;
    int tabIndex_ = 0;
    bool tabStop_ = true;
};

}  // namespace platform::forms
