// Form windows: size and place from twips, stacking, menus, tabs, and a picture of a headless form.
#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QTabBar>

#include "platform/forms/headless_platform.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/tab_control_view.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

TEST(Convert, TwipsToPixelsKeepsTouchingEdgesTouching)
{
    // Two boxes side by side in twips stay side by side in pixels, whatever the rounding.
    for (int left : {0, 7, 8, 100, 4567}) {
        const QRect a = qv::toPixelRect(left, 0, 337, 300);
        const QRect b = qv::toPixelRect(left + 337, 0, 337, 300);
        EXPECT_EQ(a.right() + 1, b.left()) << left;
    }
}

TEST_F(QtViewTest, WindowAndControlsArePlacedFromTwipsTheEarlierChildOnTop)
{
    form.move(1500, 750, 6000, 4500);
    auto& top = put<forms::Label>("lblTop", 150, 300, 1500, 315);
    auto& below = put<forms::Label>("lblBelow", 750, 450, 1500, 1500);
    showForm();
    EXPECT_EQ(window().size(), QSize(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight())));
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
    form.add<forms::MenuItem>("mnuRegisters").setVisible(false);
    int picks = 0;
    exit.onClick = [&] { ++picks; };
    showForm();

    QList<QAction*> top = window().menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "&File");
    EXPECT_FALSE(top[1]->isVisible());
    QAction* exitAction = top[0]->menu()->actions().value(0);
    ASSERT_NE(exitAction, nullptr);
    exitAction->trigger();
    EXPECT_EQ(picks, 1);
    exit.setChecked(true);
    EXPECT_TRUE(exitAction->isChecked());
    exitAction->trigger();  // Qt would untick it; the model says ticked
    EXPECT_TRUE(exitAction->isChecked());
    exit.setEnabled(false);
    EXPECT_FALSE(exitAction->isEnabled());
    file.setVisible(false);
    EXPECT_FALSE(window().menuBar()->isVisible());
}

TEST_F(QtViewTest, TabClickSelectsThroughTheModelAndShowsOnlyItsPage)
{
    auto& tabs = put<forms::TabControl>("SSTab1", 120, 120, 4500, 3000);
    std::vector<QWidget*> pages;
    for (int i = 0; i < 3; ++i)
        tabs.addTab("Page " + std::to_string(i), &put<forms::Frame>("fraPage", 60, 360, 4380, 2580, &tabs, i));
    std::vector<int> previous;
    tabs.onTabClick = [&](int p) { previous.push_back(p); };
    showForm();
    for (int i = 0; i < 3; ++i)
        pages.push_back(widgetOf(*tabs.tabPanel(i)));
    auto* bar = widgetAs<qv::TabControlView>(tabs)->tabBar();

    click(bar, bar->tabRect(2).center());
    EXPECT_EQ(tabs.tab(), 2);
    EXPECT_TRUE(tabs.hasFocus());
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    tabs.setTab(1);  // from code
    EXPECT_EQ(bar->currentIndex(), 1);
    EXPECT_TRUE(pages[1]->isVisible());
    EXPECT_FALSE(pages[2]->isVisible());
    EXPECT_EQ(previous, (std::vector<int>{0, 2}));
}

TEST(FormRenderer, RendersAHeadlessFormAtItsTwipSizeAndLeavesItAsItWas)
{
    forms::HeadlessPlatform headless;
    forms::Form form(headless, "frmHeadless");
    form.move(0, 0, 3000, 2000);
    form.setBackColor(0x00FF00);
    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "qtview" / "headless_form.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(qv::renderToPng(form, file));
    EXPECT_EQ(form.observer(), nullptr);
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize((3000 - 2 * 60) / 15, (2000 - 2 * 60 - 345) / 15));  // the client area
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0xFF, 0));
}

}  // namespace
}  // namespace qtview_test
