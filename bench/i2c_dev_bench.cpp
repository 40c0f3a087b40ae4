// Software cost of one word read through the i2c-dev control: the bus wrapper, the adapter
// window, the control and the seam (setting the address, then the transfer) on a fake sysfs
// tree. Answered by the simulated board, and by a seam that only hands back a word, which leaves
// the program's own share. The kernel's time is in neither; the budget is 1 us.
#include <benchmark/benchmark.h>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/headless_platform.h"
#include "program/windows.h"
#include "support/fake_i2c.h"

namespace {

using namespace platform::busctl;

// Opens real nodes (for the lock) and answers every transfer with one word.
class WordOnlyKernel final : public I2cSeam {
public:
    int open(const std::string& path, int flags) override { return seam.open(path, flags); }
    void close(int fd) override { seam.close(fd); }
    long functionality(int) override { return I2C_FUNC_SMBUS_BYTE_DATA | I2C_FUNC_SMBUS_WORD_DATA; }
    int setAddress(int, std::uint8_t) override { return 0; }
    int transfer(int, const SmbusTransfer&) override { return 0x1234; }

private:
    KernelI2c seam;
};

template <class Kernel>
void readWords(benchmark::State& state, Kernel& kernel)
{
    testsupport::FakeI2cTree tree;
    tree.addAdapter(7, "i2c-tiny-usb", testsupport::FakeI2cTree::Carrier::TinyUsb);
    I2cDevControl control(kernel, tree.paths());
    platform::forms::HeadlessPlatform platform;
    program::Windows program(platform, control);
    if (!program.usb().OpenFirstFreeDevice()) {
        state.SkipWithError("the fake adapter did not open");
        return;
    }
    program.vars().giDeviceAddress = SimulatedBoard::ChargerAddress;
    std::uint8_t ms = 0, ls = 0;
    for (auto _ : state) {
        if (adapter::ReadWordReg(program, 0x15, ms, ls) != 0)
            state.SkipWithError("the word read failed");
        if constexpr (std::is_same_v<Kernel, testsupport::BoardOnI2c>)
            kernel.transfers.clear();  // the fake's log is no part of the cost
    }
}

void BM_ReadWordRegOnI2cDev(benchmark::State& state)
{
    SimulatedBoard board;
    testsupport::BoardOnI2c kernel(board);
    readWords(state, kernel);
}
BENCHMARK(BM_ReadWordRegOnI2cDev)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);

void BM_ReadWordRegOnI2cDevSoftwareOnly(benchmark::State& state)
{
    WordOnlyKernel kernel;
    readWords(state, kernel);
}
BENCHMARK(BM_ReadWordRegOnI2cDevSoftwareOnly)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
