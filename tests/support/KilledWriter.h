// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Kills writers at random moments: each round forks a child that writes a
// few numbered states of a file one after another and is killed after a
// random delay; then the parent reads what is there.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tevrix::testing {

struct KilledWriterRun {
    int Rounds = 1000;
    // Each child tries to write this many states before it exits on its own.
    int WritesPerChild = 2;
    // Writes state n (n counts from 0; state 0 is written before the first
    // round, by the parent).
    std::function<void(int n)> Write;
    // Reads the files as they are now, checking that they are whole, and
    // returns the last state they hold.
    std::function<int()> Read;
    // The folder the writer works in and the files to keep there; anything
    // else (a killed writer's temporary file) is removed after each round.
    std::string Folder;
    std::set<std::string> Keep;
};

// Where the killed writers work: a folder in memory when the system has one,
// since what is tested is how a writer replaces or appends to a file when
// its process dies, which does not depend on the disk, and waiting for the
// disk's flushes would make a thousand rounds take minutes.
inline std::string KilledWriterBase() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error)
               ? "/dev/shm"
               : std::filesystem::temp_directory_path().string();
}

struct KilledWriterReport {
    int KilledMidWrite = 0; // rounds that left a temporary file behind
    int RoundsWithNewState = 0;
    int LastState = 0;
};

// Runs the rounds; every round the state read must be one the files held
// before the kill or one the child was writing. Fails the current test
// otherwise (check HasFatalFailure() after it).
inline KilledWriterReport RunKilledWriters(const KilledWriterRun& run) {
    KilledWriterReport report;
    const auto started = std::chrono::steady_clock::now();
    run.Write(0);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    // Kill anywhere from before the first write to after the last. The
    // window follows the writes as they grow slower or faster: wider after a
    // child that wrote nothing, narrower after one that wrote everything.
    double window = std::max<double>(200, oneWrite.count() * (run.WritesPerChild + 1));

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    int state = 0;
    for (int round = 0; round < run.Rounds; ++round) {
        const pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            break;
        }
        if (child == 0) {
            for (int i = 1; i <= run.WritesPerChild; ++i)
                run.Write(state + i);
            std::_Exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<long>(0, static_cast<long>(window))(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        if (::waitpid(child, &status, 0) != child) {
            ADD_FAILURE() << "waitpid failed";
            break;
        }

        int now = -1;
        try {
            now = run.Read();
        } catch (const std::exception& error) {
            ADD_FAILURE() << "round " << round << ": the file is torn: " << error.what();
            break;
        }
        if (now < state || now > state + run.WritesPerChild) {
            ADD_FAILURE() << "round " << round << ": state " << now << " after " << state;
            break;
        }
        if (::testing::Test::HasFailure())
            break;
        report.RoundsWithNewState += now > state;
        if (now == state)
            window = std::min(window * 1.2, 1e6);
        else if (now == state + run.WritesPerChild)
            window = std::max(window * 0.8, 50.0);
        state = now;

        bool leftover = false;
        for (const auto& entry : std::filesystem::directory_iterator(run.Folder)) {
            if (!run.Keep.count(entry.path().filename().string())) {
                std::filesystem::remove_all(entry.path());
                leftover = true;
            }
        }
        report.KilledMidWrite += leftover;
    }
    report.LastState = state;
    std::printf("%d rounds: %d killed inside a write, %d with a new state, state %d in the end\n",
                run.Rounds, report.KilledMidWrite, report.RoundsWithNewState, state);
    return report;
}

} // namespace tevrix::testing
