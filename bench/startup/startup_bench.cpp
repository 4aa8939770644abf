// Start-up time to the first paint and peak memory of fathomer, against a bare Qt window.
// Usage: startup_bench <fathomer> <bare_window> <run folder> [runs]; needs DISPLAY (see bench/startup/run).
// With --window, the windowed program of each run folder named (its own fathomer_probed) against
// the first folder's: startup_bench --window <runs> <folder> <folder>... (see bench/memory/run).
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Sample {
    double ms = 0;
    double rssMB = 0;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

Sample runOnce(const std::string &program, const std::string &folder, const char *argument = nullptr) {
    int out[2];
    if (pipe(out) != 0) std::exit(2);
    const long long start = monotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        if (chdir(folder.c_str()) != 0) _exit(3);
        setenv("FATHOMER_FIRST_PAINT_PROBE", "1", 1);
        execl(program.c_str(), program.c_str(), argument, (char *)nullptr);
        _exit(4);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    // Ended once the paint is reported: a program that then waits (behind a message box shown
    // before its event loop, say) would otherwise hold the benchmark for good. One that paints
    // no window of its own in 20 s (a change that leaves the paint to a child widget) is stopped.
    pollfd ready{out[0], POLLIN, 0};
    while (text.find('\n', text.find("first-paint ")) == std::string::npos && poll(&ready, 1, 20000) > 0 &&
           (n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    close(out[0]);
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto at = text.find("first-paint ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s printed no first paint (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    const long long painted = std::atoll(text.c_str() + at + 12);
    return {double(painted - start) / 1e6, double(usage.ru_maxrss) / 1024.0};
}

Sample median(const std::string &program, const std::string &folder, int runs) {
    std::vector<double> ms, rss;
    for (int i = 0; i < runs; ++i) {
        const Sample s = runOnce(program, folder);
        ms.push_back(s.ms);
        rss.push_back(s.rssMB);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(rss.begin(), rss.end());
    return {ms[ms.size() / 2], rss[rss.size() / 2]};
}

void storeSettings(const std::filesystem::path &home, bool fullscreen) {
    std::filesystem::create_directories(home / "Brevant");
    std::ofstream(home / "Brevant" / "Fathomer50.conf")
        << "[General]\nFullscreenMode=" << (fullscreen ? 1 : 0) << "\nSoundMode=2\nSplashScreen=0\n";
}

double middle(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
double lowest(const std::vector<double> &values) { return *std::min_element(values.begin(), values.end()); }
double highest(const std::vector<double> &values) { return *std::max_element(values.begin(), values.end()); }

std::string folderName(const std::string &folder) { return std::filesystem::path(folder).filename().string(); }

int compareFolders(int runs, int count, char **folders) {
    Sample first;
    for (int i = 0; i < count; ++i) {
        const std::string folder = folders[i];
        const Sample s = median(folder + "/fathomer_probed", folder, runs);
        if (i == 0) first = s;
        std::printf("window %s first-ms %.1f peak-mb %.1f time-ratio %.2f mem-ratio %.2f\n", folderName(folder).c_str(),
                    s.ms, s.rssMB, s.ms / first.ms, s.rssMB / first.rssMB);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <fathomer> <bare_window> <run folder> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 9;
    const auto home = std::filesystem::temp_directory_path() / ("fathomer-bench-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", home.c_str(), 1);  // no overlay of the program folder
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (std::string(argv[1]) == "--window") {
        storeSettings(home, false);
        const int status = compareFolders(std::max(1, std::atoi(argv[2])), argc - 3, argv + 3);
        std::filesystem::remove_all(home);
        return status;
    }

    // Paired runs: each round starts the bare window and both modes back to back, so a busy
    // machine slows all three alike and the ratio of each round is the figure.
    const struct {
        const char *name;
        bool fullscreen;
        double timeTarget, memTarget;
    } modes[] = {{"fathomer windowed", false, 1.2, 1.3}, {"fathomer fullscreen", true, 1.6, 1.3}};
    // Also the bare window made as large as the screen: what any fullscreen window costs.
    std::vector<double> bareMs, bareMb, ms[2], mb[2], timeRatio[2], memRatio[2], wholeScreen[2];
    for (int i = 0; i < runs; ++i) {
        const Sample bare = runOnce(argv[2], argv[3]);
        bareMs.push_back(bare.ms);
        bareMb.push_back(bare.rssMB);
        const Sample bareFullscreen = runOnce(argv[2], argv[3], "--fullscreen");
        wholeScreen[0].push_back(bareFullscreen.ms / bare.ms);
        wholeScreen[1].push_back(bareFullscreen.rssMB / bare.rssMB);
        for (int m = 0; m < 2; ++m) {
            storeSettings(home, modes[m].fullscreen);
            const Sample s = runOnce(argv[1], argv[3]);
            ms[m].push_back(s.ms);
            mb[m].push_back(s.rssMB);
            timeRatio[m].push_back(s.ms / bare.ms);
            memRatio[m].push_back(s.rssMB / bare.rssMB);
        }
    }
    std::printf("%d paired runs; medians, ratios as median [lowest - highest] of the runs' own ratios\n", runs);
    std::printf("%-22s %8s %8s %24s %24s\n", "", "first ms", "peak MB", "time ratio", "mem ratio");
    std::printf("%-22s %8.1f %8.1f\n", "bare Qt window", middle(bareMs), middle(bareMb));
    std::printf("%-22s %17s %6.2fx [%.2f - %.2f] %6.2fx [%.2f - %.2f]\n", "bare, screen-sized", "",
                middle(wholeScreen[0]), lowest(wholeScreen[0]), highest(wholeScreen[0]), middle(wholeScreen[1]),
                lowest(wholeScreen[1]), highest(wholeScreen[1]));
    int failures = 0;
    for (int m = 0; m < 2; ++m) {
        const double t = middle(timeRatio[m]), r = middle(memRatio[m]);
        const bool ok = t <= modes[m].timeTarget && r <= modes[m].memTarget;
        failures += !ok;
        std::printf("%-22s %8.1f %8.1f %6.2fx [%.2f - %.2f] %6.2fx [%.2f - %.2f]  (targets <= %.1f, <= %.1f) %s\n",
                    modes[m].name, middle(ms[m]), middle(mb[m]), t, lowest(timeRatio[m]), highest(timeRatio[m]), r,
                    lowest(memRatio[m]), highest(memRatio[m]), modes[m].timeTarget, modes[m].memTarget,
                    ok ? "ok" : "OVER");
    }
    std::filesystem::remove_all(home);
    return failures == 0 ? 0 : 1;
}
