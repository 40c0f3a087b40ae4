#pragma once
// The Qt view offscreen: one QApplication per test program (register OffscreenApp with
// ::testing::AddGlobalTestEnvironment) and the whole program on a QtPlatform. Qt reports trouble
// as a message and goes on (an exception out of a handler arrives as a critical one), so any Qt
// warning or worse fails the test it happens in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

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
        previousHandler() = qInstallMessageHandler(failOnTrouble);
        app = std::make_unique<QApplication>(argc, argv);
        platform::qtview::setupApplication(*app);
    }
    void TearDown() override
    {
        app.reset();
        qInstallMessageHandler(previousHandler());
    }

private:
    static QtMessageHandler& previousHandler()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void failOnTrouble(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        // What every headless machine prints: no runtime folder, no window manager to size for.
        static constexpr std::string_view Expected[] = {
            "QStandardPaths: XDG_RUNTIME_DIR not set",
            "This plugin does not support propagateSizeHints()",
        };
        const std::string text = message.toStdString();
        const bool expected = std::ranges::any_of(Expected, [&](std::string_view e) { return text.starts_with(e); });
        if (type != QtDebugMsg && type != QtInfoMsg && !expected)
            ADD_FAILURE() << "Qt " << (type == QtWarningMsg ? "warning" : "critical message") << ": " << text;
        else if (previousHandler())
            previousHandler()(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }

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
