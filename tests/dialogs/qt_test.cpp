// The two dialogs on the Qt view, offscreen: pictures at their twip sizes for people to look at,
// and the logging dialog as an application-modal window that a click on OK closes.
#include <QAbstractButton>
#include <QImage>
#include <QTimer>

#include "dialogs/frm_log_options.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace dialogs_test {
namespace {

namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

QSize rendered(forms::Form& form, const std::string& name)
{
    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "dialogs" / name;
    std::filesystem::create_directories(file.parent_path());
    EXPECT_TRUE(qv::renderToPng(form, file));
    return QImage(QString::fromStdString(file.string())).size();
}

TEST(DialogsOnQt, BothRenderAtTheirSizesAndTheLoggingDialogIsModalUntilOk)
{
    testsupport::QtProgram run;
    run.program.form2().show();
    auto& registers = run.program.registers();
    registers.show();
    registers.get<forms::Label>("lblReadData").setCaption("A5");
    run.platform.doEvents();
    EXPECT_EQ(rendered(registers, "registers.png"), QSize(qv::toPixels(4680), qv::toPixels(3090)));
    registers.hide();

    auto& options = run.program.logOptions();
    bool modal = false;
    QSize picture;
    QTimer::singleShot(0, [&] {
        auto& window = run.platform.window(options);
        modal = window.isVisible() && window.windowModality() == Qt::ApplicationModal;
        picture = rendered(options, "log_options.png");
        dynamic_cast<QAbstractButton&>(*window.viewOf(options.get<forms::Control>("cmdOK"))->widget()).click();
    });
    options.ShowForm();
    EXPECT_TRUE(modal);
    EXPECT_EQ(picture, QSize(qv::toPixels(7890), qv::toPixels(6600)));
    // The boxes share the window's grey, inside the 1-pixel outline in the window-text colour.
    const QImage image(QString::fromStdString((std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "dialogs/log_options.png").string()));
    for (QPoint inBox : {QPoint(125, 70), QPoint(485, 286)})
        EXPECT_EQ(image.pixelColor(inBox), QColor(0xE0, 0xE0, 0xE0)) << inBox.x();
    EXPECT_EQ(image.pixelColor(16, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(17, 100), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_FALSE(run.platform.window(options).isVisible());
    EXPECT_EQ(run.program.vars().gvLogRate, 0) << "OK stores the empty interval as 0";
}

}  // namespace
}  // namespace dialogs_test
