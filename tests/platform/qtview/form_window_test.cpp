// Form windows: size and place from twips, stacking, menus, tabs, and pictures of windows.
#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QTabBar>
#include <filesystem>

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

namespace fs = std::filesystem;

fs::path artifact(const std::string& name)
{
    fs::path dir = fs::path(QUELVAR_TEST_ARTIFACTS) / "qtview";
    fs::create_directories(dir);
    return dir / name;
}

TEST(Convert, TwipsToPixelsKeepsTouchingEdgesTouching)
{
    // Two boxes side by side in twips stay side by side in pixels, whatever the rounding.
    for (int left : {0, 7, 8, 100, 4567}) {
        const QRect a = qv::toPixelRect(left, 0, 337, 300);
        const QRect b = qv::toPixelRect(left + 337, 0, 337, 300);
        EXPECT_EQ(a.right() + 1, b.left()) << left;
    }
    EXPECT_EQ(qv::toPixelRect(150, 300, 1500, 315), QRect(10, 20, 100, 21));
}

class FormWindowTest : public QtViewTest {};

TEST_F(FormWindowTest, ClientAreaAndPositionComeFromTwips)
{
    form.move(1500, 750, 6000, 4500);
    auto& label = form.add<forms::Label>("lblA");
    label.move(150, 300, 1500, 315);
    showForm();
    const QSize client(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight()));
    EXPECT_EQ(window().size(), client);
    EXPECT_EQ(window().pos(), QPoint(100, 50));
    EXPECT_EQ(widgetOf(label)->geometry(), QRect(10, 20, 100, 21));
    EXPECT_EQ(window().windowTitle(), "Test");
}

TEST_F(FormWindowTest, EarlierChildIsOnTop)
{
    auto& top = form.add<forms::Label>("lblTop");
    auto& below = form.add<forms::Label>("lblBelow");
    top.move(0, 0, 1500, 1500);
    below.move(750, 750, 1500, 1500);
    showForm();
    EXPECT_EQ(window().clientArea()->childAt(60, 60), widgetOf(top));
    EXPECT_EQ(window().clientArea()->childAt(110, 110), widgetOf(below));
}

TEST_F(FormWindowTest, MenusFollowTheModelAndPicksReachIt)
{
    auto& file = form.add<forms::MenuItem>("mnuFile");
    file.setCaption("&File");
    auto& exit = form.add<forms::MenuItem>("mnuExit", &file);
    exit.setCaption("E&xit");
    auto& hidden = form.add<forms::MenuItem>("mnuRegisters");
    hidden.setCaption("I2C");
    hidden.setVisible(false);
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

    // The menu bar takes its share of the window: the client area stays ScaleHeight.
    EXPECT_EQ(window().height(), qv::toPixels(form.scaleHeight()) + qv::toPixels(forms::Form::MenuBarHeight));
    file.setVisible(false);
    EXPECT_FALSE(window().menuBar()->isVisible());
    EXPECT_EQ(window().height(), qv::toPixels(form.scaleHeight()));
}

TEST_F(FormWindowTest, TabClickSelectsThroughTheModelAndShowsOnlyItsPage)
{
    auto& tabs = form.add<forms::TabControl>("SSTab1");
    tabs.move(120, 120, 4500, 3000);
    std::vector<forms::Frame*> pages;
    for (int i = 0; i < 3; ++i) {
        auto& page = form.add<forms::Frame>("fraPage", &tabs, i);
        page.move(60, 360, 4380, 2580);
        tabs.addTab("Page " + std::to_string(i), &page);
        pages.push_back(&page);
    }
    std::vector<int> previous;
    tabs.onTabClick = [&](int p) { previous.push_back(p); };
    showForm();
    auto* bar = widgetAs<qv::TabControlView>(tabs)->tabBar();
    EXPECT_EQ(bar->count(), 3);

    click(bar, bar->tabRect(2).center());
    EXPECT_EQ(tabs.tab(), 2);
    EXPECT_EQ(previous, std::vector<int>{0});
    EXPECT_TRUE(tabs.hasFocus());
    EXPECT_TRUE(widgetOf(*pages[2])->isVisible());
    EXPECT_FALSE(widgetOf(*pages[0])->isVisible());

    tabs.setTab(1);  // from code
    EXPECT_EQ(bar->currentIndex(), 1);
    EXPECT_TRUE(widgetOf(*pages[1])->isVisible());
    EXPECT_FALSE(widgetOf(*pages[2])->isVisible());
    EXPECT_EQ(previous, (std::vector<int>{0, 2}));
}

TEST_F(FormWindowTest, RendersToAPngOfItsTwipSize)
{
    auto& label = form.add<forms::Label>("lblA");
    label.move(0, 0, 1500, 300);
    label.setBackColor(0x0000FF);
    const fs::path file = artifact("plain_form.png");
    ASSERT_TRUE(qv::renderToPng(form, file));  // never shown: the window is made for it
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight())));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0xFF, 0, 0));
}

TEST(FormRenderer, RendersAFormOfTheHeadlessPlatformAndLeavesItAsItWas)
{
    forms::HeadlessPlatform headless;
    forms::Form form(headless, "frmHeadless");
    form.move(0, 0, 3000, 2000);
    form.setBackColor(0x00FF00);
    ASSERT_TRUE(qv::renderToPng(form, artifact("headless_form.png")));
    EXPECT_EQ(form.observer(), nullptr);
    const QImage image(QString::fromStdString(artifact("headless_form.png").string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight())));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0xFF, 0));
}

}  // namespace
}  // namespace qtview_test
