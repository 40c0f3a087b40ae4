// Cost of one Read on the test-mode page that flips all 16 bit boxes: the button clicked on the
// Qt view, offscreen, against the simulated board, until the widgets have caught up. Each Read
// must cost less than a read-word takes on a 100 kHz wire (about 470 us), so the page never
// adds noticeably to the transfer itself. The figure that matters is the counter median_us.
#include <QAbstractButton>
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/form_window.h"
#include "process_bench.h"
#include "program/windows.h"
#include "qt_bench.h"

namespace {

namespace forms = platform::forms;
namespace busctl = platform::busctl;

constexpr double WireReadUs = 470.0;

void pokeWord(busctl::SimulatedBoard& board, std::int16_t command, std::uint16_t word)
{
    std::vector<busctl::Arg> args{{std::int16_t{command}, busctl::Passing::ByValue},
                                  {static_cast<std::int16_t>(word), busctl::Passing::ByRef},
                                  {busctl::SimulatedBoard::TestModeAddress, busctl::Passing::ByValue}};
    board.invoke(busctl::op::WriteWordCmd, args);
}

void BM_TestModeReadFlipsAllBoxes(benchmark::State& state)
{
    platform::qtview::QtPlatform qt;
    qt.setSettingsFolder(procbench::scratchFolder());
    busctl::SimulatedBoard board;
    program::Windows program(qt, board);
    auto& form = program.form2();
    form.show();
    form.get<forms::MenuItem>("mnuTestMode").userPick();
    qt.doEvents();
    auto& read = dynamic_cast<QAbstractButton&>(*qt.window(form).viewOf(form.get<forms::Control>("cmdReadTrim0"))->widget());

    std::vector<double> micros;
    std::uint16_t word = 0xA5F0;
    for (auto _ : state) {
        word = static_cast<std::uint16_t>(~word);
        pokeWord(board, 0x08, word);
        const auto start = std::chrono::steady_clock::now();
        read.click();
        QCoreApplication::processEvents();  // the widgets catch up and paint
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
    }
    if (form.get<forms::TextBox>("txtTrim0").text() != "5A0F" && form.get<forms::TextBox>("txtTrim0").text() != "A5F0")
        state.SkipWithError("the Read did not show the board's word");
    std::ranges::nth_element(micros, micros.begin() + static_cast<std::ptrdiff_t>(micros.size() / 2));
    const double median = micros[micros.size() / 2];
    state.counters["median_us"] = median;
    state.counters["wire_read_us"] = WireReadUs;
    std::printf("test-mode Read, median %.1f us against %.0f us on the wire: %s\n", median, WireReadUs,
                median < WireReadUs ? "within" : "OVER");
}
BENCHMARK(BM_TestModeReadFlipsAllBoxes)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return qtbench::runOnOffscreenQt(argc, argv);
}
