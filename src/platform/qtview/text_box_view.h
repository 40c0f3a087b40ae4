#pragma once
// A text box. Typed characters go to the model as key codes (KeyPress first, then the model edits
// the text); the widget shows the model's text and selection. Edits that are no key press (Delete,
// paste, undo, drag and drop) happen in the widget and are handed to the model afterwards.
#include <QLineEdit>

#include "platform/forms/text_box.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class TextBoxView : public QLineEdit, public ControlView {
public:
    TextBoxView(forms::TextBox& box, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }

    // The character code a key event types: 8 Backspace, 13 Enter, 27 Esc, else its first
    // character; -1 for a key that types nothing (arrows, Delete, shortcuts).
    static int keyCode(const QKeyEvent& event);

protected:
    QPalette::ColorRole backRole() const override { return QPalette::Base; }
    QPalette::ColorRole foreRole() const override { return QPalette::Text; }
    bool fillsBackground() const override { return false; }
    void syncOwn(forms::Prop what) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showModelText();
    void showModelSelection();
    // The caret the user moved becomes the model's SelStart/SelLength.
    void pushSelection();
    void userEdited(const QString& text);
    forms::TextBox& box_;
    bool quiet_ = false;    // the widget changes its own selection: not the user's doing
    bool pushing_ = false;  // the model hears the widget's selection: do not echo it back
};

}  // namespace platform::qtview
