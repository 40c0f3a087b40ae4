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

    template <class T>
    T& put(const std::string& name, Control* in, int index, int left, int top, int width, int height,
           const std::string& caption = {})
    {
        T& c = form.add<T>(name, in, index);
        c.move(left, top, width, height);
        c.setCaption(caption);
        return c;
    }

    void build()
    {
        form.move(0, 0, 9600, 6900);
        form.setCaption("Sample - every control");
        auto& file = put<MenuItem>("mnuFile", nullptr, -1, 0, 0, 0, 0, "&File");
        put<MenuItem>("mnuExit", &file, -1, 0, 0, 0, 0, "E&xit");
        put<MenuItem>("mnuMode", nullptr, -1, 0, 0, 0, 0, "&Mode");

        auto& fra = put<Frame>("fraChargeCurrent", nullptr, -1, 120, 60, 9240, 1500, "Charge Current (Addr 0x14)");
        for (int bit = 15; bit >= 0; --bit) {
            const bool set = bit % 3 == 0;
            auto& chk = put<CheckBox>("chkChargeCurrent", &fra, bit, 120 + (15 - bit) * 375, 300, 375, 375, set ? "1" : "0");
            chk.setStyle(CheckStyle::Graphical);
            chk.setValue(set ? 1 : 0);
            if (bit >= 7 && bit <= 12)
                chk.setBackColor(set ? SetBit : ClearBit);
        }
        put<TextBox>("txtChargeCurrent", &fra, -1, 120, 840, 1200, 315).setText("1536");
        put<Label>("lblmA", &fra, -1, 1400, 880, 500, 255, "mA");
        put<CommandButton>("cmdReadChargeCurrent", &fra, -1, 2100, 800, 1000, 375, "&Read");

        put<CheckBox>("chkStandard", nullptr, -1, 120, 1680, 2000, 300, "Standard check").setValue(1);
        put<OptionButton>("optMode", nullptr, 0, 120, 2040, 2000, 300, "Application").setValue(true);
        put<OptionButton>("optMode", nullptr, 1, 120, 2340, 2000, 300, "Test mode");
        auto& cbo = put<ComboBox>("cboRegister", nullptr, -1, 120, 2760, 2000, 315);
        cbo.addItem("0x00");
        cbo.setText("typed text");
        auto& bordered = put<Label>("lblBorder", nullptr, -1, 120, 3240, 2000, 600, "Bordered label that wraps at words");
        bordered.setBorderStyle(BorderStyle::FixedSingle);
        bordered.setBackColor(colors::WindowBackground);
        auto& clear = put<Label>("lblTransparent", nullptr, -1, 120, 3960, 2000, 255, "Transparent, red text");
        clear.setBackStyle(BackStyle::Transparent);
        clear.setForeColor(0x0000C0);

        QImage art(32, 24, QImage::Format_RGB32);
        art.fill(QColor(0x20, 0x60, 0xC0));
        const std::string picture = (dir / "sample_picture.png").string();
        art.save(QString::fromStdString(picture));
        put<PictureBox>("picLogo", nullptr, -1, 120, 4380, 1200, 900).setPicture(picture);
        auto& img = put<Image>("ImgLogo", nullptr, -1, 1440, 4380, 900, 900);
        img.setStretch(true);
        img.setPicture(picture);
        for (int i = 0; i < 2; ++i) {
            auto& lamp = put<Shape>("shpLamp", nullptr, i, 120 + i * 720, 5400, i ? 450 : 600, 450);
            lamp.setShape(i ? ShapeType::Circle : ShapeType::Rectangle);
            lamp.setFilled(true);
            lamp.setFillColor(i ? 0x0000FF : 0x00C000);
        }
        form.add<Timer>("tmrScan").setInterval(1000);

        auto& tabs = put<TabControl>("SSTab1", nullptr, -1, 2640, 1680, 6720, 3600);
        for (int i = 0; i < 3; ++i) {
            const std::string name[] = {"Control", "EEPROM", "Registers"};
            auto& page = put<Frame>("fraPage", &tabs, i, 60, 360, 6600, 3180);
            tabs.addTab(name[i], &page);
            put<CommandButton>("cmdPage", &page, i, 240, 360, 1800, 375, "Toggle on " + name[i]);
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
