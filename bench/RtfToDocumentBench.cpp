// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a task: a 100 KB RTF question with a picture into a QTextDocument.
// The goal is under 10 ms, so that a task appears at once.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_RtfToDocumentBench [RUNS]   (default 50)
//
// Two questions of 100 KB are made here, written as a rich-edit control
// writes them (\'hh in Windows-1251, \pngblip in hexadecimal): one mostly
// formatted Cyrillic text with a small picture and a table, one mostly a
// photograph-like picture with some text. For each, the median and the worst
// of RUNS runs: reading the RTF into the neutral document, writing that into a
// QTextDocument (the picture decoded), both together (the goal), and
// LoadRichText into a rich-text area followed by the layout of the whole
// document at 760 pixels, which showing it adds.
#include "richtext/RichDocument.h"
#include "ui/richtext/RichDocumentWriter.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichTextRoutines.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace tevrix;

namespace {

constexpr size_t kQuestionSize = 100 * 1024;

// A picture of `width` x `height` as PNG in hexadecimal: coloured tiles, with
// pixel noise of `noise` levels that makes it compress like a photograph.
std::string PictureHex(int width, int height, int noise) {
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t seed = 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245 + 12345;
            const int grain = noise > 0 ? static_cast<int>((seed >> 16) % noise) : 0;
            const QColor tile = QColor::fromHsv((x / 10 * 70 + y / 10 * 30) % 360, 200, 150);
            image.setPixel(
                x, y,
                qRgb(tile.red() / 2 + grain, tile.green() / 2 + grain, tile.blue() / 2 + grain));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return png.toHex().toStdString();
}

std::string MakeQuestion(const std::string& pictureHex, int width, int height) {
    std::string rtf =
        R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Times New Roman;})"
        R"({\f1\fnil\fcharset204 Arial;}}{\colortbl ;\red200\green0\blue0;\red0\green0\blue160;})"
        "\r\n\\viewkind4\\uc1\\pard\\qc\\b\\f1\\fs28 "
        "\\'c7\\'e0\\'e4\\'e0\\'ed\\'e8\\'e5 \\'ef\\'ee "
        "\\'f4\\'e8\\'e7\\'e8\\'ea\\'e5\\b0\\par\r\n";
    rtf += "{\\pict\\pngblip\\picw" + std::to_string(width) + "\\pich" + std::to_string(height) +
           "\r\n";
    for (size_t i = 0; i < pictureHex.size(); i += 128)
        rtf += pictureHex.substr(i, 128) + "\r\n";
    rtf +=
        "}\\par\r\n\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\'e0\\cell\\'e1\\cell\\row\\pard\r\n";
    // "Тело массой m движется с ускорением a под действием силы F."
    const std::string sentence =
        "\\'d2\\'e5\\'eb\\'ee \\'ec\\'e0\\'f1\\'f1\\'ee\\'e9 {\\i m} "
        "\\'e4\\'e2\\'e8\\'e6\\'e5\\'f2\\'f1\\'ff "
        "\\'f1 {\\b\\cf1 \\'f3\\'f1\\'ea\\'ee\\'f0\\'e5\\'ed\\'e8\\'e5\\'ec} {\\i a} "
        "\\'ef\\'ee\\'e4 "
        "\\'e4\\'e5\\'e9\\'f1\\'f2\\'e2\\'e8\\'e5\\'ec {\\ul\\cf2 \\'f1\\'e8\\'eb\\'fb} F. ";
    int paragraph = 0;
    while (rtf.size() < kQuestionSize - 2) {
        rtf += "\\pard\\qj\\f0\\fs24 ";
        for (int i = 0; i < 4 && rtf.size() < kQuestionSize - 2; ++i)
            rtf += sentence;
        rtf += ++paragraph % 5 == 0 ? "\\par\\par\r\n" : "\\par\r\n";
    }
    return rtf + "}";
}

struct Figures {
    double Median = 0;
    double Worst = 0;
};

Figures Measure(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void Print(const char* what, Figures figures) {
    std::printf("  %-44s median %6.2f ms   worst %6.2f ms\n", what, figures.Median, figures.Worst);
}

// Measures one question; true when it meets the goal.
bool MeasureQuestion(const char* title, int width, int height, int noise, int runs) {
    const std::string pictureHex = PictureHex(width, height, noise);
    const RichText question{MakeQuestion(pictureHex, width, height)};
    std::printf("%s: %zu bytes, %zu of them a %d x %d PNG picture in hexadecimal\n", title,
                question.Bytes.size(), pictureHex.size(), width, height);
    const auto write = [](const RichDocument& document) {
        QTextDocument target;
        target.setUndoRedoEnabled(false);
        QTextCursor cursor(&target);
        cursor.beginEditBlock();
        RichDocumentWriter(cursor).Write(document, false);
        cursor.endEditBlock();
    };
    const RichDocument neutral = ReadRichDocument(question);
    Print("RTF -> neutral document", Measure(runs, [&] { ReadRichDocument(question); }));
    Print("neutral document -> QTextDocument", Measure(runs, [&] { write(neutral); }));
    const Figures total = Measure(runs, [&] { write(ReadRichDocument(question)); });
    Print("RTF -> QTextDocument (the goal: under 10 ms)", total);
    RichTextArea area;
    Print("LoadRichText, then laid out 760 px wide", Measure(runs, [&] {
              LoadRichText(question, area);
              area.document()->setTextWidth(760);
              area.document()->documentLayout()->documentSize();
          }));
    return total.Median < 10;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    std::printf("median and worst of %d runs\n", runs);
    const bool text = MeasureQuestion("Mostly text", 320, 200, 0, runs);
    const bool picture = MeasureQuestion("Mostly picture", 200, 150, 12, runs);
    const bool met = text && picture;
    std::printf("%s\n", met ? "goal met" : "goal missed");
    return met ? 0 : 1;
}
