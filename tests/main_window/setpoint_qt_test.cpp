// Write and read back through the Qt widgets on the offscreen platform, over the simulated board.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <filesystem>
#include <memory>

#include "adapter/frm_usb.h"
#include "common/program.h"
#include "main_window/setpoint_frames.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/check_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/graphical_check_box.h"
#include "platform/qtview/qt_platform.h"

namespace main_window::testing {
namespace {

namespace forms = platform::forms;

// One QApplication for the program, unless another test file of this folder made it already.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QApplication::instance())
            return;
        app = std::make_unique<QApplication>(argc, argv);
        platform::qtview::setupApplication(*app);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[20] = "main_window_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplication);

void click(QWidget* w)
{
    const QPointF at(w->rect().center()), global(w->mapToGlobal(w->rect().center()));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

TEST(SetpointQt, TypedVoltageWrittenAndReadBackThroughTheWidgets)
{
    platform::qtview::QtPlatform platform;
    platform::busctl::SimulatedBoard board;
    common::Program program{platform, board};
    forms::Form form{platform, "Form2"};
    form.move(0, 0, 12615, 5535);
    auto& pic = form.add<forms::PictureBox>("picApplication");
    pic.move(0, 0, 12495, 4800);
    SetpointFrames frames{program, form, pic};
    program.vars().giDeviceAddress = 0x12;
    ASSERT_TRUE(program.usb().OpenFirstFreeDevice());
    form.show();
    auto& window = platform.window(form);
    window.activateWindow();
    platform.doEvents();
    auto widget = [&](const char* name, int index = -1) { return window.viewOf(form.get<forms::Control>(name, index))->widget(); };

    click(widget("chkChargeVoltage", 0));  // outside the field: the charger drops it
    auto* box = dynamic_cast<QLineEdit*>(widget("txtChargeVoltage"));
    ASSERT_NE(box, nullptr);
    click(box);
    type(box, "\b1x9201");
    EXPECT_EQ(box->text().toStdString(), "19201");
    click(widget("cmdWriteChargeVoltage"));
    EXPECT_EQ(board.peekWord(0x12, 0x15), 0x4B00);
    click(widget("cmdReadChargeVoltage"));
    platform.doEvents();

    EXPECT_EQ(box->text().toStdString(), "19200");
    std::string captions, pressed;
    for (int i = 15; i >= 0; --i) {
        auto* toggle = dynamic_cast<platform::qtview::GraphicalCheckBox*>(widget("chkChargeVoltage", i));
        ASSERT_NE(toggle, nullptr);
        captions += toggle->text().toStdString();
        pressed += toggle->sunken() ? "1" : "0";
    }
    EXPECT_EQ(captions, "0100101100000000");
    EXPECT_EQ(pressed, captions);

    // A picture of the screen to look at; an over-limit label shown so that its look is seen too.
    frames.chargeCurrent().overLimitLabel->setVisible(true);
    const auto dir = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / "main_window";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(platform::qtview::renderToPng(form, dir / "setpoint_frames.png"));
}

}  // namespace
}  // namespace main_window::testing
