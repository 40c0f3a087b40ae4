#pragma once
// What the Qt benchmarks share: the process's CPU time against wall time, a control that counts
// one operation on its way to the board, and a main() that runs the benchmarks inside an
// offscreen QApplication set up as the program sets it up.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <vector>

#include "main_window/form2.h"
#include "platform/busctl/dispatch.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/qt_platform.h"
#include "program/windows.h"

namespace qtbench {

// User and system time of the whole process, every thread included.
inline double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// CPU and wall time summed over the stretches between start() and stop(). A wait that sleeps
// shows a small share; one that spins shows about 100%.
class CpuShare {
public:
    void start()
    {
        cpuStart_ = processCpuSeconds();
        wallStart_ = std::chrono::steady_clock::now();
    }
    void stop()
    {
        wall_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart_).count();
        cpu_ += processCpuSeconds() - cpuStart_;
    }
    double cpuSeconds() const { return cpu_; }
    double wallSeconds() const { return wall_; }
    double percent() const { return wall_ > 0 ? 100.0 * cpu_ / wall_ : 0.0; }

private:
    double cpuStart_ = 0, cpu_ = 0, wall_ = 0;
    std::chrono::steady_clock::time_point wallStart_;
};

// A local loop: QCoreApplication::quit() would close the windows too, unloading the form.
inline void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The process's CPU share while the event loop runs for `ms` of wall time.
inline CpuShare cpuShareOver(int ms)
{
    CpuShare share;
    share.start();
    runEventLoopFor(ms);
    share.stop();
    return share;
}

// Passes every call on and counts those of one operation.
class CountingControl : public platform::busctl::AdapterControl {
public:
    CountingControl(platform::busctl::AdapterControl& inner, int dispId) : inner(inner), dispId(dispId) {}
    platform::busctl::Variant invoke(int id, std::vector<platform::busctl::Arg>& args) override
    {
        if (id == dispId)
            ++count;
        return inner.invoke(id, args);
    }
    int count = 0;

private:
    platform::busctl::AdapterControl& inner;
    int dispId;
};

// The program on a platform P over the simulated board, the calls of one operation counted, the
// main window shown with SSTab1 and Picture2 in view, as the program itself never shows them.
template <class P>
struct ProgramRun {
    ProgramRun(platform::forms::ProgramInfo info, int countedOperation)
        : platform(std::move(info)), control(board, countedOperation)
    {
        namespace forms = platform::forms;
        form.show();
        form.get<forms::Control>("picApplication").setVisible(false);
        auto& tabs = form.get<forms::TabControl>("SSTab1");
        tabs.move(0, 0, tabs.width(), tabs.height());
        tabs.setVisible(true);
        auto& picture2 = form.get<forms::Control>("Picture2");
        picture2.move(picture2.left(), 0, picture2.width(), picture2.height());
        picture2.setVisible(true);
    }
    P platform;
    platform::busctl::SimulatedBoard board;
    CountingControl control;
    program::Windows program{platform, control};
    main_window::Form2& form = program.form2();
};

// Runs the event loop for `ms` and makes that the iteration: its wall time and the counter
// cpu_percent.
inline void measureEventLoop(benchmark::State& state, int ms)
{
    const CpuShare share = cpuShareOver(ms);
    state.SetIterationTime(share.wallSeconds());
    state.counters["cpu_percent"] = share.percent();
}

inline int runOnOffscreenQt(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace qtbench
