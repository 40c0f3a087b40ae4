#include "platform/forms/scripted_user.h"

#include <stdexcept>
#include <vector>

#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/platform.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"

namespace platform::forms {

namespace {

// Code points of a UTF-8 text; a stray byte stands for itself.
std::vector<int> decode(const std::string& text)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        int code = extra == 0 ? lead : lead & (0x3F >> extra);
        std::size_t j = 1;
        for (; j <= static_cast<std::size_t>(extra) && i + j < text.size()
               && (static_cast<unsigned char>(text[i + j]) & 0xC0) == 0x80;
             ++j)
            code = (code << 6) | (static_cast<unsigned char>(text[i + j]) & 0x3F);
        if (j != static_cast<std::size_t>(extra) + 1) {
            code = lead;
            j = 1;
        }
        out.push_back(code);
        i += j;
    }
    return out;
}

}  // namespace

Control& ScriptedUser::control(const std::string& name, int index) const
{
    if (Control* c = form_->find(name, index))
        return *c;
    throw std::logic_error("no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : "")
                           + " on " + form_->name());
}

void ScriptedUser::click(const std::string& name, int index)
{
    Control& c = control(name, index);
    if (!blocked(*form_))
        c.userClick();
}

void ScriptedUser::type(const std::string& name, const std::string& text, int index)
{
    auto& box = form_->get<TextBox>(name, index);
    if (blocked(*form_))
        return;
    for (int code : decode(text))
        box.userKey(code);
}

void ScriptedUser::key(const std::string& name, int keyAscii, int index)
{
    auto& box = form_->get<TextBox>(name, index);
    if (!blocked(*form_))
        box.userKey(keyAscii);
}

void ScriptedUser::focus(const std::string& name, int index)
{
    Control& c = control(name, index);
    if (!blocked(*form_))
        c.setFocus();
}

void ScriptedUser::choose(const std::string& comboName, int item, int index)
{
    auto& box = form_->get<ComboBox>(comboName, index);
    if (!blocked(*form_))
        box.userChoose(item);
}

void ScriptedUser::pick(const std::string& menuName, int index)
{
    auto& item = form_->get<MenuItem>(menuName, index);
    if (!blocked(*form_))
        item.userPick();
}

void ScriptedUser::selectTab(const std::string& tabName, int tab, int index)
{
    auto& tabs = form_->get<TabControl>(tabName, index);
    if (!blocked(*form_))
        tabs.userSelectTab(tab);
}

void ScriptedUser::tab(bool backwards)
{
    tab(*form_, backwards);
}

void ScriptedUser::tab(Form& form, bool backwards)
{
    if (!blocked(form))
        form.focusNext(backwards);
}

void ScriptedUser::close()
{
    close(*form_);
}

void ScriptedUser::close(Form& form)
{
    if (!blocked(form))
        form.userClose();
}

bool ScriptedUser::blocked(const Form& form) const
{
    return !form.platform().acceptsInput(form);
}

}  // namespace platform::forms
