// CPU cost of the "Refresh Time" keep-alive on the Qt backend: the application panel with the
// set-point frames and the timed writes, shown on Qt's offscreen platform, the keep-alive writing
// to the simulated board every second while the event loop runs for a few seconds of wall time.
// The figure that matters is the counter cpu_percent: process CPU time over wall time.
#include "adapter/frm_usb.h"
#include "main_window/setpoint_frames.h"
#include "main_window/timed_writes.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/check_box.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/timer.h"
#include "platform/qtview/qt_platform.h"
#include "program/windows.h"
#include "qt_bench.h"

namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

constexpr int SettleMs = 500;
constexpr int MeasureMs = 5000;

void KeepAliveOnQt(benchmark::State& state)
{
    for (auto _ : state) {
        platform::qtview::QtPlatform qt;
        busctl::SimulatedBoard board;
        qtbench::CountingControl control{board, busctl::op::WriteWordCmd};
        program::Windows program{qt, control};
        forms::Form form{qt, "Form2"};
        auto& pic = form.add<forms::PictureBox>("picApplication");
        pic.move(0, 0, 12500, 8000);
        form.move(0, 0, 12800, 8800);
        auto& tmrDataInput = form.add<forms::Timer>("tmrDataInput");
        tmrDataInput.setEnabled(false);
        tmrDataInput.setInterval(20);
        auto& tmrChargerTimeOut = form.add<forms::Timer>("tmrChargerTimeOut");
        tmrChargerTimeOut.setEnabled(false);
        main_window::SetpointFrames frames{program, form, pic};
        main_window::TimedWrites timed{program, form, pic, frames.chargeCurrent(), frames.chargeVoltage(),
                                       frames.inputCurrent(), tmrChargerTimeOut, tmrDataInput};
        program.vars().giDeviceAddress = busctl::SimulatedBoard::ChargerAddress;
        program.vars().giRefreshTime = 1000;
        form.show();
        if (!program.usb().OpenFirstFreeDevice())
            state.SkipWithError("the simulated board did not open");
        form.get<forms::CheckBox>("chkRefreshTime").userClick();
        qtbench::runEventLoopFor(SettleMs);  // first paint and layout out of the way

        const int writesBefore = control.count;
        const auto share = qtbench::cpuShareOver(MeasureMs);

        state.SetIterationTime(share.wallSeconds());
        state.counters["cpu_percent"] = share.percent();
        state.counters["word_writes"] = control.count - writesBefore;
        program.usb().CloseDevice();
    }
}
BENCHMARK(KeepAliveOnQt)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
