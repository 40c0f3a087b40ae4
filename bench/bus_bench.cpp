// One word transfer through the bus wrapper, frmUSB and the dispatch layer to the opened simulated
// board, against the board's own dispatch alone as the floor. A read word takes about 467 us on a
// 100 kHz wire, so the program's share should stay in the hundreds of nanoseconds.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "adapter/bus.h"
#include "adapter/frm_usb.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/headless_platform.h"
#include "program/windows.h"

namespace {

namespace busctl = platform::busctl;

struct Run {
    platform::forms::HeadlessPlatform platform;
    busctl::SimulatedBoard board;
    program::Windows program{platform, board};
    Run()
    {
        if (!program.usb().OpenFirstFreeDevice())
            std::abort();
        program.vars().giDeviceAddress = busctl::SimulatedBoard::ChargerAddress;
    }
};

void ReadWordReg(benchmark::State& state)
{
    Run run;
    std::uint8_t ms = 0, ls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(adapter::ReadWordReg(run.program, 0x15, ms, ls));
        benchmark::DoNotOptimize(ms);
    }
}
BENCHMARK(ReadWordReg);

void WriteWordReg(benchmark::State& state)
{
    Run run;
    for (auto _ : state)
        benchmark::DoNotOptimize(adapter::WriteWordReg(run.program, 0x15, 0x41, 0xA0));
}
BENCHMARK(WriteWordReg);

// The floor: the board answering the same operations with the argument lists built once.
void BoardReadWordCmd(benchmark::State& state)
{
    Run run;
    std::vector<busctl::Arg> args{{std::int16_t{0x15}, busctl::Passing::ByRef}, {std::int16_t{0}, busctl::Passing::ByRef},
                                  {std::int16_t{0x12}, busctl::Passing::ByValue}};
    for (auto _ : state)
        benchmark::DoNotOptimize(run.board.invoke(busctl::op::ReadWordCmd, args));
}
BENCHMARK(BoardReadWordCmd);

void BoardWriteWordCmd(benchmark::State& state)
{
    Run run;
    std::vector<busctl::Arg> args{{std::int16_t{0x15}, busctl::Passing::ByValue}, {std::int16_t{0x41A0}, busctl::Passing::ByRef},
                                  {std::int16_t{0x12}, busctl::Passing::ByValue}};
    std::vector<busctl::Arg> none;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run.board.invoke(busctl::op::WriteWordCmd, args));
        benchmark::DoNotOptimize(run.board.invoke(busctl::op::ConfirmWrite, none));
    }
}
BENCHMARK(BoardWriteWordCmd);

}  // namespace

BENCHMARK_MAIN();
