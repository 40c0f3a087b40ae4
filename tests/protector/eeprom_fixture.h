#pragma once
// The EEPROM page in sight, and what a person reads off its controls.
#include <string>
#include <utility>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/text_box.h"
#include "protector_fixture.h"

namespace protector_test {

class EepromTest : public ProtectorTest {
protected:
    // picEeprom in sight without the fill that a change of tab runs, so that a test fills the
    // page itself when it wants to.
    void revealEepromPage()
    {
        auto change = std::exchange(tabs().onTabClick, nullptr);
        tabs().setTab(1);
        tabs().onTabClick = std::move(change);
        bus().clearLog();
    }
    void fill() { form2().InitializeEepromPage(); }
    // A list's or box's text, or a check box's value as "0" or "1".
    std::string shown(const std::string& name)
    {
        auto& control = get(name);
        if (auto* list = dynamic_cast<forms::ComboBox*>(&control))
            return list->text();
        if (auto* box = dynamic_cast<forms::TextBox*>(&control))
            return box->text();
        return std::to_string(dynamic_cast<forms::CheckBox&>(control).value());
    }
    std::vector<std::string> items(const std::string& list)
    {
        auto& box = get<forms::ComboBox>(list);
        std::vector<std::string> result;
        for (int i = 0; i < box.listCount(); ++i)
            result.push_back(box.list(i));
        return result;
    }
    std::vector<std::string> messageTexts()
    {
        std::vector<std::string> texts;
        for (const auto& m : platform().messages())
            texts.push_back(m.text);
        return texts;
    }
};

}  // namespace protector_test
