#pragma once
// The About window: the program's description, version, file date, comments and legal notice.
// Its picture closes it; it stays loaded, so a later Help > About shows the same texts again.
#include <filesystem>
#include <string>

#include "platform/forms/form.h"

namespace common { class WindowRegistry; }

namespace dialogs {

class frmAbout : public platform::forms::Form {
public:
    explicit frmAbout(common::WindowRegistry& program);

    void Form_Load();
    void AboutOK_Click();

    // The program file whose date the window shows: the folder, the name and the platform's
    // executable suffix.
    static std::filesystem::path programFile(const std::filesystem::path& folder, const std::string& name,
                                             const std::string& suffix);

private:
    common::WindowRegistry& program_;
};

}  // namespace dialogs
