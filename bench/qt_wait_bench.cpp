// CPU cost of the Qt backend's wait: a 70 ms wait (the program's write delay) should sleep in the
// event loop, not spin. Reports wall time per wait and the process CPU time it used.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>

#include "platform/qtview/qt_platform.h"

namespace {

double processCpuMs()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(use.ru_utime) + ms(use.ru_stime);
}

void waitFor(platform::qtview::QtPlatform& platform, std::int64_t ms)
{
    const std::int64_t deadline = platform.nowMs() + ms;
    while (platform.nowMs() < deadline)
        platform.waitForEvents(deadline);
}

void BM_QtWait70ms(benchmark::State& state)
{
    platform::qtview::QtPlatform platform;
    const double cpuBefore = processCpuMs();
    const std::int64_t wallBefore = platform.nowMs();
    for (auto _ : state)
        waitFor(platform, 70);
    const double cpu = processCpuMs() - cpuBefore;
    const double wall = static_cast<double>(platform.nowMs() - wallBefore);
    const double waits = static_cast<double>(state.iterations());
    state.counters["process_cpu_ms_per_wait"] = cpu / waits;
    state.counters["cpu_share_of_wall_pct"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
}
BENCHMARK(BM_QtWait70ms)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv)
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
