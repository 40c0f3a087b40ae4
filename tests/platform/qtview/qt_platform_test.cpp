// The Qt platform: modal message boxes with timers ticking, the wait, the pointer, the end.
#include <QAbstractButton>
#include <QCursor>
#include <QFontInfo>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>

#include "platform/forms/timer.h"
#include "platform/qtview/convert.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using forms::Answer;
using forms::Buttons;

class QtPlatformTest : public QtViewTest {
protected:
    forms::Timer& tmrA = form.add<forms::Timer>("tmrA");
    forms::Timer& tmrB = form.add<forms::Timer>("tmrB");

    // The open message box, if any.
    static QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
    static void press(QMessageBox* box, QMessageBox::StandardButton which) { box->button(which)->click(); }

    // A broken test fails instead of hanging: any box still open after 10 s is closed.
    QObject watchdogContext;
    void SetUp() override
    {
        QtViewTest::SetUp();
        QTimer::singleShot(10'000, &watchdogContext, [] {
            ADD_FAILURE() << "a message box stayed open";
            if (QMessageBox* box = openBox())
                box->reject();
        });
    }
};

TEST_F(QtPlatformTest, MessageBoxIsModalAndTimersKeepTickingUntilATimerClosesIt)
{
    showForm();
    int ticks = 0;
    QString seenText, seenTitle;
    bool hasCancel = true, iconless = false;
    tmrA.setInterval(5);
    tmrA.onTimer = [&] {
        QMessageBox* box = openBox();
        if (!box)
            return;
        if (++ticks < 3)
            return;
        seenText = box->text();
        seenTitle = box->windowTitle();
        hasCancel = box->button(QMessageBox::Cancel) != nullptr;
        iconless = box->icon() == QMessageBox::NoIcon;
        press(box, QMessageBox::Ok);
    };
    EXPECT_EQ(platform.msgBox("Read ERROR"), Answer::Ok);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(seenText, "Read ERROR");
    EXPECT_EQ(seenTitle, QString::fromStdString(platform.program().title));
    EXPECT_FALSE(hasCancel);
    EXPECT_TRUE(iconless);
}

TEST_F(QtPlatformTest, OkCancelBoxOpenedFromATimerAnswersCancelWhileAnotherTimerTicks)
{
    showForm();
    Answer answer = Answer::Ok;
    int opened = 0, otherTicks = 0;
    tmrA.setInterval(2);
    tmrA.onTimer = [&] {
        ++opened;
        answer = platform.msgBox("Continue?", Buttons::OkCancel, "Check");
        tmrA.setEnabled(false);
    };
    tmrB.setInterval(3);
    tmrB.onTimer = [&] {
        if (QMessageBox* box = openBox(); box && ++otherTicks == 3)
            press(box, QMessageBox::Cancel);
    };
    const std::int64_t giveUp = platform.nowMs() + 10'000;
    while (tmrA.enabled() && platform.nowMs() < giveUp)
        platform.waitForEvents(giveUp);
    EXPECT_EQ(opened, 1);  // no second box while its own handler waits
    EXPECT_EQ(otherTicks, 3);
    EXPECT_EQ(answer, Answer::Cancel);
}

TEST_F(QtPlatformTest, WaitReturnsAtTheDeadlineAndAtOnceForPostedWork)
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

TEST_F(QtPlatformTest, HourglassIsOneOverrideCursorWhateverTheNumberOfSets)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setMousePointer(forms::pointer::Hourglass);
    platform.setMousePointer(forms::pointer::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setMousePointer(forms::pointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setMousePointer(forms::pointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtPlatformTest, CloseBoxAsksTheModelWhichMayRefuse)
{
    showForm();
    int cancel = 1, unloads = 0;
    form.onUnload = [&](int& c) {
        ++unloads;
        c = cancel;
    };
    window().close();
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(form.loaded());
    cancel = 0;
    window().close();
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(unloads, 2);
}

TEST_F(QtPlatformTest, EndProgramClosesWindowsWithoutUnloadAndEndsTheEventLoop)
{
    showForm();
    int unloads = 0;
    form.onUnload = [&](int&) { ++unloads; };
    int exitCode = -1;
    QTimer::singleShot(0, [&] { platform.endProgram(); });
    exitCode = QCoreApplication::exec();
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(unloads, 0);
}

}  // namespace
}  // namespace qtview_test

namespace qtview_test {
namespace {

TEST(SetupApplication, ClassicFacesResolveToMetricCompatibleFonts)
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
