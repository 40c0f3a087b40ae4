// Start-up cost of the program against a bare Qt window: from process start to the main window
// painted on the offscreen platform, and the peak memory of the process. Each sample is a fresh
// process (this program run again as a child); the bare window gets as many plain widgets as the
// program's window made, and all are measured in the same run. A third series adds one text label
// to the bare window: the first text pays for loading the font database, which plain widgets never
// do, and that share of the program's start-up is Qt's, not the program's.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/program.h"
#include "main_window/form2.h"
#include "platform/busctl/simulated_board.h"
#include "platform/profile/profile.h"
#include "platform/qtview/form_window.h"
#include "platform/qtview/qt_platform.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// ---- The children: start, paint once, report the widget count, end without tearing down.

// Reports once the window's first paint pass is over.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : window(window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!done && watched == &window && event->type() == QEvent::Paint) {
            done = true;
            // The children paint in the same pass; report after it.
            QTimer::singleShot(0, [] {
                std::printf("painted %lld\n", static_cast<long long>(QApplication::allWidgets().size()));
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    QWidget& window;
    bool done = false;
};

int runProgramChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    auto info = platform::forms::defaultProgramInfo();
    info.folder = fs::canonical("/proc/self/exe").parent_path().parent_path();  // the build folder
    info.exeName = "darnex";
    platform::qtview::QtPlatform platform(info);
    platform.setSettingsFolder(platform::profile::defaultSettingsFolder());
    platform::busctl::SimulatedBoard board;
    common::Program program(platform, board);
    auto& form = program.form2();
    PaintWatch watch(platform.window(form));
    form.show();
    return app.exec();
}

int runBareChild(int argc, char** argv, int widgets, bool withText)
{
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    QWidget window;
    window.resize(825, 613);
    // The window itself is one of the widgets.
    for (int i = 1; i < widgets; ++i) {
        auto* child = new QWidget(&window);
        child->setGeometry((i % 40) * 20, (i / 40) * 20, 18, 18);
    }
    if (withText) {
        auto* label = new QLabel("Quelvar", &window);
        label->move(400, 300);
    }
    PaintWatch watch(window);
    window.show();
    return app.exec();
}

// ---- The parent: runs children and measures them.

struct Sample {
    double seconds = 0;
    double peakMb = 0;
    int widgets = 0;
};

Sample runChild(const std::vector<std::string>& args)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 && std::strncmp(*e, "XDG_", 4) != 0)
            env.emplace_back(*e);
    static const fs::path settings = [] {
        auto p = fs::temp_directory_path() / ("quelvar-bench-" + std::to_string(getpid()));
        fs::create_directories(p);
        fs::permissions(p, fs::perms::owner_all);
        return p;
    }();
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + settings.string());
    env.push_back("XDG_RUNTIME_DIR=" + settings.string());

    int out[2];
    if (pipe(out) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    const std::string self = fs::canonical("/proc/self/exe").string();
    std::vector<std::string> all{self};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    Sample sample;
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    sample.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || line.rfind("painted ", 0) != 0) {
        std::fprintf(stderr, "child %s failed: \"%s\"\n", args.front().c_str(), line.c_str());
        std::abort();
    }
    sample.widgets = std::stoi(line.substr(8));
    sample.peakMb = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
    return sample;
}

struct Series {
    std::vector<double> seconds, peakMb;
    double median(std::vector<double> v) const
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
};
Series programSeries, bareSeries, bareTextSeries;
int programWidgets = 0;

void measure(benchmark::State& state, Series& series, const std::vector<std::string>& args)
{
    for (auto _ : state) {
        const Sample s = runChild(args);
        state.SetIterationTime(s.seconds);
        series.seconds.push_back(s.seconds);
        series.peakMb.push_back(s.peakMb);
        if (args.front() == "--child-program")
            programWidgets = s.widgets;
    }
    state.counters["median_ms"] = series.median(series.seconds) * 1000;
    state.counters["peak_MB"] = series.median(series.peakMb);
}

void BM_ProgramStartToPaint(benchmark::State& state) { measure(state, programSeries, {"--child-program"}); }

void measureBare(benchmark::State& state, Series& series, const char* mode)
{
    if (programWidgets == 0)
        programWidgets = runChild({"--child-program"}).widgets;
    state.counters["widgets"] = programWidgets;
    measure(state, series, {mode, std::to_string(programWidgets)});
}
void BM_BareQtStartToPaint(benchmark::State& state) { measureBare(state, bareSeries, "--child-bare"); }
void BM_BareQtWithTextStartToPaint(benchmark::State& state)
{
    measureBare(state, bareTextSeries, "--child-bare-text");
}

BENCHMARK(BM_ProgramStartToPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_BareQtStartToPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_BareQtWithTextStartToPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void printRatio(const char* against, const Series& base)
{
    if (programSeries.seconds.empty() || base.seconds.empty())
        return;
    const double time = programSeries.median(programSeries.seconds) / base.median(base.seconds);
    const double memory = programSeries.median(programSeries.peakMb) / base.median(base.peakMb);
    std::printf("program / %s (%d widgets): start-to-paint %.2fx, peak memory %.2fx (%s 1.5x)\n", against,
                programWidgets, time, memory, time <= 1.5 && memory <= 1.5 ? "within" : "NOT within");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--child-program") == 0)
        return runProgramChild(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--child-bare") == 0)
        return runBareChild(argc, argv, std::atoi(argv[2]), false);
    if (argc >= 3 && std::strcmp(argv[1], "--child-bare-text") == 0)
        return runBareChild(argc, argv, std::atoi(argv[2]), true);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    printRatio("bare Qt window", bareSeries);
    printRatio("bare Qt window with one text label", bareTextSeries);
    return 0;
}
