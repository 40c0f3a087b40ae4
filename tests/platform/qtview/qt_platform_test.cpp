// The Qt platform: modal message boxes with timers ticking, the pointer, the end, and the
// application as the program sets it up.
#include <QAbstractButton>
#include <QCursor>
#include <QFontInfo>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <filesystem>

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
    QObject watchdog;  // a broken test fails instead of hanging
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
        answers.push_back(platform.msgBox("Read ERROR", Buttons::Ok, "Quelvar Check"));
        tmrOpen.setEnabled(false);
    };
    tmrPress.setInterval(3);
    tmrPress.onTimer = [&] {  // answers each box at its third tick
        QMessageBox* box = openBox();
        if (!box || ++ticksWhileOpen % 3 != 0)
            return;
        const bool first = ticksWhileOpen == 3;
        EXPECT_EQ(std::tuple(box->windowTitle(), box->button(QMessageBox::Cancel) != nullptr),
                  std::tuple(first ? "Darnex" : "Quelvar Check", first));
        // Wide enough for the title in a bold title-bar font beside three title-bar buttons.
        QFont bold = QApplication::font("QMdiSubWindowTitleBar");
        bold.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight));
        const auto png = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "qtview" / (first ? "box_ok_cancel.png" : "box_read_error.png");
        std::filesystem::create_directories(png.parent_path());
        EXPECT_TRUE(box->grab().save(QString::fromStdString(png.string())));
        box->button(first ? QMessageBox::Cancel : QMessageBox::Ok)->click();
    };
    const std::int64_t giveUp = platform.nowMs() + 10'000;
    while (tmrOpen.enabled() && platform.nowMs() < giveUp)
        platform.waitForEvents(giveUp);
    EXPECT_EQ(std::pair(opened, ticksWhileOpen), std::pair(1, 6));  // no second box while its own handler waits
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::Cancel, Answer::Ok}));
}

TEST_F(QtViewTest, HourglassIsOneOverrideCursorWhateverTheNumberOfSets)
{
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
    int unloads = 0;
    form.onUnload = [&](int& cancel) { cancel = ++unloads; };
    window().close();
    EXPECT_EQ(std::tuple(window().isVisible(), form.loaded(), unloads), std::tuple(true, true, 1));

    // The end closes every window without Unload and ends the event loop.
    QTimer::singleShot(0, [&] { platform.endProgram(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(std::pair(window().isVisible(), unloads), std::pair(false, 1));
}

TEST(SetupApplication, FusionStyleAndClassicFacesResolveToMetricCompatibleFonts)
{
    EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
    EXPECT_EQ(std::pair(QApplication::font().family(), QApplication::font().pointSizeF()), std::pair(QString("MS Sans Serif"), 8.25));
    const std::pair<const char*, const char*> faces[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Comic Sans MS", "DejaVu Sans"},
    };
    for (const auto& [classic, shown] : faces) {
        forms::Font font;
        font.name = classic;
        EXPECT_EQ(QFontInfo(qv::toQFont(font)).family(), shown) << classic;
    }
}

}  // namespace
}  // namespace qtview_test
