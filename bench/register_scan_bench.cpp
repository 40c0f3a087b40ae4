// CPU cost of the register scan on the Qt backend: the whole program on Qt's offscreen platform
// over the simulated board, SSTab1 revealed on its Registers page (the program never shows it),
// "Scan" ticked, so that a register is read and shown every 200 ms while the event loop runs for
// a few seconds of wall time. The figure that matters is cpu_percent: CPU time over wall time.
#include "platform/forms/check_box.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/qt_platform.h"
#include "qt_bench.h"

namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

constexpr int SettleMs = 500;
constexpr int MeasureMs = 5000;

void RegisterScanOnQt(benchmark::State& state)
{
    for (auto _ : state) {
        qtbench::ProgramRun<platform::qtview::QtPlatform> run{forms::defaultProgramInfo(), busctl::op::RegisterTransfer};
        run.form.get<forms::TabControl>("SSTab1").setTab(2);
        run.form.get<forms::CheckBox>("chkScan").userClick();
        qtbench::runEventLoopFor(SettleMs);  // first paint and layout out of the way

        const int before = run.control.count;
        qtbench::measureEventLoop(state, MeasureMs);
        state.counters["byte_reads"] = run.control.count - before;
        run.form.get<forms::CheckBox>("chkScan").userClick();
    }
}
BENCHMARK(RegisterScanOnQt)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
