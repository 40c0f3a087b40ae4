// A form with a bit row and the kinds of control the program's windows use, rendered to a picture
// for people to look at; the colours that the program's bit rows rely on are checked exactly.
#include <QImage>
#include <filesystem>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

namespace fs = std::filesystem;
using namespace platform::forms;

TEST_F(QtViewTest, SampleFormRendersAtItsTwipSizeWithExactBitColours)
{
    const fs::path dir = fs::path(QUELVAR_TEST_ARTIFACTS) / "qtview";
    fs::create_directories(dir);
    form.move(0, 0, 9600, 6900);
    form.setCaption("Sample");
    auto& file = form.add<MenuItem>("mnuFile");
    file.setCaption("&File");
    form.add<MenuItem>("mnuExit", &file).setCaption("E&xit");

    auto& fra = put<Frame>("fraChargeCurrent", 120, 60, 9240, 1500);
    fra.setCaption("Charge Current (Addr 0x14)");
    for (int bit = 15; bit >= 0; --bit) {
        const bool set = bit % 3 == 0;
        auto& chk = put<CheckBox>("chkChargeCurrent", 120 + (15 - bit) * 375, 300, 375, 375, &fra, bit);
        chk.setCaption(set ? "1" : "0");
        chk.setStyle(CheckStyle::Graphical);
        chk.setValue(set ? 1 : 0);
        if (bit >= 7 && bit <= 12)
            chk.setBackColor(set ? 0x80FF80 : 0x8080FF);
    }
    put<TextBox>("txtChargeCurrent", 120, 840, 1200, 315, &fra).setText("1536");
    put<Label>("lblmA", 1400, 880, 500, 255, &fra).setCaption("mA");
    put<CommandButton>("cmdReadChargeCurrent", 2100, 800, 1000, 375, &fra).setCaption("&Read");

    auto& chk = put<CheckBox>("chkStandard", 120, 1680, 2000, 300);
    chk.setCaption("Standard check");
    chk.setValue(1);
    auto& opt = put<OptionButton>("optMode", 120, 2040, 2000, 300, nullptr, 0);
    opt.setCaption("Application");
    opt.setValue(true);
    put<OptionButton>("optMode", 120, 2340, 2000, 300, nullptr, 1).setCaption("Test mode");
    auto& cbo = put<ComboBox>("cboRegister", 120, 2760, 2000, 315);
    cbo.addItem("0x00");
    cbo.setText("typed text");
    auto& label = put<Label>("lblBorder", 120, 3240, 2000, 600);
    label.setCaption("Bordered label, red text that wraps at words");
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setForeColor(0x0000C0);

    QImage art(32, 24, QImage::Format_RGB32);
    art.fill(QColor(0x20, 0x60, 0xC0));
    const std::string picture = (dir / "sample_picture.png").string();
    art.save(QString::fromStdString(picture));
    put<PictureBox>("picLogo", 120, 4380, 1200, 900).setPicture(picture);
    auto& img = put<Image>("ImgLogo", 1440, 4380, 900, 900);
    img.setStretch(true);
    img.setPicture(picture);
    auto& lamp = put<Shape>("shpLamp", 120, 5400, 450, 450);
    lamp.setShape(ShapeType::Circle);
    lamp.setFilled(true);
    lamp.setFillColor(0x0000FF);
    showForm();

    const fs::path png = dir / "sample_form.png";
    ASSERT_TRUE(qv::renderToPng(form, png));
    const QImage image(QString::fromStdString(png.string()));
    // The client area, 9480 x 6135 twips, and the menu bar.
    EXPECT_EQ(image.size(), QSize(632, 409 + qv::toPixels(Form::MenuBarHeight)));
    // Bits 7-12 carry the set/clear colours, wherever their caption is not drawn.
    for (int bit : {12, 9, 7}) {
        QWidget* w = widgetOf(form.get<CheckBox>("chkChargeCurrent", bit));
        const QColor expected = bit % 3 == 0 ? QColor(0x80, 0xFF, 0x80) : QColor(0xFF, 0x80, 0x80);
        EXPECT_EQ(image.pixelColor(w->mapTo(&window(), QPoint(4, 4))), expected) << "bit " << bit;
    }
}

}  // namespace
}  // namespace qtview_test
