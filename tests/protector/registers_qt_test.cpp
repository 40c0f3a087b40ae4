// The Registers page on the Qt view, offscreen, over the simulated board: a picture of the panel
// after Read All, left under the artifacts folder for people to look at.
#include <QImage>

#include "main_window/form2.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace protector_test {
namespace {

namespace forms = platform::forms;
namespace qv = platform::qtview;

// The program's one QApplication is registered in qt_test.cpp.

TEST(RegistersPageOnQt, PanelRendersAtItsTwipSizeWithTheBitColours)
{
    testsupport::QtProgram run;
    auto& form = run.program.form2();
    form.show();
    form.get<forms::PictureBox>("picApplication").setVisible(false);
    auto& tabs = form.get<forms::TabControl>("SSTab1");
    tabs.move(0, 0, tabs.width(), tabs.height());
    tabs.setVisible(true);
    tabs.userSelectTab(2);
    auto& window = run.platform.window(form);
    auto widget = [&](const char* name, int index = -1) { return window.viewOf(form.get<forms::Control>(name, index))->widget(); };
    form.get<forms::CommandButton>("cmdReadAll").userClick();
    run.platform.doEvents();

    const QImage image = widget("picRegisters")->grab().toImage();
    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "protector/registers.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    EXPECT_EQ(image.size(), QSize(qv::toPixels(9855), qv::toPixels(7575)));
    auto colourAt = [&](const char* name, int index) {
        return image.pixelColor(widget(name, index)->mapTo(widget("picRegisters"), QPoint(3, 3)));
    };
    EXPECT_EQ(colourAt("Label7", 0), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(colourAt("Label7", 1), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(colourAt("txtData", 0), QColor(Qt::white));
    EXPECT_EQ(colourAt("chkScan", -1), QColor(0xE0, 0xE0, 0xE0));
}

}  // namespace
}  // namespace protector_test
