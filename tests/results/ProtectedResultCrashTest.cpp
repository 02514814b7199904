// SPDX-License-Identifier: GPL-3.0-or-later
// A writer killed at any moment must leave the protected result file either
// as it was or as it was meant to become, never torn, with every record whole.
#include "platform/Files.h"
#include "results/ProtectedResultFile.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace tevrix {
namespace {

using testing::SampleRecord;
using testing::TempFolder;

constexpr int kRounds = 300;
// Each child tries to add this many runs before it exits on its own.
constexpr int kWritesPerChild = 2;

const ProtectedResultIdentity kTest{"{CRASH-TEST}", "key"};

std::string Pupil(size_t index) {
    return "Ученик " + std::to_string(index);
}

// Reads every run of the file and checks that run i is pupil i's.
// Returns the number of runs.
size_t ReadAndCheckRuns(const std::string& path) {
    FileInputStream file(path);
    ProtectedResultReader reader(file);
    EXPECT_TRUE(reader.ReadSignature());
    const ProtectedResultIdentity identity = reader.ReadIdentity();
    EXPECT_EQ(identity.UId, kTest.UId);
    const std::vector<TResultTest> runs = reader.ReadRecords();
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].UserName, Pupil(i));
    return runs.size();
}

// Removes the temporary files a killed writer leaves; returns how many.
int RemoveLeftovers(const std::string& folder, const std::string& keep) {
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().string() != keep) {
            std::filesystem::remove(entry.path());
            ++removed;
        }
    }
    return removed;
}

TEST(ProtectedResultCrash, AKilledWriterNeverTearsTheFile) {
    TempFolder folder;
    ResultOutputSettings settings;
    settings.ProgramDir = folder.Path();
    const std::string path = folder.File("CRASH-TEST.tvpr");

    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(WriteProtectedResult(settings, kTest, SampleRecord(Pupil(0)), TextLocale{}).Status,
              ProtectedWriteStatus::Written);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    // Kill anywhere from before the first write to after the last.
    const long window = std::max<long>(500, oneWrite.count() * (kWritesPerChild + 1));

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, window);

    size_t runs = 1;
    int killedMidWrite = 0;
    int roundsWithNewRuns = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < kWritesPerChild; ++i)
                WriteProtectedResult(settings, kTest, SampleRecord(Pupil(runs + i)), TextLocale{});
            std::_Exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        size_t now = 0;
        try {
            now = ReadAndCheckRuns(path);
        } catch (const std::exception& error) {
            FAIL() << "round " << round << ": the file is torn: " << error.what();
        }
        ASSERT_GE(now, runs) << "round " << round;
        ASSERT_LE(now, runs + kWritesPerChild) << "round " << round;
        roundsWithNewRuns += now > runs;
        runs = now;
        killedMidWrite += RemoveLeftovers(folder.Path(), path) > 0;
    }
    // The kills did land inside writes, and writes did complete between them.
    EXPECT_GT(killedMidWrite, 0);
    EXPECT_GT(roundsWithNewRuns, 0);
    RecordProperty("KilledMidWrite", killedMidWrite);
    RecordProperty("RoundsWithNewRuns", roundsWithNewRuns);
    std::printf("%d rounds: %d killed inside a write, %d added runs, %zu runs in the end\n",
                kRounds, killedMidWrite, roundsWithNewRuns, runs);
}

} // namespace
} // namespace tevrix

namespace tevrix {
namespace {

// Stations that share a result folder add their runs at the same moments;
// every run must end up in the file once.
TEST(ProtectedResultSharing, StationsWritingAtOnceLoseNoRun) {
    constexpr int kStations = 4;
    constexpr int kRunsEach = 10;
    TempFolder folder;
    ResultOutputSettings settings;
    settings.ProgramDir = folder.Path();
    ASSERT_EQ(WriteProtectedResult(settings, kTest, SampleRecord("first"), TextLocale{}).Status,
              ProtectedWriteStatus::Written);

    std::vector<pid_t> stations;
    for (int station = 0; station < kStations; ++station) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int run = 0; run < kRunsEach; ++run) {
                const std::string pupil = std::to_string(station) + "-" + std::to_string(run);
                failures += WriteProtectedResult(settings, kTest, SampleRecord(pupil), TextLocale{})
                                .Status != ProtectedWriteStatus::Written;
            }
            std::_Exit(failures);
        }
        stations.push_back(child);
    }
    for (const pid_t child : stations) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    FileInputStream file(folder.File("CRASH-TEST.tvpr"));
    ProtectedResultReader reader(file);
    ASSERT_TRUE(reader.ReadSignature());
    reader.ReadIdentity();
    std::vector<std::string> pupils;
    for (const TResultTest& run : reader.ReadRecords())
        pupils.push_back(run.UserName);
    ASSERT_EQ(pupils.size(), 1u + kStations * kRunsEach);
    EXPECT_EQ(pupils.front(), "first");
    // Each station's runs are all there, in the order it wrote them.
    for (int station = 0; station < kStations; ++station) {
        int next = 0;
        for (const std::string& pupil : pupils) {
            if (pupil.rfind(std::to_string(station) + "-", 0) == 0) {
                EXPECT_EQ(pupil, std::to_string(station) + "-" + std::to_string(next++));
            }
        }
        EXPECT_EQ(next, kRunsEach);
    }
}

} // namespace
} // namespace tevrix
