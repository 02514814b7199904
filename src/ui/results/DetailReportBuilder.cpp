// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/DetailReportBuilder.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "rules/RandomSource.h"
#include "rules/RightAnswer.h"
#include "rules/TaskSelection.h"
#include "text/Cp1251.h"
#include "ui/UiText.h"
#include "ui/results/ReportDocumentWriter.h"
#include "ui/richtext/PictureDecoder.h"
#include "ui/taskarea/WordPanel.h"
#include "ui/widgets/NamedColours.h"

#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace tevrix {
namespace {

const QColor kAreaOutline(255, 0, 0);

constexpr const char* kNumberBlank = "___________________________";              // 27
constexpr const char* kTextBlank = "__________________________________________"; // 42

// The line that asks for the kind's answer.
std::string PromptLine(const TTask& task, const TextLocale& locale) {
    const long long count = task.VariantCount();
    switch (task.Kind) {
    case TaskKind::tkSingleChoice:
        return locale.TrFormat("Выберите один из %d вариантов ответа:", {count});
    case TaskKind::tkMultipleChoice:
        return locale.TrFormat("Выберите несколько из %d вариантов ответа:", {count});
    case TaskKind::tkOrdering:
        return locale.TrFormat("Укажите порядок следования всех %d вариантов ответа:", {count});
    case TaskKind::tkMatching:
        return locale.TrFormat("Укажите соответствие для всех %d вариантов ответа:", {count});
    case TaskKind::tkTrueFalse:
        return locale.Tr("Укажите истинность или ложность вариантов ответа:");
    case TaskKind::tkNumberInput: return locale.Tr("Запишите число:");
    case TaskKind::tkTextInput: return locale.Tr("Запишите ответ:");
    case TaskKind::tkPointOnImage: return locale.Tr("Укажите место на изображении:");
    case TaskKind::tkComposeWord: return locale.Tr("Составьте слово:");
    case TaskKind::None: break;
    }
    return {};
}

// How many variants (number fields for kind 6) the report lists.
int ListedCount(const TTask& task) {
    if (task.Kind == TaskKind::tkNumberInput)
        return std::clamp<int>(task.NumberCount, 0, TTask::kNumberSlotCount);
    return IsVariantKind(task.Kind) ? task.VariantCount() : 0;
}

// Kind 5: the word of a true or a false variant, untranslated.
const char* TruthText(int32_t value) {
    if (value == 1)
        return N_("Да; ");
    if (value == 2)
        return N_("Нет; ");
    return "; ";
}

RichText PlainRichText(const std::string& text) {
    return RichText{Utf8ToCp1251(text)};
}

} // namespace

QImage PictureWithAreas(const QImage& picture, const std::vector<TArea>& areas) {
    QImage marked = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&marked);
    painter.setPen(kAreaOutline);
    painter.setBrush(QBrush(kGreen, Qt::DiagCrossPattern));
    for (const TArea& area : areas) {
        // Right and bottom lie just outside the area, as the test stores it.
        const QRect rect =
            QRect(QPoint(area.Left, area.Top), QPoint(area.Right - 1, area.Bottom - 1))
                .normalized();
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    return marked;
}

DetailReportBuilder::DetailReportBuilder(const TTest& test, const TTaskList& tasks,
                                         DetailReportContext context)
    : m_test(test), m_tasks(tasks), m_context(std::move(context)) {}

DetailReportBuilder::~DetailReportBuilder() = default;

std::string DetailReportBuilder::Tr(const char* text) const {
    return m_context.Locale.Tr(text);
}

std::string DetailReportBuilder::WithPoints(const char* pattern, const TTask& task) const {
    return m_context.Locale.TrFormat(pattern, {static_cast<long long>(task.Points)});
}

std::unique_ptr<QTextDocument> DetailReportBuilder::Build(TResultTest& record) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(m_context.Font);
    m_writer = std::make_unique<ReportDocumentWriter>(*document);
    WriteOpening();
    for (int position = 0; position < static_cast<int>(record.TaskOrder.size()); ++position)
        WriteTask(record, position);
    WriteClosing();
    m_writer.reset();
    return document;
}

void DetailReportBuilder::WriteOpening() {
    ReportDocumentWriter& w = *m_writer;
    w.SetItalic();
    w.MakeSmaller();
    w.SetColor(kGrey);
    w.AppendLine(m_context.Locale.TrFormat("Тест: %s", {m_test.FileName}));
    w.SetAlignment(Qt::AlignHCenter);
    w.SetBold();
    w.MakeLarger();
    w.AppendLine(m_test.Title.empty() ? Tr("Тест") : m_test.Title);
    w.SetAlignment(Qt::AlignLeft);
}

void DetailReportBuilder::WriteTask(TResultTest& record, int position) {
    const int32_t index = record.TaskOrder[position];
    if (index < 0 || index >= static_cast<int32_t>(m_tasks.size()))
        return;
    const TTask& task = m_tasks[index];
    const int number = position + 1;
    ReportDocumentWriter& w = *m_writer;
    w.AppendLine("");
    w.SetBold();
    w.SetUnderline();
    w.SetColor(kMaroon);
    w.AppendLine(
        Format("%s %d - %s!", {Tr("Задание #"), static_cast<long long>(number),
                               record.GetResultMask(index) > 0 ? Tr("верно") : Tr("ошибка")}));
    w.SetItalic();
    w.MakeSmaller();
    w.AppendLine(Tr("Вопрос:"));
    w.InsertRichText(task.Question);
    if (!task.PictureFile.empty() && task.Kind != TaskKind::tkPointOnImage)
        WritePicture(task);
    w.AppendLine("");
    w.SetItalic();
    w.MakeSmaller();
    w.AppendLine(PromptLine(task, m_context.Locale));
    std::vector<int32_t> order;
    if (IsVariantKind(task.Kind) || task.Kind == TaskKind::tkNumberInput) {
        order = DisplayOrder(task);
        record.VariantOrder = order;
    }
    WriteBody(task, number, order);
    w.AppendLine("");
}

void DetailReportBuilder::WritePicture(const TTask& task) {
    ReportDocumentWriter& w = *m_writer;
    w.SetItalic();
    w.MakeSmaller();
    w.AppendLine(Tr("Изображение:"));
    if (const std::optional<QImage> picture = LoadPicture(task.PictureFile)) {
        w.InsertPicture(*picture);
        w.AppendLine("");
    }
}

std::optional<QImage> DetailReportBuilder::LoadPicture(const std::string& fileName) {
    const std::string path = m_test.TempDir + fileName;
    QImage picture;
    if (IsPlainFileName(fileName) && FileExists(path))
        picture = PictureDecoder::LoadFile(ToQt(path));
    if (picture.isNull()) {
        m_context.ShowError(ToQt(Tr("Ошибка загрузки изображения!")));
        return std::nullopt;
    }
    return picture;
}

std::vector<int32_t> DetailReportBuilder::DisplayOrder(const TTask& task) {
    std::vector<int32_t> order(ListedCount(task));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    if (m_test.RandomVariantOrder)
        ShuffleIndexes(order, m_context.Random);
    return order;
}

void DetailReportBuilder::WriteBody(const TTask& task, int number,
                                    const std::vector<int32_t>& order) {
    switch (task.Kind) {
    case TaskKind::tkSingleChoice: WriteChoices(task, order, false); break;
    case TaskKind::tkMultipleChoice: WriteChoices(task, order, true); break;
    case TaskKind::tkMatching:
        WriteMatchItems(task);
        WriteBlanks(task, order);
        break;
    case TaskKind::tkOrdering:
    case TaskKind::tkTrueFalse: WriteBlanks(task, order); break;
    case TaskKind::tkNumberInput: WriteNumberFields(task, order); break;
    case TaskKind::tkTextInput:
        m_writer->AppendLine(kTextBlank);
        WriteRightAnswer(m_context.Locale.TrFormat(
            "Верный ответ (%d б.): \"%s\".",
            {static_cast<long long>(task.Points), FirstTextAnswer(task)}));
        break;
    case TaskKind::tkPointOnImage: WritePointTask(task); break;
    case TaskKind::tkComposeWord: WriteComposeWord(task, number); break;
    case TaskKind::None: break;
    }
}

void DetailReportBuilder::WriteChoices(const TTask& task, const std::vector<int32_t>& order,
                                       bool several) {
    std::string answer = WithPoints("Верные ответы (%d б.): ", task);
    long long lastCorrect = 0;
    for (size_t slot = 0; slot < order.size(); ++slot) {
        const long long displayNumber = static_cast<long long>(slot) + 1;
        m_writer->InsertText(std::to_string(displayNumber) + ") ");
        m_writer->InsertRichText(task.VariantText(order[slot]));
        if (!task.IsCorrectVariant(order[slot]))
            continue;
        answer += std::to_string(displayNumber) + "; ";
        lastCorrect = displayNumber;
    }
    if (!several)
        answer = lastCorrect > 0
                     ? m_context.Locale.TrFormat("Верный ответ (%d б.): %d;",
                                                 {static_cast<long long>(task.Points), lastCorrect})
                     : WithPoints("Верный ответ (%d б.): ", task);
    WriteRightAnswer(answer);
}

void DetailReportBuilder::WriteMatchItems(const TTask& task) {
    for (int item = 0; item < task.MatchCount(); ++item) {
        m_writer->InsertText(std::to_string(item + 1) + ") ");
        m_writer->InsertRichText(task.MatchText(item));
    }
    m_writer->AppendLine("");
}

void DetailReportBuilder::WriteBlanks(const TTask& task, const std::vector<int32_t>& order) {
    std::string answer = WithPoints("Верные ответы (%d б.): ", task);
    for (const int32_t variant : order) {
        m_writer->InsertText("__ ");
        m_writer->InsertRichText(task.VariantText(variant));
        answer += "\r\n\t";
        if (task.Kind == TaskKind::tkTrueFalse)
            answer += Tr(TruthText(task.VariantValue(variant)));
        else
            answer += std::to_string(task.VariantValue(variant)) + "; ";
    }
    WriteRightAnswer(answer);
}

void DetailReportBuilder::WriteNumberFields(const TTask& task, const std::vector<int32_t>& order) {
    const char separator = m_context.Locale.DecimalSeparator;
    std::string answer = task.NumberCount == 1
                             ? WithPoints("Верный ответ (%d б.): ", task)
                             : m_context.Locale.TrFormat(
                                   "Верные ответы (%d б.)%s: ",
                                   {static_cast<long long>(task.Points),
                                    task.NumberOrderMatters ? std::string(" ")
                                                            : Tr(" (порядок не имеет значения)")});
    for (const int32_t field : order) {
        m_writer->AppendLine(task.NumberLabel(field) + " " + kNumberBlank);
        const TNumberRange& range = task.NumberRange(field);
        answer += task.RangeIsInterval(field)
                      ? m_context.Locale.TrFormat(" от %s до %s;",
                                                  {FormatGeneralNumber(range.Low, separator),
                                                   FormatGeneralNumber(range.High, separator)})
                      : " " + FormatGeneralNumber(range.Low, separator) + ";";
    }
    WriteRightAnswer(answer);
}

void DetailReportBuilder::WritePointTask(const TTask& task) {
    if (task.PictureFile.empty())
        return;
    const std::optional<QImage> picture = LoadPicture(task.PictureFile);
    if (!picture)
        return;
    m_writer->InsertPicture(*picture);
    m_writer->AppendLine("");
    WriteRightAnswer(WithPoints("Верный ответ (%d б.):", task));
    m_writer->InsertPicture(PictureWithAreas(*picture, task.Areas));
    m_writer->AppendLine("");
}

void DetailReportBuilder::WriteComposeWord(const TTask& task, int number) {
    const QString shuffled = TWordPanel::ShuffleWord(ToQt(task.Word), m_context.Random);
    m_writer->AppendLine(FromQt(shuffled) + " -> " + kTextBlank);
    m_writer->InsertRichText(PlainRichText(m_context.Locale.TrFormat(
        "%d) %s (%d б.): \"%s\".", {static_cast<long long>(number), Tr("Верные ответы"),
                                    static_cast<long long>(task.Points), task.Word})));
}

void DetailReportBuilder::WriteRightAnswer(const std::string& line) {
    m_writer->AppendLine("");
    m_writer->SetColor(kGreen);
    m_writer->AppendLine(line);
}

void DetailReportBuilder::WriteClosing() {
    m_writer->SetAlignment(Qt::AlignHCenter);
    m_writer->AppendLine(Tr("Конец"));
}

} // namespace tevrix
