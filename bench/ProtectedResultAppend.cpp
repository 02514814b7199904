// SPDX-License-Identifier: GPL-3.0-or-later
// Adding one run to a protected result file that already holds N runs of a
// 50-task test. Every addition reads and checks the whole file, but only the
// new run (and the count before the runs) is compressed: the old runs'
// compressed bytes are kept. The yardstick is a bare zlib level-9
// compression of the same content.
//
// Run: bench_ProtectedResultAppend [folder]   (default: $TMPDIR or /tmp)
// Prints per N the median time of one addition, of the bare compression of
// the new content, their ratio, and the parts of a whole rewrite: reading the
// old file, building and compressing the new one, writing it safely to disk.
// Then: the size of a file in one single zlib stream, as other writers make
// it ("1-stream KB"), and the time of the first addition to such a file
// ("1-stream add ms"), which rewrites it whole in the appendable shape. Last,
// the size of a file built run by run next to the same runs written at once.
#include "io/ZlibOutputStream.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "results/ProtectedResultFile.h"
#include "results/ProtectedResultFormat.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tevrix;

constexpr int kTasks = 50;
const ProtectedResultIdentity kTest{"{6B1F3C2A-9D4E-4F00-8A11-2233445566AA}", "ключ-9А"};

// A run as a class of pupils leaves them: answers of every kind, times, some
// prompts, a few tasks not asked.
TResultTest MakeRun(int pupil, std::mt19937& random) {
    std::uniform_int_distribution<int> percent(0, 99);
    TResultTest run = TResultTest::Create(kTasks);
    run.UserName = "Ученик " + std::to_string(pupil) + " Петров";
    run.UserGroup = pupil % 2 ? "9-А" : "9-Б";
    run.ComputerName = "KAB12-PC" + std::to_string(pupil % 16);
    run.ComputerUserName = "pupil";
    run.TimeBegin = 45356.375 + pupil / 1440.0;
    run.TimeEnd = run.TimeBegin + 0.02;
    run.ResultDate = run.TimeEnd;
    run.Duration = 1700 + percent(random);
    run.TestTitle = "Контрольная работа по алгебре, 9 класс";
    run.TestFileName = "/home/teacher/Тесты/Алгебра-9.tvf";
    run.TestFileCRC = 0x5EED1234;
    run.TestUId = kTest.UId;
    for (int task = 0; task < kTasks; ++task) {
        if (percent(random) < 10)
            continue; // not asked in this run
        const bool right = percent(random) < 65;
        const std::vector<std::string> answers = {std::to_string(1 + percent(random) % 5),
                                                  "2;4;",
                                                  "1-3;2-1;3-2;",
                                                  "1-Да;2-Нет;3-;",
                                                  "x = " + std::to_string(percent(random)) + ";",
                                                  "фотосинтез",
                                                  "x=120; y=87",
                                                  "КОЛОКОЛ"};
        run.SetResultMask(task, right ? 1 + task % 3 : 0);
        run.SetTimeMask(task, 5 + percent(random));
        run.SetAnswer(task, answers[static_cast<size_t>(task) % answers.size()]);
        if (percent(random) < 15)
            run.SetPenaltyMask(task, 1);
        run.DoneCount += 1;
        run.RightCount += right;
        run.WrongCount += !right;
        run.Score += right ? 1 + task % 3 : 0;
    }
    run.EndReason = RunEndReason::Finished;
    run.TaskCount = kTasks;
    run.MaxScore = 100;
    run.Mark = 4;
    run.MarkName = "хорошо";
    run.MarkCount = 5;
    return run;
}

double Milliseconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string AsString(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

struct Figures {
    double Add, Bare, Read, Build, Disk, SingleStreamKB, SingleStreamAdd;
};

// A file as a writer without flush points makes it: one zlib stream.
std::string SingleStreamFile(const std::vector<TResultTest>& runs) {
    MemoryOutputStream body;
    WriteProtectedResultBody(body, kTest, runs);
    const std::vector<uint8_t> stream = ZlibCompress(body.Bytes().data(), body.Bytes().size(), 9);
    return std::string(tvpr::kSignature) + AsString(stream);
}

Figures Measure(const std::string& path, const ResultOutputSettings& settings,
                const std::vector<TResultTest>& runs, const TResultTest& added, int repeats) {
    MemoryOutputStream initial;
    WriteProtectedResultContent(initial, kTest, runs);
    const std::string initialBytes = AsString(initial.Bytes());
    std::vector<TResultTest> after = runs;
    after.push_back(added);
    MemoryOutputStream body;
    WriteProtectedResultBody(body, kTest, after);

    const std::string singleStream = SingleStreamFile(runs);
    std::vector<double> add, bare, read, build, disk, singleAdd;
    for (int r = 0; r < repeats; ++r) {
        WriteFileAtomically(path, singleStream);
        singleAdd.push_back(
            Milliseconds([&] { WriteProtectedResult(settings, kTest, added, TextLocale{}); }));
        WriteFileAtomically(path, initialBytes);
        add.push_back(Milliseconds([&] {
            if (WriteProtectedResult(settings, kTest, added, TextLocale{}).Status !=
                ProtectedWriteStatus::Written)
                std::fprintf(stderr, "the addition failed\n");
        }));
        bare.push_back(
            Milliseconds([&] { ZlibCompress(body.Bytes().data(), body.Bytes().size(), 9); }));

        WriteFileAtomically(path, initialBytes);
        std::vector<TResultTest> read_runs;
        read.push_back(Milliseconds([&] {
            FileInputStream file(path);
            ProtectedResultReader reader(file);
            reader.ReadSignature();
            reader.ReadIdentity();
            read_runs = reader.ReadRecords();
        }));
        read_runs.push_back(added);
        std::string newBytes;
        build.push_back(Milliseconds([&] {
            MemoryOutputStream bytes;
            WriteProtectedResultContent(bytes, kTest, read_runs);
            newBytes = AsString(bytes.Bytes());
        }));
        disk.push_back(Milliseconds([&] { WriteFileAtomically(path, newBytes); }));
    }
    return {Median(add),      Median(bare), Median(read),
            Median(build),    Median(disk), singleStream.size() / 1024.0,
            Median(singleAdd)};
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder =
        WithTrailingSlash(argc > 1 ? argv[1] : TempRoot()) + "tevrix-bench-results";
    std::filesystem::create_directories(folder);
    ResultOutputSettings settings;
    settings.DirForResult = folder;
    const std::string path = settings.ResultFilePath(ProtectedResultFileName("", kTest.UId));

    std::mt19937 random(20240305);
    std::printf("%6s %9s %10s %10s %6s | %8s %9s %8s | %12s %15s\n", "runs", "file KB", "add ms",
                "zlib-9 ms", "ratio", "read ms", "build ms", "disk ms", "1-stream KB",
                "1-stream add ms");
    std::vector<TResultTest> runs;
    for (const int existing : {1, 1000, 10000}) {
        while (static_cast<int>(runs.size()) < existing)
            runs.push_back(MakeRun(static_cast<int>(runs.size()), random));
        const TResultTest added = MakeRun(existing, random);
        const int repeats = existing >= 10000 ? 3 : existing >= 1000 ? 7 : 51;
        const Figures f = Measure(path, settings, runs, added, repeats);
        MemoryOutputStream whole;
        WriteProtectedResultContent(whole, kTest, runs);
        std::printf("%6d %9.1f %10.2f %10.2f %6.2f | %8.2f %9.2f %8.2f | %12.1f %15.2f\n", existing,
                    whole.Bytes().size() / 1024.0, f.Add, f.Bare, f.Add / f.Bare, f.Read, f.Build,
                    f.Disk, f.SingleStreamKB, f.SingleStreamAdd);
    }

    // A class's runs added one by one, next to the same runs written at once.
    std::filesystem::remove(path);
    for (size_t i = 0; i < 300; ++i)
        WriteProtectedResult(settings, kTest, runs[i], TextLocale{});
    const std::vector<TResultTest> first(runs.begin(), runs.begin() + 300);
    MemoryOutputStream atOnce;
    WriteProtectedResultContent(atOnce, kTest, first);
    std::printf(
        "300 runs added one by one: %.1f KB; written at once: %.1f KB; as one stream: %.1f KB\n",
        static_cast<double>(std::filesystem::file_size(path)) / 1024.0,
        atOnce.Bytes().size() / 1024.0, SingleStreamFile(first).size() / 1024.0);
    std::filesystem::remove_all(folder);
    return 0;
}
