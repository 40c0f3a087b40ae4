// The About window on the Qt view, offscreen: rendered to a picture for people to look at.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <filesystem>

#include "common/program.h"
#include "dialogs/frm_about.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/qt_platform.h"
#include "support/offscreen_app.h"
#include "support/test_driver.h"

namespace dialogs_test {
namespace {

namespace fs = std::filesystem;
namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(AboutRender, ShowsTheRealProgramFileDateAndRendersAtItsTwipSize)
{
    testsupport::TempFolder settings("quelvar-settings-");
    forms::ProgramInfo info = forms::defaultProgramInfo();
    // The build folder holds the program file and its pictures.
    info.folder = fs::path(QUELVAR_TEST_ARTIFACTS).parent_path();
    info.exeName = "darnex";
    const QFileInfo programFile(QString::fromStdString((info.folder / info.exeName).string()));
    ASSERT_TRUE(programFile.exists()) << "build the program first";

    qv::QtPlatform platform(info);
    platform.setSettingsFolder(settings.path());
    platform::busctl::SimulatedBoard board;
    common::Program program(platform, board);
    program.form2().show();
    program.form2().get<forms::MenuItem>("mnuAbout").userPick();
    auto& about = program.about();
    ASSERT_TRUE(about.visible());
    platform.doEvents();

    EXPECT_EQ(about.get<forms::Label>("UpdateDate").caption(),
              "Last Updated " + programFile.lastModified().toString("MM/dd/yyyy").toStdString());
    EXPECT_EQ(about.get<forms::Label>("badpathlabel").caption(), "");
    EXPECT_FALSE(about.get<forms::PictureBox>("AboutOK").picture().empty());

    const fs::path file = fs::path(QUELVAR_TEST_ARTIFACTS) / "dialogs" / "about.png";
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(qv::renderToPng(about, file));
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(6225), qv::toPixels(4650)));
    EXPECT_EQ(image.pixelColor(2, image.height() - 2), QColor(Qt::white));
}

}  // namespace
}  // namespace dialogs_test
