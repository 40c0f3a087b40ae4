// CPU cost of the register scan on the Qt backend: the whole program on Qt's offscreen platform
// over the simulated board, SSTab1 revealed on its Registers page (the program never shows it),
// "Scan" ticked, so that a register is read and shown every 200 ms while the event loop runs for
// a few seconds of wall time. The figure that matters is cpu_percent: CPU time over wall time.
#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/scripted_control.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/check_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/qtview/qt_platform.h"
#include "process_bench.h"
#include "qt_bench.h"

namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

constexpr int SettleMs = 500;
constexpr int MeasureMs = 5000;

void RegisterScanOnQt(benchmark::State& state)
{
    for (auto _ : state) {
        platform::qtview::QtPlatform qt;
        qt.setSettingsFolder(procbench::scratchFolder());  // start-up writes its settings file
        busctl::SimulatedBoard board;
        busctl::ScriptedControl control{board};  // counts the reads
        common::Program program{qt, control};
        auto& form = program.form2();
        form.show();
        form.get<forms::PictureBox>("picApplication").setVisible(false);
        auto& tabs = form.get<forms::TabControl>("SSTab1");
        tabs.move(0, 0, tabs.width(), tabs.height());
        tabs.setVisible(true);
        tabs.setTab(2);
        form.get<forms::CheckBox>("chkScan").userClick();
        qtbench::runEventLoopFor(SettleMs);  // first paint and layout out of the way

        control.clearLog();
        qtbench::measureEventLoop(state, MeasureMs);
        state.counters["byte_reads"] = static_cast<double>(control.byteTransfers().size());
        form.get<forms::CheckBox>("chkScan").userClick();
    }
}
BENCHMARK(RegisterScanOnQt)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
