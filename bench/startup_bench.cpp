// Start-up cost of the program against a plain Qt window: from process start to the main window
// painted on the offscreen platform, and the process's peak memory. The plain window holds the
// main window's controls and menus as stock Qt widgets (same kinds, texts and geometry, taken from
// the program's own window once it has started), so that the ratios show what the program and its
// forms layer add. Both run as fresh processes, in alternating pairs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>
#include <filesystem>
#include <string>

#include "main_window/form2.h"
#include "plain_window.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/headless_platform.h"
#include "platform/profile/profile.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"
#include "process_bench.h"
#include "program/windows.h"

namespace {

namespace fs = std::filesystem;

constexpr double Limit = 1.5;

// The build folder, where the program file "darnex" and its pictures are.
platform::forms::ProgramInfo programInfo()
{
    auto info = platform::forms::defaultProgramInfo();
    info.folder = fs::canonical("/proc/self/exe").parent_path().parent_path();
    info.exeName = "darnex";
    return info;
}

int runProgramChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    platform::qtview::QtPlatform platform(programInfo());
    platform.setSettingsFolder(platform::profile::defaultSettingsFolder());
    platform::busctl::SimulatedBoard board;
    program::Windows program(platform, board);
    auto& form = program.form2();
    procbench::PaintWatch watch(platform.window(form));
    form.show();
    return app.exec();
}

// The main window as it stands after start-up, described as stock widgets for the plain child.
const std::string& plainFile()
{
    static const std::string file = [] {
        platform::forms::HeadlessPlatform headless(programInfo());
        headless.setSettingsFolder(procbench::scratchFolder() / "headless");
        platform::busctl::SimulatedBoard board;
        program::Windows program(headless, board);
        program.form2().show();
        const auto path = procbench::scratchFolder() / "form2.plain";
        plainwindow::save(plainwindow::describe(program.form2()), path);
        return path.string();
    }();
    return file;
}

procbench::Comparison comparison;

void BM_StartToPaint(benchmark::State& state)
{
    comparison.run(state, {"--child-program"}, {"--child-plain", plainFile()});
}
BENCHMARK(BM_StartToPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);

}  // namespace

int main(int argc, char** argv)
{
    return plainwindow::comparisonMain(argc, argv, "--child-program", runProgramChild, comparison, "program's main window / the same as stock Qt widgets", Limit);
}
