// Focus order, refusal, tab order, and finding controls by name and element index.
#include "forms_fixture.h"

namespace formstest {
namespace {

using Log = std::vector<std::string>;

TEST_F(FormsTest, UserClickRunsLostFocusThenGotFocusThenClick)
{
    auto& txt = watched(form.add<TextBox>("txtValue"));
    watched(form.add<CommandButton>("cmdWrite"));
    watched(form.add<Label>("lblTitle"));
    txt.setFocus();
    log.clear();

    user.click("cmdWrite");
    user.click("lblTitle");  // a label takes no focus but has a Click
    user.click("cmdWrite");  // already focused: no focus events
    EXPECT_EQ(log, (Log{"txtValue.LostFocus", "cmdWrite.GotFocus", "cmdWrite.Click", "lblTitle.Click",
                        "cmdWrite.Click"}));
}

TEST_F(FormsTest, LostFocusHandlerThatKeepsTheFocusStillLetsTheClickHappen)
{
    auto& txt = watched(form.add<TextBox>("txtValue"));
    auto& cmd = watched(form.add<CommandButton>("cmdWrite"));
    txt.onLostFocus = [&] {
        log.push_back("txtValue.LostFocus");
        txt.setFocus();
    };
    txt.setFocus();
    log.clear();
    user.click("cmdWrite");
    EXPECT_EQ(log, (Log{"txtValue.LostFocus", "txtValue.GotFocus", "cmdWrite.Click"}));
    EXPECT_TRUE(txt.hasFocus());
    EXPECT_FALSE(cmd.hasFocus());
}

TEST_F(FormsTest, ControlsOutOfReachRefuseTheFocusQuietly)
{
    auto& txt = watched(form.add<TextBox>("txtValue"));
    auto& frame = form.add<Frame>("fraHidden");
    auto& pic = form.add<PictureBox>("picDisabled");
    auto& tabs = form.add<TabControl>("SSTab1");
    auto& page0 = form.add<PictureBox>("picControl", &tabs);
    auto& page1 = form.add<PictureBox>("picEeprom", &tabs);
    tabs.addTab("Control", &page0);
    tabs.addTab("EEPROM", &page1);
    std::vector<Control*> unreachable = {
        &form.add<CommandButton>("cmdDisabled"), &form.add<CommandButton>("cmdHidden"),
        &form.add<CommandButton>("cmdInHiddenFrame", &frame), &form.add<CheckBox>("chkInDisabledPicture", &pic),
        &form.add<TextBox>("txtOnOtherPage", &page1),
    };
    form.get<CommandButton>("cmdDisabled").setEnabled(false);
    form.get<CommandButton>("cmdHidden").setVisible(false);
    frame.setVisible(false);
    pic.setEnabled(false);
    for (Control* c : unreachable)
        watched(*c);
    txt.setFocus();
    log.clear();

    for (Control* c : unreachable) {
        EXPECT_FALSE(c->canTakeFocus()) << c->name();
        EXPECT_FALSE(c->setFocus()) << c->name();
        user.click(c->name());
    }
    EXPECT_EQ(log, Log{});
    EXPECT_TRUE(txt.hasFocus());

    tabs.setTab(1);
    EXPECT_TRUE(form.find("txtOnOtherPage")->setFocus());
}

TEST_F(FormsTest, HidingTheFocusedControlMovesTheFocusOn)
{
    auto& a = watched(form.add<TextBox>("txtA"));
    watched(form.add<TextBox>("txtB"));
    a.setFocus();
    log.clear();
    a.setVisible(false);
    EXPECT_EQ(log, (Log{"txtA.LostFocus", "txtB.GotFocus"}));
    EXPECT_EQ(form.activeControl(), form.find("txtB"));
}

TEST_F(FormsTest, TabFollowsTabIndexAmongControlsThatCanTakeTheFocus)
{
    // Created out of order on purpose; the tab order is TabIndex.
    auto& c = form.add<TextBox>("txtC");
    auto& a = form.add<CommandButton>("cmdA");
    auto& skip = form.add<CheckBox>("chkNoTabStop");
    auto& off = form.add<TextBox>("txtDisabled");
    auto& b = form.add<ComboBox>("cboB");
    form.add<Label>("lblNever");
    c.setTabIndex(5);
    a.setTabIndex(1);
    skip.setTabIndex(2);
    skip.setTabStop(false);
    off.setTabIndex(3);
    off.setEnabled(false);
    b.setTabIndex(4);

    auto walk = [&](bool backwards) {
        std::vector<std::string> names;
        for (int i = 0; i < 4; ++i) {
            user.tab(backwards);
            names.push_back(form.activeControl()->name());
        }
        return names;
    };
    EXPECT_EQ(walk(false), (Log{"cmdA", "cboB", "txtC", "cmdA"}));
    EXPECT_EQ(walk(true), (Log{"txtC", "cboB", "cmdA", "txtC"}));

    skip.setFocus();  // a control without a tab stop still takes the focus when asked
    user.tab();
    EXPECT_EQ(form.activeControl(), &b);
}

TEST_F(FormsTest, ControlArraysMayHaveGaps)
{
    for (int bit : {7, 0, 12})
        form.add<CheckBox>("chkChargeCurrent", nullptr, bit);
    form.add<CheckBox>("chkOther");

    EXPECT_EQ(form.indices("chkChargeCurrent"), (std::vector<int>{0, 7, 12}));
    EXPECT_EQ(form.indices("chkOther"), std::vector<int>{});
    EXPECT_EQ(form.find("chkChargeCurrent", 7)->index(), 7);
    EXPECT_EQ(form.find("chkChargeCurrent", 1), nullptr);
    EXPECT_EQ(form.find("chkChargeCurrent"), nullptr);
    EXPECT_EQ(form.find("chkcHARGEcURRENT", 7), nullptr);

    auto message = [](auto&& f) {
        try {
            f();
        } catch (const std::logic_error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_THAT(message([&] { form.get<CheckBox>("chkChargeCurrent", 1); }),
                ::testing::HasSubstr("chkChargeCurrent(1)"));
    EXPECT_THAT(message([&] { form.get<TextBox>("chkOther"); }), ::testing::HasSubstr("chkOther"));
    EXPECT_THAT(message([&] { form.add<CheckBox>("chkChargeCurrent", nullptr, 7); }),
                ::testing::HasSubstr("duplicate"));
    EXPECT_THAT(message([&] { form.add<CheckBox>("chkOther", nullptr, 0); }), ::testing::HasSubstr("chkOther"));
    EXPECT_THAT(message([&] { user.click("cmdMissing"); }), ::testing::HasSubstr("cmdMissing"));
    EXPECT_THAT(message([&] { user.type("txtMissing", "1", 3); }), ::testing::HasSubstr("txtMissing(3)"));
    // A refused control leaves nothing behind.
    EXPECT_EQ(form.controls().size(), 4u);
    EXPECT_EQ(form.children().size(), 4u);
}

TEST_F(FormsTest, ObserverHearsEveryRealChangeOnce)
{
    struct Recorder : FormObserver {
        std::vector<std::pair<std::string, Prop>> changes;
        std::vector<Control*> focus;
        void controlChanged(Control& c, Prop what) override { changes.emplace_back(c.name(), what); }
        void focusChanged(Control* gained) override { focus.push_back(gained); }
    } view;
    auto& chk = form.add<CheckBox>("chkBit");
    form.setObserver(&view);
    chk.setValue(1);
    chk.setValue(1);
    chk.setCaption("1");
    chk.setCaption("1");
    chk.setFocus();
    using Change = std::pair<std::string, Prop>;
    EXPECT_EQ(view.changes, (std::vector<Change>{{"chkBit", Prop::Value}, {"chkBit", Prop::Caption}}));
    EXPECT_EQ(view.focus, std::vector<Control*>{&chk});
    form.setObserver(nullptr);
}

TEST_F(FormsTest, ScaleSizeLeavesOutTheFrameAndAVisibleMenuBar)
{
    form.move(0, 0, 12500, 9000);
    EXPECT_EQ(form.scaleWidth(), 12500 - 2 * 60);
    EXPECT_EQ(form.scaleHeight(), 9000 - 2 * 60 - 345);
    auto& mnuFile = form.add<MenuItem>("mnuFile");
    form.add<MenuItem>("mnuFileExit", &mnuFile);
    EXPECT_EQ(form.scaleHeight(), 9000 - 2 * 60 - 345 - 300);
    EXPECT_EQ(form.menus(), std::vector<MenuItem*>{&mnuFile});
    mnuFile.setVisible(false);
    EXPECT_EQ(form.scaleHeight(), 9000 - 2 * 60 - 345);
    form.move(0, 0, 10, 10);
    EXPECT_EQ(form.scaleWidth(), 0);
}

}  // namespace
}  // namespace formstest
