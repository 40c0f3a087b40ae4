#pragma once
// The widget side of one control: mirrors the model's properties and reports the user's input to
// the model. Mirroring only calls Qt setters; it never raises a model event.
#include <QPalette>
#include <QWidget>

#include "platform/forms/control.h"

namespace platform::qtview {

class FormWindow;

class ControlView {
public:
    ControlView(forms::Control& control, FormWindow& window);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    forms::Control& control() const { return control_; }
    FormWindow& formWindow() const { return window_; }
    virtual QWidget* widget() = 0;
    // Where the widgets of child controls go.
    virtual QWidget* childParent() { return widget(); }

    // Mirrors one property of the model.
    void sync(forms::Prop what);
    void syncAll();
    // Kinds whose widget has no clicked signal: a left button released inside is the click.
    virtual bool clickOnRelease() const { return false; }

protected:
    // The palette roles the control's BackColor and ForeColor paint.
    virtual QPalette::ColorRole backRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole foreRole() const { return QPalette::WindowText; }
    // Whether the back colour fills the widget's rectangle.
    virtual bool fillsBackground() const { return true; }
    // What the kind adds: caption, value, text, list...
    virtual void syncOwn(forms::Prop /*what*/) {}

private:
    void syncColors();
    forms::Control& control_;
    FormWindow& window_;
};

// The view of a kind whose Qt widget has no clicked signal (frames, pictures, images, labels):
// the widget is the view, and a left button released inside is the model's Click.
template <class Widget, class Model>
class ReleaseClickView : public Widget, public ControlView {
public:
    ReleaseClickView(Model& model, FormWindow& window, QWidget* parent)
        : Widget(parent), ControlView(model, window), model_(model)
    {
    }
    QWidget* widget() override { return this; }
    bool clickOnRelease() const override { return true; }

protected:
    Model& model_;
};

}  // namespace platform::qtview
