// Pictures at the twip sizes, under the artifacts folder, for people to look at.
#include <QAbstractButton>
#include <QTimer>

#include "dialogs/frm_log_options.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace dialogs_test {
namespace {

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(DialogsOnQt, BothRenderAtTheirSizesAndTheLoggingDialogIsModalUntilOk)
{
    testsupport::QtProgram run;
    run.program.form2().show();
    run.program.registers().show();
    EXPECT_EQ(testsupport::renderArtifact(run.program.registers(), "dialogs/registers.png").size(), QSize(4680 / 15, 3090 / 15));

    auto& options = run.program.logOptions();
    auto& window = run.platform.window(options);
    bool modal = false;
    QImage picture;
    QTimer::singleShot(0, [&] {
        modal = window.isVisible() && window.windowModality() == Qt::ApplicationModal;
        picture = testsupport::renderArtifact(options, "dialogs/log_options.png");
        dynamic_cast<QAbstractButton&>(*window.viewOf(options.get<platform::forms::Control>("cmdOK"))->widget()).click();
    });
    options.ShowForm();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(picture.size(), QSize(7890 / 15, 6600 / 15));
}

}  // namespace
}  // namespace dialogs_test
