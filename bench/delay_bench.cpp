// How much of a core the program's short wait costs on the Qt event loop: it should sleep, not spin.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <chrono>

#include "common/helpers.h"
#include "platform/qtview/qt_platform.h"

namespace {

platform::qtview::QtPlatform* qtPlatform = nullptr;

// User and system time of the whole process, every thread included.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_Delay(benchmark::State& state)
{
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuStart = cpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        common::Delay(*qtPlatform, 0.07f);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cpu += cpuSeconds() - cpuStart;
    }
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
    state.counters["wait_ms"] = 1000.0 * wall / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Delay)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    platform::qtview::QtPlatform platform;
    qtPlatform = &platform;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
