#pragma once
// A tabbed control: a row of tabs over a pane; each tab's page panel is a child control placed in
// the tab control's own coordinates, shown only while its tab is current.
#include <QTabBar>
#include <QWidget>

#include "platform/forms/tab_control.h"
#include "platform/qtview/control_view.h"

namespace platform::qtview {

class TabControlView : public QWidget, public ControlView {
public:
    TabControlView(forms::TabControl& tabs, FormWindow& window, QWidget* parent);
    QWidget* widget() override { return this; }
    QTabBar* tabBar() const { return bar_; }

protected:
    void syncOwn(forms::Prop what) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Bar;
    void showModelTabs();
    void showCurrentTab();
    void layoutBar();
    forms::TabControl& tabs_;
    QTabBar* bar_;
    bool quiet_ = false;
};

}  // namespace platform::qtview
