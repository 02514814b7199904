// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a large test: how long the loader takes next to the two passes it
// cannot avoid, descrambling every byte and inflating the body.
//
//   build/bench/bench_LoadTestBench [MEGABYTES]     (default 200)
//   build/bench/bench_LoadTestBench --files COUNT   (many tiny files)
//
// Packs a test with MEGABYTES of embedded files (half text-like and
// compressible, half random like media) into $TMPDIR, then measures, best of
// three runs each: the bare descrambling loop over the file's bytes, bare
// zlib inflate of the body into a buffer, and LoadTest end to end (reading
// the file and writing the embedded files). The loader's peak memory is
// measured in a child process that does nothing else.
//
// With --files, the test holds COUNT empty embedded files of distinct names
// instead, and the bench prints the time LoadTest takes per file for COUNT
// and for a quarter of it: the two stay close when opening stays linear in
// the number of files.
#include "model/Scrambler.h"
#include "model/TestFileWriter.h"
#include "model/TestLoader.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <zlib.h>

using namespace tevrix;

namespace {

constexpr int kRounds = 3;

std::vector<uint8_t> TextLike(size_t size, std::mt19937& random) {
    static const char* kWords[] = {"тест ", "задание ", "ответ ",  "вопрос ", "ученик ",
                                   "балл ", "время ",   "оценка ", "\r\n"};
    std::string text;
    text.reserve(size + 32);
    while (text.size() < size)
        text += kWords[random() % 9];
    text.resize(size);
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> MediaLike(size_t size, std::mt19937& random) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i + 4 <= size; i += 4) {
        const uint32_t value = random();
        std::copy_n(reinterpret_cast<const uint8_t*>(&value), 4, bytes.data() + i);
    }
    return bytes;
}

std::string PackLargeTest(size_t megabytes) {
    std::mt19937 random(7);
    TTest test;
    test.Title = "Большой тест";
    TTaskList tasks(20);
    for (TTask& task : tasks) {
        task.Kind = TaskKind::tkSingleChoice;
        task.Question = {"Вопрос"};
    }
    std::vector<EmbeddedFile> files;
    const size_t fileSize = 10u << 20;
    for (size_t made = 0, i = 0; made < megabytes << 20; made += fileSize, ++i) {
        const bool text = i % 2 == 0;
        files.push_back({(text ? "text" : "media") + std::to_string(i) + ".bin",
                         text ? TextLike(fileSize, random) : MediaLike(fileSize, random)});
    }
    const std::string path = TempRoot() + "tevrix-bench-large.tvf";
    FileOutputStream out(path);
    WriteTestFile(out, test, tasks, files);
    out.Close();
    return path;
}

// The best of kRounds runs. What `run` returns is destroyed after the clock
// stops (the loader's test deletes its unpacked files then).
template <typename F> double BestSeconds(F&& run) {
    double best = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        [[maybe_unused]] auto result = run();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Inflates from `offset` to the end of the stream, discarding the output.
size_t InflateAll(const std::vector<uint8_t>& plain, size_t offset) {
    z_stream z{};
    inflateInit(&z);
    std::vector<uint8_t> out(1 << 20);
    z.next_in = const_cast<uint8_t*>(plain.data() + offset);
    z.avail_in = static_cast<uInt>(plain.size() - offset);
    size_t total = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        status = inflate(&z, Z_NO_FLUSH);
        total += out.size() - z.avail_out;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END)
        std::abort();
    return total;
}

LoadTestOutcome Load(const std::string& path) {
    LoadTestOutcome outcome = LoadTest(path, std::nullopt, {});
    if (outcome.Status != LoadTestStatus::Loaded)
        std::abort();
    return outcome;
}

// The peak resident memory of this process in KiB (VmHWM).
long PeakKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kib = -1;
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    if (status)
        std::fclose(status);
    return kib;
}

// Peak resident memory of a new process that only opens the test, in MiB.
double LoaderPeakMiB(const char* self, const std::string& path) {
    const std::string command = std::string(self) + " --load-only '" + path + "'";
    FILE* child = popen(command.c_str(), "r");
    long kib = -1;
    if (child && std::fscanf(child, "%ld", &kib) != 1)
        kib = -1;
    if (child)
        pclose(child);
    return kib / 1024.0;
}

// A test of `count` empty files named f0, f1, ...
std::string PackManyFiles(int count) {
    TTest test;
    test.Title = "Много файлов";
    std::vector<EmbeddedFile> files;
    for (int i = 0; i < count; ++i)
        files.push_back({"f" + std::to_string(i), {}});
    const std::string path = TempRoot() + "tevrix-bench-files.tvf";
    FileOutputStream out(path);
    WriteTestFile(out, test, {}, files);
    out.Close();
    return path;
}

int ManyFiles(int count) {
    for (const int files : {count / 4, count}) {
        const std::string path = PackManyFiles(files);
        const double seconds = BestSeconds([&] { return Load(path); });
        std::remove(path.c_str());
        std::printf("LoadTest of %6d files: %.3f s (%.1f us a file)\n", files, seconds,
                    seconds / files * 1e6);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--files")
        return ManyFiles(std::atoi(argv[2]));
    if (argc == 3 && std::string(argv[1]) == "--load-only") {
        const LoadTestOutcome outcome = Load(argv[2]);
        std::printf("%ld\n", PeakKiB());
        return 0;
    }
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;

    std::printf("packing a test with %zu MB of embedded files...\n", megabytes);
    const std::string path = PackLargeTest(megabytes);
    const std::vector<uint8_t> file = ReadFileBytes(path);
    std::printf("test file: %.1f MB\n", file.size() / 1048576.0);

    std::vector<uint8_t> plain;
    const double descramble = BestSeconds([&] {
        plain = file;
        Scrambler(TestFileKey()).Descramble(plain.data(), plain.size());
        return 0;
    });
    // The copy is not part of the pass: time it alone and take it off.
    const double copy = BestSeconds([&] {
        plain = file;
        return 0;
    });
    const double bareDescramble = std::max(0.0, descramble - copy);
    Scrambler(TestFileKey()).Descramble(plain.data(), plain.size());
    const uint32_t header = plain[6] | plain[7] << 8 | plain[8] << 16 | plain[9] << 24;
    const double inflate = BestSeconds([&] { return InflateAll(plain, 10 + header); });
    const double loader = BestSeconds([&] { return Load(path); });
    const double peak = LoaderPeakMiB(argv[0], path);
    std::remove(path.c_str());

    std::printf("bare descrambling:  %.3f s\n", bareDescramble);
    std::printf("bare inflate:       %.3f s\n", inflate);
    std::printf("LoadTest:           %.3f s  (%.2f x the sum of the bare passes; goal <= 1.25)\n",
                loader, loader / (bareDescramble + inflate));
    std::printf("loader peak memory: %.1f MiB (file %.1f MiB + %.1f MiB; goal <= file + 64)\n",
                peak, file.size() / 1048576.0, peak - file.size() / 1048576.0);
    return 0;
}
