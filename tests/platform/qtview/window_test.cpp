// Form windows: placement from twips, focus, menus, tabs, and a picture of a headless form.
#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QTabBar>
#include <filesystem>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
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
    auto& pic = put<forms::PictureBox>("picLamp", 2000, 600, 600, 600);
    cmdGo.setCaption("&Go");
    // Tab order differs from creation order.
    cmdGo.setTabIndex(1);
    txtB.setTabIndex(2);
    pic.setTabIndex(3);
    for (forms::Control* c : std::initializer_list<forms::Control*>{&txtA, &txtB, &cmdGo, &lbl, &pic})
        record(*c);
    showForm();
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtA));  // the first in tab order on show
    log.clear();

    click(widgetOf(cmdGo));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(cmdGo));
    click(widgetOf(lbl));  // a label clicks but takes no focus
    key(Qt::Key_Tab);
    key(Qt::Key_Backtab, {}, Qt::ShiftModifier);
    click(widgetOf(pic));
    EXPECT_EQ(log, (Log{"txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.Click", "lblInfo.Click", "cmdGo.LostFocus",
                        "txtB.GotFocus", "txtB.LostFocus", "cmdGo.GotFocus", "cmdGo.LostFocus",
                        "picLamp.GotFocus", "picLamp.Click"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(pic));

    log.clear();
    txtB.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtB));
    txtB.setVisible(false);  // the model moves the focus on
    EXPECT_EQ(log, (Log{"picLamp.LostFocus", "txtB.GotFocus", "txtB.LostFocus", "picLamp.GotFocus"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(pic));

    // The window deactivated and back keeps the model's focus and raises nothing.
    log.clear();
    QWidget other;
    other.show();
    other.activateWindow();
    platform.doEvents();
    window().activateWindow();
    platform.doEvents();
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(pic));
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

// Every kind of control the windows use, on a headless form, rendered for people to look at; the
// colours the bit rows rely on are checked exactly.
TEST(FormRenderer, RendersAHeadlessFormAtItsTwipSizeAndLeavesItAsItWas)
{
    const auto dir = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "qtview";
    std::filesystem::create_directories(dir);
    HeadlessPlatform headless;
    Form form(headless, "frmSample");
    form.move(0, 0, 9600, 6900);
    form.setBackColor(0x00FF00);
    auto& file = form.add<MenuItem>("mnuFile");
    file.setCaption("&File");
    form.add<MenuItem>("mnuExit", &file).setCaption("E&xit");
    auto place = [&]<class T>(T& c, int left, int top, int width, int height) -> T& {
        c.move(left, top, width, height);
        return c;
    };
    auto& fra = place(form.add<Frame>("fraChargeCurrent"), 120, 1500, 9240, 1500);
    fra.setCaption("Charge Current (Addr 0x14)");
    for (int bit = 0; bit < 16; ++bit) {
        auto& chk = place(form.add<CheckBox>("chkChargeCurrent", bit < 8 ? nullptr : &fra, bit),
                          120 + bit * 375, 300, 375, 375);
        chk.setStyle(CheckStyle::Graphical);
        chk.setValue(bit % 3 == 0);
        chk.setBackColor(bit % 3 == 0 ? 0x80FF80 : 0x8080FF);
    }
    place(form.add<TextBox>("txtChargeCurrent", &fra), 120, 840, 1200, 315).setText("1536");
    place(form.add<CommandButton>("cmdReadChargeCurrent", &fra), 2100, 800, 1000, 375).setCaption("&Read");
    place(form.add<CheckBox>("chkStandard"), 120, 3120, 2000, 300).setValue(1);
    place(form.add<OptionButton>("optMode"), 120, 3480, 2000, 300).setValue(true);
    place(form.add<ComboBox>("cboRegister"), 120, 3840, 2000, 315).setText("typed text");
    auto& label = place(form.add<Label>("lblBorder"), 120, 4200, 2000, 600);
    label.setCaption("Bordered label, red text that wraps at words");
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setForeColor(0x0000C0);
    QImage art(32, 24, QImage::Format_RGB32);
    art.fill(QColor(0x20, 0x60, 0xC0));
    const std::string picture = (dir / "sample_picture.png").string();
    art.save(QString::fromStdString(picture));
    place(form.add<PictureBox>("picLogo"), 2400, 3120, 1200, 900).setPicture(picture);
    auto& img = place(form.add<Image>("ImgLogo"), 3720, 3120, 900, 900);
    img.setStretch(true);
    img.setPicture(picture);
    auto& lamp = place(form.add<Shape>("shpLamp"), 4800, 3120, 450, 450);
    lamp.setShape(ShapeType::Circle);
    lamp.setFilled(true);
    lamp.setFillColor(0x0000FF);

    const auto png = dir / "sample_form.png";
    ASSERT_TRUE(qv::renderToPng(form, png));
    EXPECT_EQ(form.observer(), nullptr);
    const QImage image(QString::fromStdString(png.string()));
    const int menu = qv::toPixels(Form::MenuBarHeight);
    // The client area, 9480 x 6135 twips, and the menu bar.
    EXPECT_EQ(image.size(), QSize(632, 409 + menu));
    EXPECT_EQ(image.pixelColor(1, menu + 1), QColor(0, 0xFF, 0));
    for (int bit : {0, 1, 2, 3})  // set and clear, in the exact colours, clear of the edges
        EXPECT_EQ(image.pixelColor((120 + bit * 375) / 15 + 4, menu + 300 / 15 + 4),
                  bit % 3 == 0 ? QColor(0x80, 0xFF, 0x80) : QColor(0xFF, 0x80, 0x80))
            << "bit " << bit;
}

}  // namespace
}  // namespace qtview_test
