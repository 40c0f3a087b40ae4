// How much of a core the program's short wait costs on the Qt event loop: it should sleep, not spin.
#include "common/helpers.h"
#include "qt_bench.h"

namespace {

void BM_Delay(benchmark::State& state)
{
    platform::qtview::QtPlatform platform;
    qtbench::CpuShare share;
    for (auto _ : state) {
        share.start();
        common::Delay(platform, 0.07f);
        share.stop();
    }
    state.counters["cpu_percent"] = share.percent();
    state.counters["wait_ms"] = 1000.0 * share.wallSeconds() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Delay)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
