// The logging options dialog against a settings file in a real folder on disk: the first ShowForm
// of a run (its load writes the 40 missing keys one by one) and an OK (40 keys and "Log Rate").
// Each writes through a synced temporary file renamed over the old one, so the disk's sync time
// is most of it; both should stay well under 100 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "dialogs/frm_log_options.h"
#include "platform/busctl/simulated_board.h"
#include "platform/forms/headless_platform.h"
#include "platform/forms/scripted_user.h"
#include "program/windows.h"

namespace {

namespace fs = std::filesystem;

struct Run {
    fs::path folder = fs::temp_directory_path() / ("log_options_bench." + std::to_string(::getpid()));
    platform::forms::HeadlessPlatform platform;
    platform::busctl::SimulatedBoard board;
    program::Windows program{platform, board};
    Run()
    {
        fs::create_directories(folder);
        platform.setSettingsFolder(folder);
        program.vars().gsIniFile = "QuelvarEV.ini";
    }
    ~Run() { fs::remove_all(folder); }
    // One ShowForm, closed with the button named; with `flip`, every box is clicked first, so
    // that each key written changes (a write of the value a key has leaves the file alone).
    void show(const char* button, bool flip = false)
    {
        auto& dialog = program.logOptions();
        platform.queueInput([&dialog, button, flip] {
            platform::forms::ScriptedUser user(dialog);
            for (int i = 0; flip && i < 40; ++i)
                user.click("chkLog", i);
            user.click(button);
        });
        dialog.ShowForm();
    }
};

void BM_FirstShowForm(benchmark::State& state)
{
    Run run;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(run.folder / "QuelvarEV.ini", std::ios::trunc) << "[system]\nWrite Delay=0.07\n";
        state.ResumeTiming();
        run.show("cmdCancel");
    }
}
BENCHMARK(BM_FirstShowForm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

// ShowForm over a file that has every key (40 reads, nothing written), then OK changing them all.
void BM_ShowFormThenOk(benchmark::State& state)
{
    Run run;
    run.show("cmdCancel");
    for (auto _ : state)
        run.show("cmdOK", true);
}
BENCHMARK(BM_ShowFormThenOk)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
