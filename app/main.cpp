// Starts the program: the Qt view on the main window, with the adapter control the command line
// chooses (the simulated evaluation board unless told otherwise).
#include <QApplication>
#include <QFileInfo>

#include <iostream>
#include <optional>

#include "main_window/form2.h"
#include "platform/busctl/i2c_dev_control.h"
#include "platform/busctl/simulated_board.h"
#include "platform/profile/profile.h"
#include "platform/qtview/qt_platform.h"
#include "program/command_line.h"
#include "program/windows.h"

namespace busctl = platform::busctl;

namespace {

#ifdef _WIN32
constexpr const char* ExecutableSuffix = ".exe";
#else
constexpr const char* ExecutableSuffix = "";
#endif

platform::forms::ProgramInfo programInfo()
{
    auto info = platform::forms::defaultProgramInfo();
    const QFileInfo file(QCoreApplication::applicationFilePath());
    info.folder = file.absolutePath().toStdString();
    info.exeName = file.completeBaseName().toStdString();
    info.exeSuffix = ExecutableSuffix;
    return info;
}

}  // namespace

int main(int argc, char** argv)
{
    using program::AdapterChoice;
    using program::CommandLine;
    // Before Qt, so that --help works without a display and a bad option opens no window.
    const CommandLine line = program::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action != CommandLine::Action::Run) {
        (line.action == CommandLine::Action::Fail ? std::cerr : std::cout) << line.text;
        return line.exitStatus();
    }
    busctl::SimulatedBoard board;
    busctl::KernelI2c kernel;
    std::optional<busctl::I2cDevControl> i2c;
    busctl::AdapterControl* control = &board;
    if (line.adapter.kind != AdapterChoice::Kind::Simulated) {
        const auto named = line.adapter.kind == AdapterChoice::Kind::Device ? std::optional(line.adapter.device) : std::nullopt;
        control = &i2c.emplace(kernel, busctl::I2cPaths{}, named);
        i2c->setReporter([](const std::string& error) { std::cerr << "darnex: " << error << std::endl; });
    }

    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    platform::qtview::QtPlatform platform(programInfo());
    platform.setSettingsFolder(platform::profile::defaultSettingsFolder());

    program::Windows program(platform, *control);
    program.form2().show();
    if (platform.ended())
        return 0;
    return app.exec();
}
