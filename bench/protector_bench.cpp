// Cost of the protector pages. ControlPageFill: a fill of the Control page that changes all 22
// boxes (5 reads of its own, a read and a write-back per box: 49 byte transfers, about 16 ms on a
// 100 kHz wire) on the headless platform over the simulated board; the counter wire_percent is
// its time against that wire time. LampsTickingOnQt: the program on Qt's offscreen platform with
// the pages and the STATUS panel revealed and the lamps ticking every second; cpu_percent is
// process CPU time over wall time.
#include <chrono>
#include <filesystem>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/qt_platform.h"
#include "qt_bench.h"

namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

constexpr double WireSeconds = 16e-3;
constexpr int SettleMs = 500;
constexpr int MeasureMs = 5000;

template <class P>
using Run = qtbench::ProgramRun<P>;

void ControlPageFill(benchmark::State& state)
{
    Run<forms::HeadlessPlatform> run{forms::defaultProgramInfo(), busctl::op::RegisterTransfer};
    std::uint8_t bits = 0;
    double seconds = 0;
    int transfers = 0;
    for (auto _ : state) {
        // Every box's bit flips from the last fill.
        bits = static_cast<std::uint8_t>(~bits);
        for (std::uint8_t reg : {0x01, 0x02, 0x03, 0x04})
            adapter::WriteByteReg(run.program, reg, static_cast<std::uint8_t>(reg == 0x02 ? bits & 0x01 : bits));
        const int before = run.control.count;
        const auto start = std::chrono::steady_clock::now();
        run.form.InitializeControlPage();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        seconds += took.count();
        transfers = run.control.count - before;
    }
    state.counters["transfers"] = transfers;
    state.counters["wire_percent"] = 100.0 * seconds / static_cast<double>(state.iterations()) / WireSeconds;
}
BENCHMARK(ControlPageFill)->UseManualTime()->Unit(benchmark::kMicrosecond);

void LampsTickingOnQt(benchmark::State& state)
{
    for (auto _ : state) {
        auto info = forms::defaultProgramInfo();
        // The lamp pictures are in the build folder's "assets".
        info.folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
        Run<platform::qtview::QtPlatform> run{info, busctl::op::RegisterTransfer};
        run.form.get<forms::CommandButton>("cmdToggleLtclr").userClick();
        qtbench::runEventLoopFor(SettleMs);

        const int before = run.control.count;
        qtbench::measureEventLoop(state, MeasureMs);
        state.counters["status_reads"] = run.control.count - before;
        run.program.usb().CloseDevice();
    }
}
BENCHMARK(LampsTickingOnQt)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
