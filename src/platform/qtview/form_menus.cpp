#include "platform/qtview/form_menus.h"

#include <QMenu>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

FormMenus::FormMenus(forms::Form& form, QMenuBar& bar) : form_(form), bar_(bar)
{
    rebuild();
}

void FormMenus::rebuild()
{
    bar_.clear();
    // Later, not now: rebuild may run inside one of these actions' own signals.
    for (QMenu* menu : bar_.findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        menu->deleteLater();
    for (QAction* action : bar_.findChildren<QAction*>(Qt::FindDirectChildrenOnly))
        action->deleteLater();
    actions_.clear();
    for (forms::MenuItem* item : form_.menus())
        add(*item, bar_);
}

QAction* FormMenus::add(forms::MenuItem& item, QWidget& into)
{
    std::vector<forms::MenuItem*> items;
    for (forms::Control* child : item.children())
        if (child->kind() == forms::Kind::MenuItem)
            items.push_back(static_cast<forms::MenuItem*>(child));

    QAction* action = nullptr;
    if (items.empty()) {
        action = new QAction(&into);
        QObject::connect(action, &QAction::triggered, action, [this, &item, action] {
            deliver([&] { item.userPick(); });
            // Qt toggled its own check mark; the model's is the one that counts.
            if (auto it = actions_.find(&item); it != actions_.end() && it->second == action)
                apply(item, *action);
        });
    } else {
        auto* menu = new QMenu(&into);
        action = menu->menuAction();
        // A menu's Click comes as it opens, so that its handler can prepare the items.
        QObject::connect(menu, &QMenu::aboutToShow, menu, [&item] { deliver([&] { item.userPick(); }); });
        for (forms::MenuItem* sub : items)
            add(*sub, *menu);
    }
    into.addAction(action);
    actions_[&item] = action;
    apply(item, *action);
    return action;
}

void FormMenus::apply(const forms::MenuItem& item, QAction& action)
{
    action.setSeparator(item.caption() == "-");
    action.setText(toQString(item.caption()));
    action.setVisible(item.visible());
    action.setEnabled(item.enabled());
    // Only a ticked item shows a check mark area, as the classic menu does.
    action.setCheckable(item.checked());
    action.setChecked(item.checked());
}

bool FormMenus::sync(const forms::MenuItem& item, forms::Prop /*what*/)
{
    auto it = actions_.find(&item);
    if (it == actions_.end())
        return false;
    apply(item, *it->second);
    return true;
}

}  // namespace platform::qtview
