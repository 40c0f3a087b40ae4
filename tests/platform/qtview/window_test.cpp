// Form windows: placement from twips, focus, menus, tabs, and a picture of a headless form.
#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QTabBar>
#include <filesystem>

#include "platform/forms/check_box.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/tab_control_view.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using namespace platform::forms;

TEST_F(QtViewTest, UserFocusMovesReachTheModelOnceAndTheModelsMovesReachQtSilently)
{
    auto& txtA = put<forms::TextBox>("txtA", 120, 120, 1500, 315);
    auto& txtB = put<forms::TextBox>("txtB", 120, 600, 1500, 315);
    auto& cmdGo = put<forms::CommandButton>("cmdGo", 120, 1080, 1200, 375);
    auto& lbl = put<forms::Label>("lblInfo", 2000, 120, 1500, 315);
    cmdGo.setTabIndex(1);  // tab order differs from creation order
    txtB.setTabIndex(2);
    for (forms::Control* c : std::initializer_list<forms::Control*>{&txtA, &txtB, &cmdGo, &lbl})
        record(*c);
    showForm();
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtA));  // the first in tab order on show
    log.clear();

    click(widgetOf(cmdGo));
    click(widgetOf(lbl));  // a label clicks but takes no focus
    key(Qt::Key_Tab);
    EXPECT_EQ(log, (Log{"txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.Click", "lblInfo.Click", "cmdGo.LostFocus",
                        "txtB.GotFocus"}));
    log.clear();
    txtA.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtA));
    txtA.setVisible(false);  // the model moves the focus on, Qt only follows
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(cmdGo));
    EXPECT_EQ(log, (Log{"txtB.LostFocus", "txtA.GotFocus", "txtA.LostFocus", "cmdGo.GotFocus"}));
}

TEST(Convert, TwipsToPixelsKeepsTouchingEdgesTouching)
{
    for (int left : {0, 7, 8, 100, 4567})
        EXPECT_EQ(qv::toPixelRect(left, 0, 337, 300).right() + 1, qv::toPixelRect(left + 337, 0, 337, 300).left())
            << left;
}

TEST_F(QtViewTest, WindowAndControlsArePlacedFromTwipsTheEarlierChildOnTop)
{
    form.move(1500, 750, 6000, 4500);
    auto& top = put<forms::Label>("lblTop", 150, 300, 1500, 315);
    auto& below = put<forms::Label>("lblBelow", 750, 450, 1500, 1500);
    showForm();
    EXPECT_EQ(window().pos(), QPoint(100, 50));
    EXPECT_EQ(window().windowTitle(), "Test");
    EXPECT_EQ(widgetOf(top)->geometry(), QRect(10, 20, 100, 21));
    EXPECT_EQ(window().clientArea()->childAt(60, 35), widgetOf(top));
    EXPECT_EQ(window().clientArea()->childAt(60, 45), widgetOf(below));
}

TEST_F(QtViewTest, MenusFollowTheModelAndPicksReachIt)
{
    auto& file = form.add<forms::MenuItem>("mnuFile");
    file.setCaption("&File");
    auto& exit = form.add<forms::MenuItem>("mnuExit", &file);
    int picks = 0;
    exit.onClick = [&] { ++picks; };
    showForm();

    QList<QAction*> top = window().menuBar()->actions();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0]->text(), "&File");
    QAction* exitAction = top[0]->menu()->actions().value(0);
    ASSERT_NE(exitAction, nullptr);
    exit.setChecked(true);
    exitAction->trigger();  // Qt would untick it; the model says ticked
    EXPECT_EQ(picks, 1);
    EXPECT_TRUE(exitAction->isChecked());
}

TEST_F(QtViewTest, TabClickSelectsThroughTheModelAndShowsOnlyItsPage)
{
    auto& tabs = put<forms::TabControl>("SSTab1", 120, 120, 4500, 3000);
    for (int i = 0; i < 3; ++i)
        tabs.addTab("Page " + std::to_string(i), &put<forms::Frame>("fraPage", 60, 360, 4380, 2580, &tabs, i));
    showForm();
    auto page = [&](int i) { return widgetOf(*tabs.tabPanel(i)); };
    auto* bar = widgetAs<qv::TabControlView>(tabs)->tabBar();

    click(bar, bar->tabRect(2).center());
    EXPECT_EQ(std::pair(tabs.tab(), page(2)->isVisible()), std::pair(2, true));
    tabs.setTab(1);  // from code
    EXPECT_EQ(std::tuple(bar->currentIndex(), page(1)->isVisible(), page(2)->isVisible()), std::tuple(1, true, false));
}

// The colours the bit rows rely on are checked exactly; the picture is for people to look at.
TEST(FormRenderer, RendersAHeadlessFormAtItsTwipSizeAndLeavesItAsItWas)
{
    HeadlessPlatform headless;
    Form form(headless, "frmSample");
    form.move(0, 0, 9600, 6900);
    form.setBackColor(0x00FF00);
    form.add<MenuItem>("mnuFile").setCaption("&File");
    for (int bit = 0; bit < 2; ++bit) {
        auto& chk = form.add<CheckBox>("chkChargeCurrent", nullptr, bit);
        chk.move(120 + bit * 375, 300, 375, 375);
        chk.setStyle(CheckStyle::Graphical);
        chk.setValue(1 - bit);
        chk.setBackColor(bit ? 0x8080FF : 0x80FF80);
    }
    const auto png = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "qtview" / "sample_form.png";
    std::filesystem::create_directories(png.parent_path());
    ASSERT_TRUE(qv::renderToPng(form, png));
    EXPECT_EQ(form.observer(), nullptr);
    const QImage image(QString::fromStdString(png.string()));
    const int menu = qv::toPixels(Form::MenuBarHeight);
    EXPECT_EQ(image.size(), QSize(632, 409 + menu));  // the client area, 9480 x 6135 twips, and the menu bar
    EXPECT_EQ(image.pixelColor(1, menu + 1), QColor(0, 0xFF, 0));
    EXPECT_EQ(image.pixelColor(12, menu + 24), QColor(0x80, 0xFF, 0x80));  // set, clear of the edges
    EXPECT_EQ(image.pixelColor(37, menu + 24), QColor(0xFF, 0x80, 0x80));
}

}  // namespace
}  // namespace qtview_test
