// Focus order, refusal, and finding controls by name and element index.
#include "forms_fixture.h"

namespace formstest {
namespace {

TEST_F(FormsTest, LostFocusRunsBeforeGotFocusAndBeforeTheClickOrKey)
{
    auto& txt = watched(form.add<TextBox>("txtValue"));
    watched(form.add<CommandButton>("cmdWrite"));
    watched(form.add<Label>("lblTitle"));
    txt.onKeyPress = [&](int&) { log.push_back("txtValue.KeyPress"); };
    txt.onChange = record("txtValue.Change");
    txt.setFocus();
    log.clear();
    user.click("cmdWrite");
    user.click("lblTitle");  // a label takes no focus but has a Click
    user.click("cmdWrite");  // already focused: no focus events
    user.key("txtValue", '5');
    EXPECT_EQ(log, (Log{"txtValue.LostFocus", "cmdWrite.GotFocus", "cmdWrite.Click", "lblTitle.Click",
                        "cmdWrite.Click", "cmdWrite.LostFocus", "txtValue.GotFocus", "txtValue.KeyPress",
                        "txtValue.Change"}));
}

TEST_F(FormsTest, ControlsOutOfReachRefuseTheFocusQuietly)
{
    auto& txt = watched(form.add<TextBox>("txtValue"));
    auto& frame = form.add<Frame>("fraHidden");
    auto& tabs = form.add<TabControl>("SSTab1");
    tabs.addTab("Control", &form.add<PictureBox>("picControl", &tabs));
    tabs.addTab("EEPROM", &form.add<PictureBox>("picEeprom", &tabs));
    std::vector<Control*> unreachable = {
        &form.add<CommandButton>("cmdDisabled"), &form.add<CommandButton>("cmdHidden"),
        &form.add<CommandButton>("cmdInHiddenFrame", &frame),
        &form.add<TextBox>("txtOnOtherPage", form.find("picEeprom")),
    };
    form.get<CommandButton>("cmdDisabled").setEnabled(false);
    form.get<CommandButton>("cmdHidden").setVisible(false);
    frame.setVisible(false);
    for (Control* c : unreachable)
        watched(*c);
    txt.setFocus();
    log.clear();

    for (Control* c : unreachable) {
        EXPECT_FALSE(c->setFocus()) << c->name();
        user.click(c->name());
    }
    EXPECT_EQ(log, Log{});
    EXPECT_TRUE(txt.hasFocus());

    tabs.setTab(1);
    EXPECT_TRUE(form.find("txtOnOtherPage")->setFocus());
}

TEST_F(FormsTest, ControlArraysMayHaveGaps)
{
    for (int bit : {7, 0, 12})
        form.add<CheckBox>("chkChargeCurrent", nullptr, bit);

    EXPECT_EQ(form.indices("chkChargeCurrent"), (std::vector<int>{0, 7, 12}));
    EXPECT_EQ(form.find("chkChargeCurrent", 7)->index(), 7);
    EXPECT_EQ(form.find("chkChargeCurrent", 1), nullptr);
    EXPECT_EQ(form.find("chkChargeCurrent"), nullptr);
}

}  // namespace
}  // namespace formstest
