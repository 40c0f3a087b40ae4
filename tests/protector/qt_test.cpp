// The protector pages on the Qt view, offscreen, over the simulated board, each left as a picture
// under the artifacts folder for people to look at.
#include <QImage>

#include "main_window/form2.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_window.h"
#include "protector/status_lamps.h"
#include "support/offscreen_app.h"

namespace protector_test {
namespace {

namespace forms = platform::forms;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(ProtectorOnQt, EachPageAtItsTwipSizeInItsColoursAndTheStatusPanelWithLitAndUnlitLamps)
{
    testsupport::QtProgram run;
    auto& form = run.program.form2();
    form.show();
    auto& window = run.platform.window(form);
    auto widget = [&](const char* name, int index = -1) { return window.viewOf(form.get<forms::Control>(name, index))->widget(); };
    form.get<forms::Control>("picApplication").setVisible(false);
    auto& tabs = form.get<forms::TabControl>("SSTab1");
    tabs.move(0, 0, tabs.width(), tabs.height());
    tabs.setVisible(true);

    // The panel after a change to its tab (which fills the page) and the given act.
    auto panel = [&](int tab, const char* name, const char* file, auto act) {
        tabs.userSelectTab(tab);
        act();
        run.platform.doEvents();
        const QImage image = widget(name)->grab().toImage();
        const auto path = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "protector" / file;
        std::filesystem::create_directories(path.parent_path());
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        EXPECT_EQ(image.size(), QSize(platform::qtview::toPixels(9855), platform::qtview::toPixels(7575)));
        EXPECT_EQ(image.pixelColor(4, 4), QColor(0xE0, 0xE0, 0xE0)) << name;
        return [&, image, name](const char* control, int index) {
            return image.pixelColor(widget(control, index)->mapTo(widget(name), QPoint(3, 3)));
        };
    };
    panel(1, "picEeprom", "eeprom_page.png", [] {});
    auto registers = panel(2, "picRegisters", "registers.png", [&] { form.get<forms::CommandButton>("cmdReadAll").userClick(); });
    EXPECT_EQ(registers("Label7", 0), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(registers("txtData", 0), QColor(Qt::white));
    panel(0, "picControl", "control_page.png", [&] { form.get<forms::ComboBox>("cboHost").userChoose(1); });

    // Its design place runs past the window's bottom edge.
    auto& picture2 = form.get<forms::Control>("Picture2");
    picture2.move(picture2.left(), 0, picture2.width(), picture2.height());
    picture2.setVisible(true);
    for (int bit = 0; bit <= protector::VgoodBit; ++bit)
        protector::showLamp(form, bit, 0x25);
    run.platform.doEvents();
    const QImage image = testsupport::renderArtifact(form, "protector/status_lamps.png");
    ASSERT_FALSE(form.get<forms::Image>("ImgGrnLEDVgood", 1).picture().empty()) << "the lamp pictures were not found";
    auto centreOf = [&](const char* pair, int element) { return image.pixelColor(widget(pair, element)->mapTo(&window, QPoint(11, 12))); };
    EXPECT_EQ(centreOf("ImgGrnLEDVgood", 1), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(centreOf("ImgRedLEDOcd", 0), QColor(0x80, 0x00, 0x00));
}

}  // namespace
}  // namespace protector_test
