// The EEPROM page on the Qt view, offscreen, over the simulated board: a picture of picEeprom
// after a fill, at its twip size, left under the artifacts folder for people to look at. The
// folder's qt_test.cpp starts the application.
#include <QImage>
#include <QWidget>

#include "main_window/form2.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace protector_test {
namespace {

namespace forms = platform::forms;

TEST(EepromPageOnQt, ThePageRendersAtItsTwipSizeInThePageColour)
{
    testsupport::QtProgram run;
    auto& form = run.program.form2();
    form.show();
    form.get<forms::Control>("picApplication").setVisible(false);
    auto& tabs = form.get<forms::TabControl>("SSTab1");
    tabs.move(0, 0, tabs.width(), tabs.height());
    tabs.setVisible(true);
    tabs.userSelectTab(1);  // the page change fills the page
    run.platform.doEvents();

    const QImage image = run.platform.window(form).viewOf(form.get<forms::Control>("picEeprom"))->widget()->grab().toImage();
    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "protector/eeprom_page.png";
    std::filesystem::create_directories(file.parent_path());
    EXPECT_TRUE(image.save(QString::fromStdString(file.string())));
    EXPECT_EQ(image.size(), QSize(9855 / 15, 7575 / 15));
    EXPECT_EQ(image.pixelColor(4, 4), QColor(0xE0, 0xE0, 0xE0));
}

}  // namespace
}  // namespace protector_test
