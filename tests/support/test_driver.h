#pragma once
// One test's world: a headless platform, temporary settings and program folders, its windows.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/scripted_user.h"

namespace common { class WindowRegistry; }
namespace program { class Windows; }
namespace main_window { class Form2; }
namespace platform::busctl { class AdapterControl; }

namespace testsupport {

// A file's bytes; nothing when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& path);

// A fresh temporary folder, removed with its contents at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class TestDriver {
public:
    TestDriver();  // the program file is "darnex" in the temporary program folder
    ~TestDriver();

    platform::forms::HeadlessPlatform& platform() { return platform_; }
    const std::filesystem::path& settingsFolder() const { return settings_.path(); }
    const std::filesystem::path& programFolder() const { return program_.path(); }

    std::filesystem::path writeSettingsFile(const std::string& name, const std::string& contents) const;
    std::filesystem::path writeProgramFile(const std::string& name, const std::string& contents) const;
    std::optional<std::string> readSettingsFile(const std::string& name) const;

    // Builds and keeps a window from make(platform()): a std::unique_ptr to a Form, or to a class
    // with form(). start() also shows it, loading it first.
    template <class Make>
    auto& create(Make&& make)
    {
        auto window = std::forward<Make>(make)(platform_);
        auto& ref = *window;
        windows_.push_back(std::shared_ptr<void>(std::move(window)));
        return ref;
    }
    template <class Make>
    auto& start(Make&& make)
    {
        auto& window = create(std::forward<Make>(make));
        formOf(window).show();
        return window;
    }
    template <class W>
    platform::forms::ScriptedUser user(W& window)
    {
        return platform::forms::ScriptedUser(formOf(window));
    }

    // The whole program on the test's adapter control; createProgram() builds it without showing
    // the main window, so that a test can watch its load.
    common::WindowRegistry& createProgram(platform::busctl::AdapterControl& control);
    main_window::Form2& startProgram(platform::busctl::AdapterControl& control);
    common::WindowRegistry& program();

private:
    template <class W>
    static platform::forms::Form& formOf(W& window)
    {
        if constexpr (std::is_base_of_v<platform::forms::Form, W>)
            return window;
        else
            return window.form();
    }

    TempFolder settings_{"quelvar-settings-"};
    TempFolder program_{"quelvar-program-"};
    platform::forms::HeadlessPlatform platform_;
    std::vector<std::shared_ptr<void>> windows_;
    std::unique_ptr<program::Windows> run_;
};

}  // namespace testsupport
