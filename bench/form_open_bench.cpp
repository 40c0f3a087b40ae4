// What the forms model and its Qt view cost to open a big window: a 500-control form in about the
// main window's mix, from process start to painted on the offscreen platform, and the process's
// peak memory, against the same 500 controls written as stock Qt widgets straight into a QWidget
// (same kinds, texts and geometry). Both run as fresh processes, in alternating pairs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>
#include <string>

#include "plain_window.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"
#include "process_bench.h"

namespace {

namespace forms = platform::forms;

constexpr int Controls = 500;
constexpr double Limit = 1.3;
constexpr int Twips = forms::TwipsPerPixel;

constexpr forms::Color SetBit = 0x0080FF80, ClearBit = 0x008080FF, OutsideField = 0x00C0C0C0;

template <class T>
T& place(forms::Form& form, const std::string& name, forms::Control* in, int index, int x, int y, int w, int h)
{
    auto& c = form.add<T>(name, in, index);
    c.move(x * Twips, y * Twips, w * Twips, h * Twips);
    return c;
}

// A row like the set-point frames: a frame of bit toggles, two check boxes, a value box, a list,
// Read and Write, a unit and six bordered cells. 24 controls with the frame.
void addRow(forms::Form& form, forms::Control& picture, int row, int y)
{
    const std::string n = std::to_string(row);
    auto& frame = place<forms::Frame>(form, "fraRow" + n, &picture, -1, 5, y, 520, 72);
    frame.setCaption("Channel " + n + " (Addr 0x" + std::to_string(10 + row) + ")");
    for (int i = 0; i < 10; ++i) {
        auto& bit = place<forms::CheckBox>(form, "chkBit" + n, &frame, i, 8 + 24 * (9 - i), 18, 22, 22);
        bit.setStyle(forms::CheckStyle::Graphical);
        const bool set = (row + i) % 3 == 0;
        bit.setValue(set ? 1 : 0);
        bit.setCaption(set ? "1" : "0");
        bit.setBackColor(i < 2 ? OutsideField : set ? SetBit : ClearBit);
    }
    place<forms::CheckBox>(form, "chkEnable" + n, &frame, -1, 256, 20, 76, 18).setCaption("Enable");
    auto& autoBox = place<forms::CheckBox>(form, "chkAuto" + n, &frame, -1, 336, 20, 76, 18);
    autoBox.setCaption("Auto");
    autoBox.setValue(row % 2);
    auto& value = place<forms::TextBox>(form, "txtValue" + n, &frame, -1, 420, 18, 92, 20);
    value.setMaxLength(6);
    value.setText(std::to_string(128 * row));
    auto& period = place<forms::ComboBox>(form, "cboPeriod" + n, &frame, -1, 420, 44, 92, 22);
    for (const char* item : {"10 ms", "20 ms", "50 ms", "100 ms"})
        period.addItem(item);
    period.setListIndex(row % 4);
    place<forms::CommandButton>(form, "cmdRead" + n, &frame, -1, 8, 44, 64, 22).setCaption("Read");
    place<forms::CommandButton>(form, "cmdWrite" + n, &frame, -1, 76, 44, 64, 22).setCaption("Write");
    place<forms::Label>(form, "lblUnit" + n, &frame, -1, 148, 48, 36, 18).setCaption("mA");
    for (int j = 0; j < 6; ++j) {
        auto& cell = place<forms::Label>(form, "lblCell" + n, &frame, j, 186 + 38 * j, 46, 36, 20);
        cell.setCaption(std::to_string(j));
        cell.setBackColor(forms::colors::WindowBackground);
        cell.setForeColor(forms::colors::WindowText);
        cell.setBorderStyle(forms::BorderStyle::FixedSingle);
        cell.setAlignment(forms::Alignment::Right);
    }
}

// 16 controls in a strip on top, then four picture boxes of five rows each: 16 + 4 + 20 * 24.
void buildForm(forms::Form& form)
{
    constexpr int Width = 1060, Height = 824;
    const int border = forms::Form::borderWidth(form.borderKind());
    form.setCaption("Five hundred controls");
    form.move(0, 0, Width * Twips + 2 * border, Height * Twips + 2 * border + forms::Form::CaptionHeight);
    for (int i = 0; i < 4; ++i) {
        place<forms::CommandButton>(form, "cmdAction", nullptr, i, 8 + 90 * i, 8, 80, 24).setCaption("Action " + std::to_string(i + 1));
        place<forms::CheckBox>(form, "chkOption", nullptr, i, 380 + 90 * i, 10, 80, 20).setCaption("Option " + std::to_string(i + 1));
    }
    for (int i = 0; i < 8; ++i)
        place<forms::Label>(form, "lblStatus", nullptr, i, 8 + 130 * i, 38, 120, 18).setCaption("Status " + std::to_string(i + 1));
    for (int p = 0; p < 4; ++p) {
        auto& picture = place<forms::PictureBox>(form, "picBlock", nullptr, p, 530 * (p % 2), 64 + 380 * (p / 2), 530, 380);
        picture.setBorderStyle(forms::BorderStyle::None);
        for (int r = 0; r < 5; ++r)
            addRow(form, picture, 5 * p + r, 4 + 75 * r);
    }
    if (form.controls().size() != Controls)
        std::abort();
}

int runFormChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    platform::qtview::QtPlatform platform;
    forms::Form form(platform, "frmControls");
    buildForm(form);
    procbench::PaintWatch watch(platform.window(form));
    form.show();
    return app.exec();
}

// The same form, described as stock widgets for the plain child.
const std::string& plainFile()
{
    static const std::string file = [] {
        forms::HeadlessPlatform headless;
        forms::Form form(headless, "frmControls");
        buildForm(form);
        const auto path = procbench::scratchFolder() / "form.plain";
        plainwindow::save(plainwindow::describe(form), path);
        return path.string();
    }();
    return file;
}

procbench::Comparison comparison;

void BM_FormOpenAndPaint(benchmark::State& state)
{
    comparison.run(state, {"--child-form"}, {"--child-plain", plainFile()});
}
BENCHMARK(BM_FormOpenAndPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);

}  // namespace

int main(int argc, char** argv)
{
    return plainwindow::comparisonMain(argc, argv, "--child-form", runFormChild, comparison, "500-control form on the Qt view / the same as stock Qt widgets", Limit);
}
