// The protector pages on the Qt view, offscreen, over the simulated board: the Control page after a
// fill and a pick of Host, and the STATUS panel with lit and unlit lamps, left as pictures under the
// artifacts folder for people to look at.

#include "main_window/form2.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_window.h"
#include "protector/status_lamps.h"
#include "support/offscreen_app.h"

namespace protector_test {
namespace {

namespace forms = platform::forms;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

TEST(ProtectorOnQt, TheControlPageAfterAFillAndTheStatusPanelWithLitAndUnlitLamps)
{
    testsupport::QtProgram run;
    auto& form = run.program.form2();
    form.show();
    auto& window = run.platform.window(form);
    form.get<forms::Control>("picApplication").setVisible(false);
    auto& tabs = form.get<forms::TabControl>("SSTab1");
    tabs.move(0, 0, tabs.width(), tabs.height());
    tabs.setVisible(true);
    tabs.userSelectTab(2);
    tabs.userSelectTab(0);
    form.get<forms::ComboBox>("cboHost").userChoose(1);
    run.platform.doEvents();
    testsupport::renderArtifact(form, "protector/control_page.png");

    // Its design place runs past the window's bottom edge.
    auto& picture2 = form.get<forms::Control>("Picture2");
    picture2.move(picture2.left(), 0, picture2.width(), picture2.height());
    picture2.setVisible(true);
    for (int bit = 0; bit <= protector::VgoodBit; ++bit)
        protector::showLamp(form, bit, 0x25);
    run.platform.doEvents();
    const QImage image = testsupport::renderArtifact(form, "protector/status_lamps.png");
    ASSERT_FALSE(form.get<forms::Image>("ImgGrnLEDVgood", 1).picture().empty()) << "the lamp pictures were not found";
    auto centreOf = [&](const char* pair, int element) {
        return image.pixelColor(window.viewOf(form.get<forms::Control>(pair, element))->widget()->mapTo(&window, QPoint(11, 12)));
    };
    EXPECT_EQ(centreOf("ImgGrnLEDVgood", 1), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(centreOf("ImgRedLEDOV", 1), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(centreOf("ImgRedLEDOcd", 0), QColor(0x80, 0x00, 0x00));
}

}  // namespace
}  // namespace protector_test
