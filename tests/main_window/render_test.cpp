// The main window on the Qt view, offscreen: rendered to a picture for people to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <filesystem>

#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"
#include "support/offscreen_app.h"
#include "support/test_driver.h"

namespace main_window_test {
namespace {

namespace fs = std::filesystem;
namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

const fs::path artifacts = fs::path(QUELVAR_TEST_ARTIFACTS) / "main_window";

TEST(MainWindowRender, StartsOnTheQtViewAndRendersAtItsTwipSize)
{
    testsupport::TempFolder settings("quelvar-settings-");
    forms::ProgramInfo info = forms::defaultProgramInfo();
    info.folder = fs::path(QUELVAR_TEST_ARTIFACTS).parent_path();  // the build folder, with the pictures
    info.exeName = "darnex";
    qv::QtPlatform platform(info);
    platform.setSettingsFolder(settings.path());
    platform::busctl::SimulatedBoard board;
    common::Program program(platform, board);

    auto& form = program.form2();
    form.show();
    ASSERT_TRUE(form.visible());
    EXPECT_FALSE(form.picture().empty()) << "the background picture was not found";
    form.get<forms::CommandButton>("cmdReadId").userClick();
    platform.doEvents();

    fs::create_directories(artifacts);
    const fs::path file = artifacts / "form2.png";
    ASSERT_TRUE(qv::renderToPng(form, file));
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()),
                                  qv::toPixels(form.scaleHeight()) + qv::toPixels(forms::Form::MenuBarHeight)));

    // The board's manufacturer word 0x0040: cell 6 green, its neighbour red.
    auto& window = platform.window(form);
    auto colourOf = [&](int bit) {
        QWidget* cell = window.viewOf(form.get<forms::Label>("lblManufId", bit))->widget();
        return image.pixelColor(cell->mapTo(&window, QPoint(4, 4)));
    };
    EXPECT_EQ(colourOf(6), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(colourOf(7), QColor(0xFF, 0x80, 0x80));
    EXPECT_EQ(form.get<forms::Label>("lblManufIdValue").caption(), "0040");
}

}  // namespace
}  // namespace main_window_test
