// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the end of a run of a test as pictures, to look at:
//
//   results-gallery OUTPUT_FOLDER [TEST.tvf]   (the demo test by default)
//
// result-normal.png and result-unavailable.png (the result window),
// report.png (the detailed report in the text viewer at 800 x 700) and
// report.pdf. Every task of the test is in the run; every other one right.
#include "model/TestLoader.h"
#include "rules/RandomSource.h"
#include "ui/dialogs/DocumentPrinting.h"
#include "ui/dialogs/TextViewForm.h"
#include "ui/gallery/GalleryLanguage.h"
#include "ui/results/DetailReportBuilder.h"
#include "ui/results/ShowResultForm.h"

#include <QApplication>
#include <QDir>
#include <QTextDocument>

#include <cstdio>

using namespace tevrix;

namespace {

ResultWindowValues Values(int tasks, int right, const std::string& mark) {
    return {"Иванов Иван", "10 А", tasks, tasks, right, 4, mark, 20, right * 20.0 / tasks};
}

bool SaveGrab(QWidget& widget, const QString& path) {
    widget.show();
    QApplication::processEvents();
    const bool saved = widget.grab().save(path);
    widget.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tevrix::UseGalleryLanguage();
    if (argc < 2) {
        std::fprintf(stderr, "usage: results-gallery OUTPUT_FOLDER [TEST.tvf]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    LoadTestOutcome loaded =
        LoadTest(argc > 2 ? argv[2] : TEVRIX_DEMO_TEST, std::nullopt, [] { return std::nullopt; });
    if (loaded.Status != LoadTestStatus::Loaded) {
        std::fprintf(stderr, "the test could not be opened\n");
        return 1;
    }
    const int count = static_cast<int>(loaded.Tasks.size());

    TShowResultForm form;
    form.SetValues(Values(count, count - count / 3, "хорошо"));
    bool ok = SaveGrab(form, out.filePath("result-normal.png"));
    ResultWindowValues unavailable = Values(count, -1, "недоступно...");
    unavailable.DoneCount = count / 2;
    unavailable.Score = 0;
    form.SetValues(unavailable);
    ok = SaveGrab(form, out.filePath("result-unavailable.png")) && ok;

    TResultTest record = TResultTest::Create(count);
    for (int i = 0; i < count; ++i) {
        record.TaskOrder.push_back(i);
        record.SetResultMask(i, i % 2 == 0 ? 1 : 0);
    }
    ClockRandomSource random;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    DetailReportContext context{
        random, TextLocale{},
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }, font};
    TTextViewForm viewer;
    viewer.setWindowTitle(QStringLiteral("Отчет по прохождению теста"));
    viewer.SetDocument(
        DetailReportBuilder(*loaded.Test, loaded.Tasks, std::move(context)).Build(record));
    viewer.resize(800, 700);
    ok = SaveGrab(viewer, out.filePath("report.png")) && ok;
    ok = SaveDocumentAsPdf(*viewer.PrintableCopy(), out.filePath("report.pdf")) && ok;
    return ok ? 0 : 1;
}
