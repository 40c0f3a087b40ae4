// A form with every kind of control, rendered to a picture for people to look at; the colours
// that the program's bit rows rely on are checked exactly.
#include <QImage>
#include <filesystem>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

namespace fs = std::filesystem;
using namespace platform::forms;

constexpr Color SetBit = 0x80FF80;
constexpr Color ClearBit = 0x8080FF;

class SampleFormTest : public QtViewTest {
protected:
    fs::path dir = fs::path(QUELVAR_TEST_ARTIFACTS) / "qtview";

    void build()
    {
        form.move(0, 0, 9600, 6900);
        form.setCaption("Sample - every control");
        auto& file = form.add<MenuItem>("mnuFile");
        file.setCaption("&File");
        form.add<MenuItem>("mnuExit", &file).setCaption("E&xit");
        form.add<MenuItem>("mnuMode").setCaption("&Mode");

        auto& fra = form.add<Frame>("fraChargeCurrent");
        fra.move(120, 60, 9240, 1500);
        fra.setCaption("Charge Current (Addr 0x14)");
        for (int bit = 15; bit >= 0; --bit) {
            auto& chk = form.add<CheckBox>("chkChargeCurrent", &fra, bit);
            chk.setStyle(CheckStyle::Graphical);
            chk.move(120 + (15 - bit) * 375, 300, 375, 375);
            const bool set = bit % 3 == 0;
            chk.setValue(set ? 1 : 0);
            chk.setCaption(set ? "1" : "0");
            if (bit >= 7 && bit <= 12)
                chk.setBackColor(set ? SetBit : ClearBit);
        }
        auto& txt = form.add<TextBox>("txtChargeCurrent", &fra);
        txt.move(120, 840, 1200, 315);
        txt.setText("1536");
        auto& lbl = form.add<Label>("lblmA", &fra);
        lbl.move(1400, 880, 500, 255);
        lbl.setCaption("mA");
        auto& cmd = form.add<CommandButton>("cmdReadChargeCurrent", &fra);
        cmd.move(2100, 800, 1000, 375);
        cmd.setCaption("&Read");

        auto& chk = form.add<CheckBox>("chkStandard");
        chk.move(120, 1680, 2000, 300);
        chk.setCaption("Standard check");
        chk.setValue(1);
        auto& opt0 = form.add<OptionButton>("optMode", nullptr, 0);
        opt0.move(120, 2040, 2000, 300);
        opt0.setCaption("Application");
        opt0.setValue(true);
        auto& opt1 = form.add<OptionButton>("optMode", nullptr, 1);
        opt1.move(120, 2340, 2000, 300);
        opt1.setCaption("Test mode");

        auto& cbo = form.add<ComboBox>("cboRegister");
        cbo.move(120, 2760, 2000, 315);
        for (const char* item : {"0x00", "0x01"})
            cbo.addItem(item);
        cbo.setText("typed text");

        auto& bordered = form.add<Label>("lblBorder");
        bordered.move(120, 3240, 2000, 600);
        bordered.setBorderStyle(BorderStyle::FixedSingle);
        bordered.setBackColor(colors::WindowBackground);
        bordered.setCaption("Bordered label that wraps at words");
        auto& clear = form.add<Label>("lblTransparent");
        clear.move(120, 3960, 2000, 255);
        clear.setBackStyle(BackStyle::Transparent);
        clear.setForeColor(0x0000C0);
        clear.setCaption("Transparent, red text");

        QImage art(32, 24, QImage::Format_RGB32);
        art.fill(QColor(0x20, 0x60, 0xC0));
        const std::string picture = (dir / "sample_picture.png").string();
        art.save(QString::fromStdString(picture));
        auto& pic = form.add<PictureBox>("picLogo");
        pic.move(120, 4380, 1200, 900);
        pic.setPicture(picture);
        auto& img = form.add<Image>("ImgLogo");
        img.move(1440, 4380, 900, 900);
        img.setStretch(true);
        img.setPicture(picture);
        auto& rect = form.add<Shape>("shpLamp", nullptr, 0);
        rect.move(120, 5400, 600, 450);
        rect.setFilled(true);
        rect.setFillColor(0x00C000);
        auto& circle = form.add<Shape>("shpLamp", nullptr, 1);
        circle.move(840, 5400, 450, 450);
        circle.setShape(ShapeType::Circle);
        circle.setFilled(true);
        circle.setFillColor(0x0000FF);
        form.add<Timer>("tmrScan").setInterval(1000);

        auto& tabs = form.add<TabControl>("SSTab1");
        tabs.move(2640, 1680, 6720, 3600);
        for (int i = 0; i < 3; ++i) {
            auto& page = form.add<Frame>("fraPage", &tabs, i);
            page.move(60, 360, 6600, 3180);
            page.setCaption("");
            const char* names[] = {"Control", "EEPROM", "Registers"};
            tabs.addTab(names[i], &page);
            auto& inner = form.add<CommandButton>("cmdPage", &page, i);
            inner.move(240, 360, 1800, 375);
            inner.setCaption(std::string("Toggle on ") + names[i]);
        }
    }
};

TEST_F(SampleFormTest, RendersEveryKindWithExactBitColours)
{
    fs::create_directories(dir);
    build();
    showForm();
    const fs::path file = dir / "sample_form.png";
    ASSERT_TRUE(qv::renderToPng(form, file));
    const QImage image(QString::fromStdString(file.string()));
    const int menu = qv::toPixels(Form::MenuBarHeight);
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight()) + menu));

    // Bits 7-12 carry the set/clear colours, wherever their caption is not drawn.
    for (int bit : {12, 9, 7}) {
        QWidget* w = widgetOf(form.get<CheckBox>("chkChargeCurrent", bit));
        const QPoint corner = w->mapTo(&window(), QPoint(4, 4));
        const QColor expected = bit % 3 == 0 ? QColor(0x80, 0xFF, 0x80) : QColor(0xFF, 0x80, 0x80);
        EXPECT_EQ(image.pixelColor(corner), expected) << "bit " << bit;
    }
}

}  // namespace
}  // namespace qtview_test
