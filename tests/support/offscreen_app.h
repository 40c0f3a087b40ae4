#pragma once
// The Qt view offscreen: one QApplication per test program (register OffscreenApp with
// ::testing::AddGlobalTestEnvironment) and the whole program on a QtPlatform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <memory>

#include "platform/busctl/simulated_board.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/qt_platform.h"
#include "program/windows.h"
#include "support/test_driver.h"

namespace testsupport {

class OffscreenApp : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        platform::qtview::setupApplication(*app);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[16] = "quelvar_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

// The program as main() starts it, on the simulated board, with the build folder as the program's
// folder (the program file "darnex" and its pictures are there) and a temporary settings folder.
struct QtProgram {
    static platform::forms::ProgramInfo info()
    {
        auto info = platform::forms::defaultProgramInfo();
        info.folder = std::filesystem::path(QUELVAR_TEST_ARTIFACTS).parent_path();
        info.exeName = "darnex";
        return info;
    }
    TempFolder settings{"quelvar-settings-"};
    platform::qtview::QtPlatform platform{info()};
    platform::busctl::SimulatedBoard board;
    program::Windows program{platform, board};
    QtProgram() { platform.setSettingsFolder(settings.path()); }
};

// Renders the form to `name` under the artifacts folder and loads the picture back.
inline QImage renderArtifact(platform::forms::Form& form, const std::string& name)
{
    const auto file = std::filesystem::path(QUELVAR_TEST_ARTIFACTS) / name;
    std::filesystem::create_directories(file.parent_path());
    EXPECT_TRUE(platform::qtview::renderToPng(form, file));
    return QImage(QString::fromStdString(file.string()));
}

}  // namespace testsupport
