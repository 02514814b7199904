// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "model/Test.h"
#include "results/ResultTest.h"
#include "text/TextLocale.h"
#include "ui/richtext/QuestionPicture.h"

#include <QFont>
#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTextDocument;

namespace tevrix {

class RandomSource;
class ReportDocumentWriter;

// What the report takes from the window: the random numbers for the variant
// orders and the shuffled words, the texts' language, where a picture that
// cannot be loaded is reported, and the font of the question text area.
struct DetailReportContext {
    RandomSource& Random;
    TextLocale Locale;
    ShowMessage ShowError;
    QFont Font;
};

// Builds the detailed report of a finished run: the test's name and title,
// then every task of the run's order with its verdict, question, picture,
// the blanks of its answer form and its right answer in green, and "Конец".
class DetailReportBuilder {
public:
    DetailReportBuilder(const TTest& test, const TTaskList& tasks, DetailReportContext context);
    ~DetailReportBuilder();

    // The report of `record`; its VariantOrder is left holding the order
    // printed for the last task with variants.
    std::unique_ptr<QTextDocument> Build(TResultTest& record);

private:
    void WriteOpening();
    void WriteTask(TResultTest& record, int position);
    void WritePicture(const TTask& task);
    void WriteBody(const TTask& task, int number, const std::vector<int32_t>& order);
    void WriteChoices(const TTask& task, const std::vector<int32_t>& order, bool several);
    void WriteBlanks(const TTask& task, const std::vector<int32_t>& order);
    void WriteMatchItems(const TTask& task);
    void WriteNumberFields(const TTask& task, const std::vector<int32_t>& order);
    void WritePointTask(const TTask& task);
    void WriteComposeWord(const TTask& task, int number);
    void WriteClosing();
    // An empty line, then `line` in green.
    void WriteRightAnswer(const std::string& line);
    std::vector<int32_t> DisplayOrder(const TTask& task);
    std::optional<QImage> LoadPicture(const std::string& fileName);
    std::string Tr(const char* text) const;
    std::string WithPoints(const char* pattern, const TTask& task) const;

    const TTest& m_test;
    const TTaskList& m_tasks;
    DetailReportContext m_context;
    std::unique_ptr<ReportDocumentWriter> m_writer;
};

// `picture` with every area outlined in red and cross-hatched in green.
QImage PictureWithAreas(const QImage& picture, const std::vector<TArea>& areas);

} // namespace tevrix
