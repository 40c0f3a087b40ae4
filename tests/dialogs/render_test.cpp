// The About window on the Qt view, offscreen, rendered to a picture for people to look at.
#include <QDateTime>
#include <QFileInfo>
#include <QImage>

#include "dialogs/frm_about.h"
#include "main_window/form2.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "support/offscreen_app.h"

namespace dialogs_test {
namespace {

namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(AboutRender, ShowsTheRealProgramFileDateAndRendersAtItsTwipSize)
{
    testsupport::QtProgram run;
    const auto& info = run.platform.program();
    const QFileInfo programFile(QString::fromStdString((info.folder / info.exeName).string()));
    ASSERT_TRUE(programFile.exists()) << "build the program first";
    run.program.form2().show();
    run.program.form2().get<forms::MenuItem>("mnuAbout").userPick();
    auto& about = run.program.about();
    ASSERT_TRUE(about.visible());

    EXPECT_EQ(about.get<forms::Label>("UpdateDate").caption(),
              "Last Updated " + programFile.lastModified().toString("MM/dd/yyyy").toStdString());
    EXPECT_FALSE(about.get<forms::PictureBox>("AboutOK").picture().empty());

    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "dialogs" / "about.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(qv::renderToPng(about, file));
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(6225), qv::toPixels(4650)));
    EXPECT_EQ(image.pixelColor(2, image.height() - 2), QColor(Qt::white));
}

}  // namespace
}  // namespace dialogs_test
