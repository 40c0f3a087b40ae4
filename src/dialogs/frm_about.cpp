#include "dialogs/frm_about.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "common/assets.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"

namespace dialogs {

namespace forms = platform::forms;
namespace fs = std::filesystem;

namespace {

struct Date {
    int year = 1899, month = 12, day = 30;  // the zero date of the classic date type
};

// Last-modified date of the file in local time; an error's description when it has none.
Date fileDate(const std::filesystem::path& file, std::error_code& error)
{
    const auto status = fs::status(file, error);
    if (error)
        return {};
    if (fs::is_directory(status)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return {};
    }
    const auto written = fs::last_write_time(file, error);
    if (error)
        return {};
    const auto since = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(since);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) {
        error = std::make_error_code(std::errc::value_too_large);
        return {};
    }
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string mmddyyyy(const Date& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

}  // namespace

frmAbout::frmAbout(common::WindowRegistry& program) : Form(program.platform(), "frmAbout"), program_(program)
{
    setBackColor(forms::colors::White);
    setClientSize(6225, 4650);

    auto& ok = add<forms::PictureBox>("AboutOK");
    ok.move(2400, 1560, 1280, 1500);
    ok.setTabIndex(6);
    ok.setBackColor(0x00C0FFFF);
    ok.setForeColor(0x00C00000);
    ok.setFont(forms::Font{"MS Sans Serif", 9.75, true});
    if (auto picture = common::assetFile(platform(), "about_ok.png"); !picture.empty())
        ok.setPicture(std::move(picture));

    add<forms::Image>("Image1").move(0, 0, 480, 480);
    auto& banner = add<forms::Image>("Image2");
    banner.move(1800, 0, 2655, 540);
    if (auto picture = common::assetFile(platform(), "about_banner.png"); !picture.empty())
        banner.setPicture(std::move(picture));

    const forms::Font large{"MS Sans Serif", 12};
    auto label = [this](const char* name, int left, int top, int width, int height, int tabIndex) -> forms::Label& {
        auto& l = add<forms::Label>(name);
        l.move(left, top, width, height);
        l.setTabIndex(tabIndex);
        l.setBackColor(forms::colors::White);
        return l;
    };
    label("Description", 0, 720, 6255, 375, 3).setFont(large);
    label("RevisionLabel", 2160, 1200, 1815, 495, 5).setFont(large);
    label("badpathlabel", 0, 1680, 45, 195, 4).setAutoSize(true);
    label("UpdateDate", 120, 3240, 6015, 255, 0);
    label("Copyright", 120, 3600, 5895, 375, 1);
    label("comments", 120, 4080, 5895, 495, 2);

    onLoad = [this] { Form_Load(); };
    ok.onClick = [this] { AboutOK_Click(); };
}

std::filesystem::path frmAbout::programFile(const std::filesystem::path& folder, const std::string& name,
                                            const std::string& suffix)
{
    std::string path = folder.string();
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + name + suffix;
}

void frmAbout::Form_Load()
{
    const auto& info = platform().programInfo();
    common::CenterForm(*this);
    get<forms::Label>("badpathlabel").setCaption("");
    get<forms::Label>("Description").setCaption(info.fileDescription);
    get<forms::Label>("RevisionLabel").setCaption("Version " + info.version());

    std::error_code error;
    const Date date = fileDate(programFile(info.folder, info.exeName, info.exeSuffix), error);
    if (error)
        get<forms::Label>("badpathlabel").setCaption(error.message());
    get<forms::Label>("UpdateDate").setCaption("Last Updated " + mmddyyyy(date));

    get<forms::Label>("comments").setCaption(info.comments);
    get<forms::Label>("Copyright").setCaption(info.legalCopyright);
    setCaption("About Quelvar");
    get<forms::Image>("Image1").setLeft(110);
    for (const char* name : {"Description", "RevisionLabel", "UpdateDate", "Copyright", "comments"}) {
        auto& l = get<forms::Label>(name);
        l.setLeft(110);
        l.setWidth(width() - 220);
    }
}

void frmAbout::AboutOK_Click()
{
    platform().beep();
    hide();
}

}  // namespace dialogs
