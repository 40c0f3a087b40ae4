// The main window on the Qt view, offscreen, rendered to a picture for people to look at.
#include <QImage>

#include "main_window/form2.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace main_window_test {
namespace {

namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(MainWindowRender, StartsOnTheQtViewAndRendersAtItsTwipSize)
{
    testsupport::QtProgram run;
    auto& form = run.program.form2();
    form.show();
    EXPECT_FALSE(form.picture().empty()) << "the background picture was not found";
    form.get<forms::CommandButton>("cmdReadId").userClick();
    run.platform.doEvents();

    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "main_window" / "form2.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(qv::renderToPng(form, file));
    const QImage image(QString::fromStdString(file.string()));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()),
                                  qv::toPixels(form.scaleHeight()) + qv::toPixels(forms::Form::MenuBarHeight)));
    // The board's manufacturer word 0x0040: cell 6 green, cell 7 red.
    auto& window = run.platform.window(form);
    auto colourOf = [&](int bit) {
        QWidget* cell = window.viewOf(form.get<forms::Label>("lblManufId", bit))->widget();
        return image.pixelColor(cell->mapTo(&window, QPoint(4, 4)));
    };
    EXPECT_EQ(colourOf(6), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(colourOf(7), QColor(0xFF, 0x80, 0x80));
}

}  // namespace
}  // namespace main_window_test
