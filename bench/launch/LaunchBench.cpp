// SPDX-License-Identifier: GPL-3.0-or-later
// Launch time of the station against a bare Qt Widgets program: each is
// started ROUNDS times in turn (default 20), from the fork to the exit its
// first painted window ends it, and the median and the fastest launch are
// printed with their ratio.
//
//   xvfb-run -a build/bench/bench_LaunchBench [ROUNDS]   (on a real X server)
//   QT_QPA_PLATFORM=offscreen build/bench/bench_LaunchBench [ROUNDS]
//
// The station gets a station folder and user store of its own in a
// temporary folder, and the demo test as its first argument.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from starting `argv` to its exit; -1 when it failed.
double LaunchMs(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point started = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

struct Figures {
    double Median = 0;
    double Fastest = 0;
};

Figures Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("launch-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);

    const std::vector<std::string> bare{TEVRIX_BARE_WINDOW};
    const std::vector<std::string> station{TEVRIX_STATION, TEVRIX_DEMO_TEST};
    // One launch of each first, so that both start with warm caches.
    if (LaunchMs(bare) < 0 || LaunchMs(station) < 0) {
        std::fprintf(stderr, "a program did not start or did not paint its window\n");
        return 1;
    }
    std::vector<double> bareTimes;
    std::vector<double> stationTimes;
    for (int round = 0; round < rounds; ++round) {
        bareTimes.push_back(LaunchMs(bare));
        stationTimes.push_back(LaunchMs(station));
    }
    std::filesystem::remove_all(home);
    if (std::count(bareTimes.begin(), bareTimes.end(), -1.0) +
            std::count(stationTimes.begin(), stationTimes.end(), -1.0) >
        0) {
        std::fprintf(stderr, "a launch failed\n");
        return 1;
    }
    const Figures b = Summarise(bareTimes);
    const Figures s = Summarise(stationTimes);
    std::printf("launch to first paint, %d rounds (ms)   median  fastest\n", rounds);
    std::printf("bare Qt Widgets window                %8.1f %8.1f\n", b.Median, b.Fastest);
    std::printf("station with the demo test            %8.1f %8.1f\n", s.Median, s.Fastest);
    std::printf("station / bare (median)               %8.2f\n", s.Median / b.Median);
    return 0;
}
