// The Qt platform: modal message boxes with timers ticking, the wait, the pointer, the end, and
// the application as the program sets it up.
#include <QAbstractButton>
#include <QCursor>
#include <QFontInfo>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>

#include "platform/forms/timer.h"
#include "platform/qtview/convert.h"
#include "qt_test_helpers.h"
#include "support/offscreen_app.h"

namespace qtview_test {
namespace {

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

using forms::Answer;
using forms::Buttons;

QMessageBox* openBox()
{
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

TEST_F(QtViewTest, MessageBoxesAreModalWhileTimersTickAndAnswerWithTheButtonPressed)
{
    // A broken test fails instead of hanging: any box still open after 10 s is closed.
    QObject watchdog;
    QTimer::singleShot(10'000, &watchdog, [] {
        ADD_FAILURE() << "a message box stayed open";
        if (QMessageBox* box = openBox())
            box->reject();
    });
    auto& tmrOpen = form.add<forms::Timer>("tmrOpen");
    auto& tmrPress = form.add<forms::Timer>("tmrPress");
    showForm();
    std::vector<Answer> answers;
    int opened = 0, ticksWhileOpen = 0;
    tmrOpen.setInterval(2);
    tmrOpen.onTimer = [&] {
        ++opened;
        answers.push_back(platform.msgBox("Continue?", Buttons::OkCancel));
        answers.push_back(platform.msgBox("Read ERROR", Buttons::Ok, "Check"));
        tmrOpen.setEnabled(false);
    };
    tmrPress.setInterval(3);
    tmrPress.onTimer = [&] {  // answers each box at its third tick
        QMessageBox* box = openBox();
        if (!box || ++ticksWhileOpen % 3 != 0)
            return;
        const bool first = ticksWhileOpen == 3;
        EXPECT_EQ(std::tuple(box->text(), box->windowTitle(), box->icon()),
                  std::tuple(first ? "Continue?" : "Read ERROR", first ? "Darnex" : "Check", QMessageBox::NoIcon));
        EXPECT_EQ(box->button(QMessageBox::Cancel) == nullptr, !first);
        box->button(first ? QMessageBox::Cancel : QMessageBox::Ok)->click();
    };
    const std::int64_t giveUp = platform.nowMs() + 10'000;
    while (tmrOpen.enabled() && platform.nowMs() < giveUp)
        platform.waitForEvents(giveUp);
    EXPECT_EQ(opened, 1);  // no second box while its own handler waits
    EXPECT_EQ(ticksWhileOpen, 6);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::Cancel, Answer::Ok}));
}

TEST_F(QtViewTest, WaitReturnsAtTheDeadlineAndAtOnceForPostedWork)
{
    const std::int64_t deadline = platform.nowMs() + 30;
    while (platform.nowMs() < deadline)
        platform.waitForEvents(deadline);
    EXPECT_GE(platform.nowMs(), deadline);

    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    const std::int64_t far = platform.nowMs() + 60'000;
    platform.waitForEvents(far);
    EXPECT_TRUE(ran);
    EXPECT_LT(platform.nowMs(), far);

    platform.waitForEvents(platform.nowMs() - 1);  // past deadline: straight back
}

TEST_F(QtViewTest, HourglassIsOneOverrideCursorWhateverTheNumberOfSets)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setMousePointer(forms::pointer::Hourglass);
    platform.setMousePointer(forms::pointer::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setMousePointer(forms::pointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtViewTest, CloseBoxAsksTheModelAndTheEndOfTheProgramDoesNot)
{
    showForm();
    int cancel = 1, unloads = 0;
    form.onUnload = [&](int& c) {
        ++unloads;
        c = cancel;
    };
    for (bool stays : {true, false}) {
        window().close();
        EXPECT_EQ(std::pair(window().isVisible(), form.loaded()), std::pair(stays, stays));
        cancel = 0;
    }
    EXPECT_EQ(unloads, 2);

    // The end closes every window without Unload and ends the event loop.
    form.show();
    QTimer::singleShot(0, [&] { platform.endProgram(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(unloads, 2);
}

TEST(SetupApplication, FusionStyleAndClassicFacesResolveToMetricCompatibleFonts)
{
    EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
    EXPECT_EQ(QApplication::font().family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), 8.25);
    const std::pair<const char*, const char*> faces[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"Comic Sans MS", "DejaVu Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
    };
    for (const auto& [classic, shown] : faces) {
        forms::Font font;
        font.name = classic;
        EXPECT_EQ(QFontInfo(qv::toQFont(font)).family(), shown) << classic;
    }
}

}  // namespace
}  // namespace qtview_test
