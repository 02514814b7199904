// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a task: a 100 KB RTF question with a picture into a QTextDocument.
// The goal is under 10 ms, so that a task appears at once.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_RtfToDocumentBench [RUNS]   (default 50)
//
// The question is made here: formatted Cyrillic paragraphs written as a
// rich-edit control writes them (\'hh in Windows-1251), a small table and a
// 320 x 200 PNG picture in hexadecimal, about 100 KB in all. Prints the median
// and the worst of RUNS runs for: reading the RTF into the neutral document,
// writing that into a QTextDocument (the picture decoded), both together, and
// LoadRichText into a rich-text area with the layout of the whole document.
#include "text/RichDocument.h"
#include "ui/RichDocumentWriter.h"
#include "ui/RichTextArea.h"
#include "ui/RichTextRoutines.h"

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

std::string PictureHex() {
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < image.height(); y += 10) {
        for (int x = 0; x < image.width(); x += 10)
            painter.fillRect(x, y, 10, 10, QColor::fromHsv((x * 7 + y * 3) % 360, 200, 90 + (x ^ y) % 160));
    }
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, "F = m a");
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return png.toHex().toStdString();
}

std::string MakeQuestion() {
    std::string rtf = R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Times New Roman;})"
                      R"({\f1\fnil\fcharset204 Arial;}}{\colortbl ;\red200\green0\blue0;\red0\green0\blue160;})"
                      "\r\n\\viewkind4\\uc1\\pard\\qc\\b\\f1\\fs28 "
                      "\\'c7\\'e0\\'e4\\'e0\\'ed\\'e8\\'e5 \\'ef\\'ee \\'f4\\'e8\\'e7\\'e8\\'ea\\'e5\\b0\\par\r\n";
    rtf += "{\\pict\\pngblip\\picw320\\pich200\\picwgoal4800\\pichgoal3000\r\n";
    const std::string hex = PictureHex();
    for (size_t i = 0; i < hex.size(); i += 128)
        rtf += hex.substr(i, 128) + "\r\n";
    rtf += "}\\par\r\n\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\'e0\\cell\\'e1\\cell\\row\\pard\r\n";
    // "Тело массой m движется с ускорением a под действием силы F."
    const std::string sentence =
        "\\'d2\\'e5\\'eb\\'ee \\'ec\\'e0\\'f1\\'f1\\'ee\\'e9 {\\i m} \\'e4\\'e2\\'e8\\'e6\\'e5\\'f2\\'f1\\'ff "
        "\\'f1 {\\b\\cf1 \\'f3\\'f1\\'ea\\'ee\\'f0\\'e5\\'ed\\'e8\\'e5\\'ec} {\\i a} \\'ef\\'ee\\'e4 "
        "\\'e4\\'e5\\'e9\\'f1\\'f2\\'e2\\'e8\\'e5\\'ec {\\ul\\cf2 \\'f1\\'e8\\'eb\\'fb} F. ";
    int paragraph = 0;
    while (rtf.size() < kQuestionSize - 2) {
        rtf += "\\pard\\qj\\f0\\fs24 ";
        for (int i = 0; i < 4; ++i)
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
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void Print(const char* what, Figures figures) {
    std::printf("  %-44s median %6.2f ms   worst %6.2f ms\n", what, figures.Median, figures.Worst);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const RichText question{MakeQuestion()};
    std::printf("RTF question of %zu bytes with a 320 x 200 PNG picture, %d runs\n", question.Bytes.size(), runs);

    const RichDocument neutral = ReadRichDocument(question);
    Print("RTF -> neutral document", Measure(runs, [&] { ReadRichDocument(question); }));
    const auto write = [](const RichDocument& document) {
        QTextDocument target;
        target.setUndoRedoEnabled(false);
        QTextCursor cursor(&target);
        cursor.beginEditBlock();
        RichDocumentWriter(cursor).Write(document, false);
        cursor.endEditBlock();
    };
    Print("neutral document -> QTextDocument", Measure(runs, [&] { write(neutral); }));
    const Figures total = Measure(runs, [&] { write(ReadRichDocument(question)); });
    Print("RTF -> QTextDocument (the goal: under 10 ms)", total);
    RichTextArea area;
    area.resize(800, 600);
    Print("LoadRichText into an area, whole layout", Measure(runs, [&] {
              LoadRichText(question, area);
              area.document()->documentLayout()->documentSize();
          }));
    std::printf("%s\n", total.Median < 10 ? "goal met" : "goal missed");
    return total.Median < 10 ? 0 : 1;
}
