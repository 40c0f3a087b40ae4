// Software cost of one word read through the i2c-dev control: the bus wrapper, the adapter
// window, the control and the seam, with the transfer answered by the simulated board on a fake
// sysfs tree. The kernel's own time is not in it; the budget is 1 us.
#include <benchmark/benchmark.h>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/headless_platform.h"
#include "program/windows.h"
#include "support/fake_i2c.h"

namespace {

void BM_ReadWordRegOnI2cDev(benchmark::State& state)
{
    testsupport::FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", testsupport::FakeI2cTree::Carrier::Usb);
    platform::busctl::SimulatedBoard board;
    testsupport::BoardOnI2c kernel(board);
    platform::busctl::I2cDevControl control(kernel, tree.paths());
    platform::forms::HeadlessPlatform platform;
    program::Windows program(platform, control);
    if (!program.usb().OpenFirstFreeDevice()) {
        state.SkipWithError("the fake adapter did not open");
        return;
    }
    program.vars().giDeviceAddress = platform::busctl::SimulatedBoard::ChargerAddress;
    std::uint8_t ms = 0, ls = 0;
    for (auto _ : state) {
        if (adapter::ReadWordReg(program, 0x15, ms, ls) != 0)
            state.SkipWithError("the word read failed");
        kernel.transfers.clear();  // the fake's log is no part of the cost
    }
}
BENCHMARK(BM_ReadWordRegOnI2cDev)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
