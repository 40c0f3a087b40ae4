#pragma once
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

// A tabbed control: captioned tabs, one page panel each (a control whose container is the tab
// control), and the number of the current tab. Changing the current tab, by the user or from
// code, raises Click with the number of the tab selected before.
class TabControl : public Control {
public:
    TabControl(Form& form, std::string name, int index, Control* container);

    int tabCount() const { return static_cast<int>(tabs_.size()); }
    void addTab(std::string caption, Control* panel);
    const std::string& tabCaption(int i) const;
    Control* tabPanel(int i) const;
    int tab() const { return tab_; }
    void setTab(int i);  // out of range is ignored
    int tabsPerRow() const { return tabsPerRow_; }
    void setTabsPerRow(int n) { tabsPerRow_ = n; }
    int tabHeight() const { return tabHeight_; }
    void setTabHeight(int twips) { tabHeight_ = twips; }
    bool focusable() const override { return true; }

    void userSelectTab(int i);
    // False for the page panel of a tab other than the current one: it and its controls are out
    // of sight (and cannot take the focus). Other children are always shown.
    bool pageShown(const Control& child) const;

    std::function<void(int previousTab)> onTabClick;

private:
    struct Tab {
        std::string caption;
        Control* panel;
    };
    std::vector<Tab> tabs_;
    int tab_ = 0;
    int tabsPerRow_ = 3;
    int tabHeight_ = 300;
};

}  // namespace platform::forms
