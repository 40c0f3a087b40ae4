#pragma once
// A form's menus on a Qt menu bar: captions, enabled, visible and checked follow the model;
// the user's pick goes to the model.
#include <QAction>
#include <QMenuBar>
#include <unordered_map>

#include "platform/forms/form.h"
#include "platform/forms/menu_item.h"

namespace platform::qtview {

class FormMenus {
public:
    FormMenus(forms::Form& form, QMenuBar& bar);
    FormMenus(const FormMenus&) = delete;
    FormMenus& operator=(const FormMenus&) = delete;

    // Rebuilds the bar from the model (a menu item added after the window was made).
    void rebuild();
    // Mirrors one property; false when the item is not on the bar yet.
    bool sync(const forms::MenuItem& item, forms::Prop what);

private:
    QAction* add(forms::MenuItem& item, QWidget& into);
    void apply(const forms::MenuItem& item, QAction& action);
    forms::Form& form_;
    QMenuBar& bar_;
    std::unordered_map<const forms::MenuItem*, QAction*> actions_;
};

}  // namespace platform::qtview
