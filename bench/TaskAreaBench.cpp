// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a task in the task area, from the call of ShowTask until the area
// has painted itself completely. Goals: a typical task within one frame
// (16 ms), a matching task of ten rows with pictures within 50 ms.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_TaskAreaBench [RUNS]   (default 200)
//
// The area is 800 x 700 pixels, as the window at its design size. Each run
// shows a task (layout, fill, rich texts, picture), lets the pending layout
// requests run, and paints the whole area at once, as the first paint after
// the task appears does. Two tasks of each case alternate, so that every run
// replaces the content. The median and the worst of RUNS runs are printed.
//
// Cases:
// - typical: one choice, a question of three RTF paragraphs, five RTF
//   variants of a sentence or two, no picture;
// - matching: ten variants and ten right-hand items in RTF, each with a small
//   picture, and a question picture of 640 x 480 pixels.
#include "model/Task.h"
#include "text/Cp1251.h"
#include "ui/taskarea/TaskAreaWidget.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

using namespace tevrix;

namespace {

// RTF text as a rich-edit control writes it: Windows-1251 bytes as \'hh.
std::string RtfEscaped(const std::string& utf8) {
    static const char* const hex = "0123456789abcdef";
    std::string out;
    for (const unsigned char byte : Utf8ToCp1251(utf8)) {
        if (byte >= 0x80) {
            out += "\\'";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += char(byte);
        }
    }
    return out;
}

std::string PngHex(int width, int height, int hue) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(hue % 360, 160, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return png.toHex().toStdString();
}

RichText Rtf(const std::vector<std::string>& paragraphs, const std::string& pictureHex = {}) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 "
                      "Times New Roman;}}\\viewkind4\\uc1\\pard\\f0\\fs28 ";
    if (!pictureHex.empty())
        rtf += "{\\pict\\pngblip\\picw32\\pich24\\picwgoal480\\pichgoal360 " + pictureHex + "}";
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i % 2 == 1)
            rtf += "{\\b ";
        rtf += RtfEscaped(paragraphs[i]);
        if (i % 2 == 1)
            rtf += "}";
        rtf += "\\par ";
    }
    return RichText{rtf + "}"};
}

TTask TypicalTask(int variant) {
    TTask task;
    task.Kind = TaskKind::tkSingleChoice;
    task.Question =
        Rtf({"Прочитайте текст и ответьте на вопрос " + std::to_string(variant) + ".",
             "В городе было три моста через реку, и каждый из них построили в разное время.",
             "Какой из мостов самый старый, если первый построен раньше второго, а третий — "
             "позже второго?"});
    for (int i = 0; i < 5; ++i) {
        task.Variants[size_t(i)] =
            Rtf({"Вариант " + std::to_string(i + 1) + ": мост, построенный в " +
                 std::to_string(1800 + i * 30) + " году, стоит ниже по течению."});
        task.VariantValues[size_t(i)] = i == variant % 5 ? 1 : 0;
    }
    return task;
}

TTask MatchingTask(int variant) {
    TTask task;
    task.Kind = TaskKind::tkMatching;
    task.PictureFile = "question.png";
    task.Question = Rtf({"Сопоставьте изображения и их описания (" + std::to_string(variant) + ").",
                         "Каждому элементу слева соответствует ровно один элемент справа."});
    for (int i = 0; i < 10; ++i) {
        task.Variants[size_t(i)] =
            Rtf({"Изображение номер " + std::to_string(i + 1)}, PngHex(32, 24, i * 36 + variant));
        task.Matches[size_t(i)] =
            Rtf({"Описание " + std::to_string(i + 1) + " с пояснением"}, PngHex(32, 24, i * 20));
        task.VariantValues[size_t(i)] = (i + variant) % 10 + 1;
    }
    return task;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(const char* name, TaskAreaWidget& area, const TTask (&tasks)[2],
             const std::string& picture, int runs, double goal) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const TTask& task = tasks[run % 2];
        std::vector<int32_t> order(size_t(task.VariantCount()));
        std::iota(order.begin(), order.end(), 0);
        const auto start = std::chrono::steady_clock::now();
        area.ShowTask({task, "Вопрос # 1 из 2:", picture, {}, {}, order, false});
        QCoreApplication::sendPostedEvents(); // layout requests
        area.repaint();                       // the first paint, whole
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        QCoreApplication::processEvents();
    }
    const double median = Median(times);
    std::printf("%-10s median %6.2f ms   worst %6.2f ms   goal %4.0f ms   %s\n", name, median,
                *std::max_element(times.begin(), times.end()), goal,
                median <= goal ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QTemporaryDir folder;
    const std::string picture = QDir(folder.path()).filePath("question.png").toStdString();
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    photo.save(QString::fromStdString(picture), "PNG");

    TaskAreaWidget area;
    area.SetMessageHandler(
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });
    area.resize(800, 700);
    area.show();
    QCoreApplication::processEvents();

    const TTask typical[2] = {TypicalTask(0), TypicalTask(1)};
    const TTask matching[2] = {MatchingTask(0), MatchingTask(1)};
    Measure("typical", area, typical, {}, runs, 16);
    Measure("matching", area, matching, picture, runs, 50);
    return 0;
}
