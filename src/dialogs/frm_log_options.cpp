#include "dialogs/frm_log_options.h"

#include <optional>
#include <string>

#include "common/numbers.h"
#include "common/settings.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/profile/profile.h"

namespace dialogs {

namespace forms = platform::forms;

namespace {

constexpr forms::Color Grey = 0x00E0E0E0;
constexpr const char* Section = "Logging";
constexpr std::array<const char*, 6> Intervals = {"5", "10", "15", "20", "30", "60"};

// A stored key's box state. The first key ticks only for the exact word; the others read the
// words True and False in any case or a number. Other text keeps the key's default, ticked.
bool ticked(int index, const std::string& text)
{
    if (index == 0)
        return text == "True";
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "false")
        return false;
    if (const auto number = common::wholeNumber(text))
        return *number != 0;
    return true;
}

}  // namespace

frmLogOptions::frmLogOptions(common::WindowRegistry& program) : Form(program.platform(), "frmLogOptions"), program_(program)
{
    setCaption("Logging Options");
    setBackColor(Grey);
    setClientSize(7890, 6600);

    auto& title = add<forms::Label>("Label1");
    title.move(360, 240, 2895, 375);
    title.setCaption("Registers To Log");
    title.setFont(forms::Font{"MS Sans Serif", 13.5});
    title.setBackColor(Grey);
    auto& frame = add<forms::Shape>("Shape1");
    frame.move(240, 720, 7215, 3975);
    frame.setBackColor(Grey);
    frame.setBorderColor(forms::colors::WindowText);

    // Tab order: the first four boxes, the two buttons, the interval, then the other boxes.
    for (int i = 0; i < static_cast<int>(Keys.size()); ++i) {
        auto& box = add<forms::CheckBox>("chkLog", nullptr, i);
        box.move(480 + 1800 * (i / 10), 960 + 360 * (i % 10), 1500, 195);
        box.setCaption(Keys[i]);
        box.setBackColor(Grey);
        box.setTabIndex(i < 4 ? i : i + 3);
    }
    auto& interval = add<forms::Label>("Label2");
    interval.move(360, 4800, 1935, 255);
    interval.setCaption("Logging Interval (sec.)");
    interval.setFont(forms::Font{"MS Sans Serif", 8.25, true});
    interval.setBackColor(Grey);
    auto& rate = add<forms::ComboBox>("cboLog");
    rate.move(360, 5040, 1575, 315);
    rate.setBackColor(forms::colors::White);
    rate.setTabIndex(6);
    auto& ok = add<forms::CommandButton>("cmdOK");
    ok.move(480, 6000, 735, 375);
    ok.setCaption("OK");
    ok.setTabIndex(4);
    auto& cancel = add<forms::CommandButton>("cmdCancel");
    cancel.move(2040, 6000, 855, 375);
    cancel.setCaption("Cancel");
    cancel.setTabIndex(5);

    onLoad = [this] {
        // The form outlives an unload; a new load starts from the design's empty interval box.
        get<forms::ComboBox>("cboLog").clear();
        Form_Load();
    };
    ok.onClick = [this] { cmdOK_Click(); };
    cancel.onClick = [this] { cmdCancel_Click(); };
}

void frmLogOptions::ShowForm()
{
    load();
    move(4000, 2000, width(), height());
    platform().showModal(*this);
}

void frmLogOptions::Form_Load()
{
    auto& vars = program_.vars();
    auto& rate = get<forms::ComboBox>("cboLog");
    for (const char* item : Intervals)
        rate.addItem(item);
    for (int i = 0; i < static_cast<int>(Intervals.size()) && vars.gvLogRate; ++i) {
        if (*vars.gvLogRate == common::leadingNumber(Intervals[i])) {
            rate.setListIndex(i);
            break;
        }
    }
    for (int i = 0; i < static_cast<int>(Keys.size()); ++i)
        get<forms::CheckBox>("chkLog", i).setValue(0);
    for (int i = 0; i < static_cast<int>(Keys.size()); ++i) {
        const std::string text = common::ReadIniValue(program_, Section, Keys[i], "True", vars.gsIniFile);
        get<forms::CheckBox>("chkLog", i).setValue(ticked(i, text) ? 1 : 0);
    }
}

void frmLogOptions::cmdOK_Click()
{
    auto& vars = program_.vars();
    const auto file = platform::profile::resolve(vars.gsIniFile, platform().settingsFolder());
    // A failed write goes unnoticed and the dialog closes all the same.
    for (int i = 0; i < static_cast<int>(Keys.size()); ++i)
        platform::profile::writeString(file, Section, Keys[i], get<forms::CheckBox>("chkLog", i).value() == 1 ? "True" : "False");
    const std::string rate = get<forms::ComboBox>("cboLog").text();
    vars.gvLogRate = common::leadingNumber(rate);
    platform::profile::writeString(file, Section, "Log Rate", rate);
    userClose();
}

// Unload Me: the close box's way out.
void frmLogOptions::cmdCancel_Click() { userClose(); }

}  // namespace dialogs
