// CPU cost of the Qt backend's wait: a 70 ms wait (the program's write delay) and a 1 s wait
// should sleep in the event loop, not spin. Reports the process CPU time per wait and its share
// of the wall time.
#include "qt_bench.h"

namespace {

void BM_QtWait(benchmark::State& state)
{
    platform::qtview::QtPlatform platform;
    qtbench::CpuShare share;
    share.start();
    for (auto _ : state) {
        const std::int64_t deadline = platform.nowMs() + state.range(0);
        while (platform.nowMs() < deadline)
            platform.waitForEvents(deadline);
    }
    share.stop();
    state.counters["process_cpu_ms_per_wait"] = 1000.0 * share.cpuSeconds() / static_cast<double>(state.iterations());
    state.counters["cpu_share_of_wall_pct"] = share.percent();
}
BENCHMARK(BM_QtWait)->Arg(70)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtWait)->Arg(1000)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
