#pragma once
// The window of one form. It is the form's observer: every model change updates a widget, and
// the user's input goes to the model first; the widgets follow the model, never the reverse.
#include <QHash>
#include <QMainWindow>
#include <deque>
#include <memory>
#include <unordered_map>

#include "platform/forms/form.h"

namespace platform::qtview {

class ClientArea;
class ControlView;
class FormMenus;

class FormWindow : public QMainWindow, public forms::FormObserver {
public:
    explicit FormWindow(forms::Form& form);
    ~FormWindow() override;

    forms::Form& form() const { return form_; }
    // The widget side of a control; nullptr for timers and menu items.
    ControlView* viewOf(const forms::Control& control) const;
    QWidget* clientArea() const;

    // Size and position from the model: the client area is ScaleWidth x ScaleHeight.
    void syncGeometry();

    void controlChanged(forms::Control& control, forms::Prop what) override;
    void focusChanged(forms::Control* gained) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ControlView* ensureView(forms::Control& control);
    void replaceView(forms::Control& control);
    void syncForm(forms::Prop what);
    void userFocused(ControlView& view, Qt::FocusReason reason);
    // After the model moved things around, put Qt's focus where the model's is.
    void reconcileFocus();
    // A press gives the focus before the pressed control sees it; a lost-focus rule that pumps
    // events there would hand the control its release first, and the click would be lost. Input
    // reaching the window while a press is delivered waits, in order, until the press is done.
    bool gateInput(QEvent* event);

    forms::Form& form_;
    ClientArea* client_;
    std::unique_ptr<FormMenus> menus_;
    std::unordered_map<const forms::Control*, ControlView*> views_;
    QHash<const QObject*, ControlView*> byWidget_;
    // Set while the window mirrors the model: Qt's own focus moves are not user input then.
    int mirroring_ = 0;
    bool pressing_ = false;
    std::deque<std::unique_ptr<QEvent>> held_;
};

}  // namespace platform::qtview
