#pragma once
// One test's world: a headless platform, a temporary settings folder and a temporary program
// folder (both removed at the end), and the windows the test starts on that platform.
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

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with its contents at the end.
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
    // The platform's settings folder and program folder point at the temporary folders; the
    // program file is called "darnex".
    TestDriver();
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    platform::forms::HeadlessPlatform& platform() { return platform_; }
    const std::filesystem::path& settingsFolder() const { return settings_.path(); }
    const std::filesystem::path& programFolder() const { return program_.path(); }

    // Test set-up and inspection of the files the program reads and writes.
    std::filesystem::path writeSettingsFile(const std::string& name, const std::string& contents) const;
    std::filesystem::path writeProgramFile(const std::string& name, const std::string& contents) const;
    std::optional<std::string> readSettingsFile(const std::string& name) const;

    // Builds a window with make(platform()) (anything returning a std::unique_ptr to a Form, or
    // to a class with a form() accessor) and keeps it until the driver ends. create() only
    // builds it; start() also shows it (loading it first), as opening the window does.
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
    // The common case: a form class constructed from the platform alone.
    template <class F>
    F& start()
    {
        return start([](platform::forms::Platform& p) { return std::make_unique<F>(p); });
    }

    // A scripted user at the given window.
    template <class W>
    platform::forms::ScriptedUser user(W& window)
    {
        return platform::forms::ScriptedUser(formOf(window));
    }

    // ---- Whole-program start-up: to be added here when common::Program (with the adapter
    // window) and the main window land. It will build a common::Program on this platform with the
    // adapter control of the test's choice (the simulated board or the scripted test double),
    // start the main window as the program's start-up does, and keep them until the driver ends.

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
    // Windows go before the platform they live on.
    std::vector<std::shared_ptr<void>> windows_;
};

}  // namespace testsupport
