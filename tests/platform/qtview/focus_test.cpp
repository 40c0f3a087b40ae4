// Focus: the user's focus moves reach the model once and in the classic order; the model's moves
// reach Qt without raising anything again.
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

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

}  // namespace
}  // namespace qtview_test
