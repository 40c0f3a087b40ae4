// Reading the "Input by File" data file: a gigabyte file must cost what a small one does, since
// only a short prefix is ever read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "main_window/input_data_file.h"

namespace {

namespace fs = std::filesystem;

fs::path makeFile(std::uintmax_t size)
{
    const auto path = fs::temp_directory_path() / ("quelvar-bench-" + std::to_string(::getpid()) + "-" + std::to_string(size));
    std::ofstream(path, std::ios::binary) << "384,16800,4096\r\n";
    fs::resize_file(path, size);  // sparse beyond the numbers
    return path;
}

void ReadInputDataFile(benchmark::State& state)
{
    const auto path = makeFile(static_cast<std::uintmax_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(main_window::readInputDataFile(path));
    fs::remove(path);
}
BENCHMARK(ReadInputDataFile)->Arg(16)->Arg(std::int64_t{1} << 30)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
