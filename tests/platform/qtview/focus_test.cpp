// Focus: the user's focus moves reach the model once and in the classic order; the model's moves
// reach Qt without raising anything again.
#include <QComboBox>
#include <QLineEdit>

#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

class FocusTest : public QtViewTest {
protected:
    forms::TextBox& txtA = form.add<forms::TextBox>("txtA");
    forms::TextBox& txtB = form.add<forms::TextBox>("txtB");
    forms::CommandButton& cmdGo = form.add<forms::CommandButton>("cmdGo");

    void SetUp() override
    {
        QtViewTest::SetUp();
        txtA.move(120, 120, 1500, 315);
        txtB.move(120, 600, 1500, 315);
        cmdGo.move(120, 1080, 1200, 375);
        cmdGo.setCaption("&Go");
        // Tab order differs from creation order.
        txtA.setTabIndex(0);
        cmdGo.setTabIndex(1);
        txtB.setTabIndex(2);
        for (forms::Control* c : std::initializer_list<forms::Control*>{&txtA, &txtB, &cmdGo})
            record(*c);
        showForm();
        log.clear();
    }
};

TEST_F(FocusTest, ButtonClickedWhileATextBoxHasFocusRaisesLostFocusFirstAndEachEventOnce)
{
    click(widgetOf(cmdGo));
    EXPECT_EQ(log, (std::vector<std::string>{"txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.Click"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(cmdGo));
}

TEST_F(FocusTest, ClickOnALabelOrAPictureIsAClickAndOnlyThePictureTakesTheFocus)
{
    auto& lbl = form.add<forms::Label>("lblInfo");
    auto& pic = form.add<forms::PictureBox>("picLamp");
    lbl.move(2000, 120, 1500, 315);
    pic.move(2000, 600, 600, 600);
    record(lbl);
    record(pic);
    click(widgetOf(lbl));
    click(widgetOf(pic));
    EXPECT_EQ(log, (std::vector<std::string>{"lblInfo.Click", "txtA.LostFocus", "picLamp.GotFocus", "picLamp.Click"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(pic));
}

TEST_F(FocusTest, TabFollowsTabIndex)
{
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Backtab, {}, Qt::ShiftModifier);
    EXPECT_EQ(log, (std::vector<std::string>{"txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.LostFocus",
                                             "txtB.GotFocus", "txtB.LostFocus", "cmdGo.GotFocus"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(cmdGo));
}

TEST_F(FocusTest, FocusMovedByTheModelReachesQtWithoutNewEvents)
{
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtA));  // the first in tab order on show
    txtB.setFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"txtA.LostFocus", "txtB.GotFocus"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtB));
    txtA.setFocus();
    log.clear();

    // Hidden or disabled, the focused control gives the focus to the next one, as the model says.
    txtA.setVisible(false);
    EXPECT_EQ(log, (std::vector<std::string>{"txtA.LostFocus", "cmdGo.GotFocus"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(cmdGo));
    log.clear();
    cmdGo.setEnabled(false);
    EXPECT_EQ(log, (std::vector<std::string>{"cmdGo.LostFocus", "txtB.GotFocus"}));
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtB));
}

TEST_F(FocusTest, WindowDeactivatedAndBackKeepsTheModelFocus)
{
    txtB.setFocus();
    log.clear();
    QWidget other;
    other.show();
    other.activateWindow();
    platform.doEvents();
    window().activateWindow();
    platform.doEvents();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(QApplication::focusWidget(), widgetOf(txtB));
}

}  // namespace
}  // namespace qtview_test
