#pragma once
// Start-to-paint and peak memory of whole processes: the benchmark runs itself again as a child
// with other arguments, the child shows a window on the offscreen platform and reports once it
// has painted, and the parent takes the time from spawn to that report and the child's peak
// resident memory from wait4. Two kinds of child are run in alternating pairs, so that a busy
// machine weighs on both alike, and compared by their medians.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

namespace procbench {

namespace fs = std::filesystem;

// ---- Child side

// Watches a window; once its first paint pass is over, prints "painted <widgets>" and ends the
// process at once (tearing down would only add noise to the parent's clock). Any widget of the
// window counts: a window covered by opaque children gets no paint event of its own.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : window(window) { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!done && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == &window) {
            done = true;
            // The rest of the window paints in the same pass; report after it.
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

// ---- Parent side

struct Sample {
    double seconds = 0;
    double cpuSeconds = 0;  // user and system, all threads: steadier than wall time on a busy machine
    double peakMb = 0;
    int widgets = 0;
};

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// Set in every child's environment: a child that does not know its part ends at once instead of
// running the benchmarks (and children of its own) again.
inline constexpr const char* ChildMarker = "QUELVAR_BENCH_CHILD";
inline bool isChild() { return !qEnvironmentVariableIsEmpty(ChildMarker); }

// A folder of its own for the children's settings and runtime files, removed at the end.
inline const fs::path& scratchFolder()
{
    struct Folder {
        fs::path path;
        Folder() : path(fs::temp_directory_path() / ("quelvar-bench-" + std::to_string(getpid())))
        {
            fs::create_directories(path);
            fs::permissions(path, fs::perms::owner_all);
        }
        ~Folder()
        {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline long ownPeakKb()
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    return self.ru_maxrss;
}

// Runs this program again with `args` on the offscreen platform and waits for its report.
inline Sample runChild(const std::vector<std::string>& args)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 && std::strncmp(*e, "XDG_", 4) != 0)
            env.emplace_back(*e);
    env.push_back(std::string(ChildMarker) + "=1");
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + scratchFolder().string());
    env.push_back("XDG_RUNTIME_DIR=" + scratchFolder().string());

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

    // A spawned child starts out on the parent's memory, and the kernel keeps that peak in the
    // child's ru_maxrss across exec: the figure is the child's own only while it exceeds ours.
    const long parentPeakKb = ownPeakKb();
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    // A child that never paints must not hold the run forever.
    constexpr auto Patience = std::chrono::seconds(20);
    Sample sample;
    std::string line;
    for (char c = 0; c != '\n';) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            start + Patience - std::chrono::steady_clock::now());
        pollfd ready{out[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) == 0) {
            kill(pid, SIGKILL);
            line += " (no report within 20 s)";
            break;
        }
        if (read(out[0], &c, 1) != 1)
            break;
        if (c != '\n')
            line += c;
    }
    sample.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || line.rfind("painted ", 0) != 0) {
        std::fprintf(stderr, "child %s failed: \"%s\"\n", args.front().c_str(), line.c_str());
        std::abort();
    }
    if (usage.ru_maxrss <= parentPeakKb) {
        std::fprintf(stderr, "child %s: its peak memory (%ld kB) is hidden by the parent's (%ld kB)\n",
                     args.front().c_str(), usage.ru_maxrss, parentPeakKb);
        std::abort();
    }
    sample.widgets = std::stoi(line.substr(8));
    sample.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    sample.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return sample;
}

struct Series {
    std::vector<double> seconds, cpuSeconds, peakMb;
    int widgets = 0;
    void add(const Sample& s)
    {
        seconds.push_back(s.seconds);
        cpuSeconds.push_back(s.cpuSeconds);
        peakMb.push_back(s.peakMb);
        widgets = s.widgets;
    }
    double medianMs() const { return median(seconds) * 1000; }
    double medianCpuMs() const { return median(cpuSeconds) * 1000; }
    double medianMb() const { return median(peakMb); }
};

// Ours against a plain Qt window, one pair of children per iteration, the order alternating.
// The iteration's time is ours; the counters hold both medians and the two ratios.
struct Comparison {
    Series ours, plain;

    void run(benchmark::State& state, const std::vector<std::string>& oursArgs,
             const std::vector<std::string>& plainArgs)
    {
        // The first start of each pays for the disk and for the settings file it writes.
        runChild(oursArgs);
        runChild(plainArgs);
        bool oursFirst = true;
        for (auto _ : state) {
            Sample o, p;
            if (oursFirst) {
                o = runChild(oursArgs);
                p = runChild(plainArgs);
            } else {
                p = runChild(plainArgs);
                o = runChild(oursArgs);
            }
            oursFirst = !oursFirst;
            state.SetIterationTime(o.seconds);
            ours.add(o);
            plain.add(p);
        }
        state.counters["ours_ms"] = ours.medianMs();
        state.counters["plain_ms"] = plain.medianMs();
        state.counters["time_ratio"] = timeRatio();
        state.counters["ours_cpu_ms"] = ours.medianCpuMs();
        state.counters["plain_cpu_ms"] = plain.medianCpuMs();
        state.counters["ours_MB"] = ours.medianMb();
        state.counters["plain_MB"] = plain.medianMb();
        state.counters["memory_ratio"] = memoryRatio();
        state.counters["ours_widgets"] = ours.widgets;
        state.counters["plain_widgets"] = plain.widgets;
    }

    double timeRatio() const { return plain.medianMs() > 0 ? ours.medianMs() / plain.medianMs() : 0; }
    double cpuRatio() const { return plain.medianCpuMs() > 0 ? ours.medianCpuMs() / plain.medianCpuMs() : 0; }
    double memoryRatio() const { return plain.medianMb() > 0 ? ours.medianMb() / plain.medianMb() : 0; }

    void print(const char* what, double limit) const
    {
        if (ours.seconds.empty())
            return;
        std::printf("%s: %.1f ms / %.1f ms = %.2fx in time to painted (%s %.1fx; CPU time %.2fx), %.1f MB / %.1f MB "
                    "= %.2fx in peak memory (%s %.1fx); %d / %d widgets, medians of %zu pairs\n",
                    what, ours.medianMs(), plain.medianMs(), timeRatio(), timeRatio() <= limit ? "within" : "NOT within",
                    limit, cpuRatio(), ours.medianMb(), plain.medianMb(), memoryRatio(),
                    memoryRatio() <= limit ? "within" : "NOT within", limit, ours.widgets, plain.widgets,
                    ours.seconds.size());
    }
};

}  // namespace procbench
