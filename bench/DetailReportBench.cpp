// SPDX-License-Identifier: GPL-3.0-or-later
// Building the detailed report of a finished run of 100 tasks. Goal: within
// 200 ms, so that a teacher opening it does not wait.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_DetailReportBench [RUNS]   (default 20)
//
// The tasks cycle through the nine kinds; each has a question of two RTF
// paragraphs and a picture of 320 x 240 pixels in the test's folder (the
// point tasks show theirs twice, the second time with three areas drawn on
// it); the variant kinds have five RTF variants. The median and the worst of
// RUNS builds are printed, with the median processor time of a build (on a
// busy machine the wall time waits for other programs; the processor time
// does not).
#include "model/Task.h"
#include "model/Test.h"
#include "results/ResultTest.h"
#include "rules/RandomSource.h"
#include "text/Cp1251.h"
#include "ui/results/DetailReportBuilder.h"

#include <QApplication>
#include <QImage>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

using namespace tevrix;

namespace {

constexpr int kTaskCount = 100;
constexpr double kGoalMs = 200;

RichText Rtf(const std::string& text) {
    return RichText{Utf8ToCp1251("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times New Roman;}}"
                                 "\\f0\\fs24 " +
                                 text + "\\par}")};
}

TTask MakeTask(int n) {
    TTask task;
    task.Kind = static_cast<TaskKind>(n % 9 + 1);
    task.Points = 1 + n % 3;
    task.Question = Rtf("Question " + std::to_string(n) +
                        " with \\b bold\\b0  words.\\par "
                        "A second paragraph of the question.");
    task.PictureFile = "picture" + std::to_string(n % 10) + ".png";
    for (int v = 0; v < 5; ++v) {
        task.Variants[v] = Rtf("Variant " + std::to_string(v + 1) + " of the task");
        task.Matches[v] = Rtf("Item " + std::to_string(v + 1));
        task.VariantValues[v] = task.Kind == TaskKind::tkTrueFalse ? 1 + v % 2 : v + 1;
    }
    task.NumberCount = 2;
    task.NumberRanges[0] = {1.5, 2.5};
    task.NumberRanges[1] = {7, 7};
    task.TextAnswers = "answer\r\nother";
    task.Areas = {{10, 10, 60, 40}, {100, 100, 180, 150}, {200, 20, 300, 90}};
    task.Word = "WORDPLAY";
    return task;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    TTest test;
    test.FileName = "bench.tvf";
    test.Title = "Benchmark";
    test.RandomVariantOrder = true;
    for (int p = 0; p < 10; ++p) {
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(p * 36, 160, 200));
        picture.save(QString::fromStdString(test.TempDir + "picture" + std::to_string(p) + ".png"));
    }
    TTaskList tasks;
    TResultTest record = TResultTest::Create(kTaskCount);
    for (int n = 0; n < kTaskCount; ++n) {
        tasks.push_back(MakeTask(n));
        record.TaskOrder.push_back(n);
        record.SetResultMask(n, n % 2);
    }
    ClockRandomSource random;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    std::vector<double> times;
    std::vector<double> cpuTimes;
    int blocks = 0;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        DetailReportContext context{
            random, TextLocale{},
            [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); },
            font};
        const std::unique_ptr<QTextDocument> report =
            DetailReportBuilder(test, tasks, std::move(context)).Build(record);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cpuTimes.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        blocks = report->blockCount();
    }
    const double median = Median(times);
    std::printf("report of %d tasks (%d lines)  median %6.2f ms   worst %6.2f ms   "
                "processor %6.2f ms   goal %4.0f ms   %s\n",
                kTaskCount, blocks, median, *std::max_element(times.begin(), times.end()),
                Median(cpuTimes), kGoalMs, median <= kGoalMs ? "met" : "MISSED");
    return median <= kGoalMs ? 0 : 1;
}
