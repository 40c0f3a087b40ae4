// Starts the program: the Qt view on the main window, with the simulated evaluation board as the
// adapter control.
#include <QApplication>
#include <QFileInfo>

#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/profile/profile.h"
#include "platform/qtview/qt_platform.h"

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
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    platform::qtview::QtPlatform platform(programInfo());
    platform.setSettingsFolder(platform::profile::defaultSettingsFolder());

    platform::busctl::SimulatedBoard board;
    common::Program program(platform, board);
    program.form2().show();
    if (platform.ended())
        return 0;
    return app.exec();
}
