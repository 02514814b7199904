// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info/TestInfoForm.h"

#include "richtext/RichToPlain.h"
#include "text/DateTime.h"
#include "text/Format.h"
#include "ui/UiText.h"
#include "ui/richtext/RichTextArea.h"

#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tevrix {
namespace {

// Appends lines as paragraphs; bold and italic stay as set until changed.
class LineWriter {
public:
    explicit LineWriter(RichTextArea& area) : m_cursor(area.document()) {
        area.clear();
        m_cursor = QTextCursor(area.document());
    }
    void Bold(bool on) { m_format.setFontWeight(on ? QFont::Bold : QFont::Normal); }
    void Italic(bool on) { m_format.setFontItalic(on); }
    void Colour(const QColor& colour) { m_format.setForeground(colour); }
    void Line(const std::string& text) {
        if (!m_first)
            m_cursor.insertBlock();
        m_first = false;
        m_cursor.insertText(ToQt(text), m_format);
    }
    void BlankLine() { Line(std::string()); }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_format;
    bool m_first = true;
};

std::string TrFormat(const char* pattern, const std::vector<FormatArg>& args) {
    return Format(TranslateText(pattern), args);
}

// The criteria from the last to the first, those of a percentage above 0.
void WriteCriteria(const TTest& test, LineWriter& out) {
    for (int i = test.MarkCount() - 1; i >= 0; --i) {
        const TMark mark = test.GetMark(i);
        if (mark.Percent <= 0)
            continue;
        const std::string name = mark.Name.empty() ? std::to_string(mark.Value) : mark.Name;
        out.Line(TrFormat("  \"%s\" не менее %d%% макс. баллов;", {name, (long long)mark.Percent}));
    }
}

long long TasksToAskOr(const TTest& test, size_t taskCount) {
    if (test.TasksToAsk > 0 && size_t(test.TasksToAsk) < taskCount)
        return test.TasksToAsk;
    return static_cast<long long>(taskCount);
}

} // namespace

void WriteOpenedTestSummary(const TTest& test, size_t taskCount, RichTextArea& area) {
    LineWriter out(area);
    out.Bold(true);
    out.Line(TrFormat("Открыт тест: \"%s\"", {test.Title}));
    out.Bold(false);
    const long long count = test.UseThemes ? test.AskCount : TasksToAskOr(test, taskCount);
    out.Line(TrFormat("Всего заданий в тесте: %d.", {count}));
    out.Italic(true);
    out.Line(TranslateText("Критерии оценивания:"));
    WriteCriteria(test, out);
    out.Italic(false);
    out.Line(TranslateText("Желаем выполнить все задания правильно..."));
    out.Line(TranslateText("Для начала прохождения теста дайте команду Тест -> Начать тест..."));
}

TTestInfoForm::TTestInfoForm(QWidget* parent) : QDialog(parent), m_info(new RichTextArea(this)) {
    setObjectName("TestInfoForm");
    setWindowTitle(Tr("Информация о тесте"));
    m_info->setObjectName("reInfo");
    m_info->setAccessibleName(Tr("Информация о тесте"));
    m_info->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    QPalette colours = m_info->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    m_info->setPalette(colours);
    auto* ok = new QPushButton(Tr("ОК"), this);
    ok->setObjectName("OKButton");
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_info, 1);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(584, 364);
}

void TTestInfoForm::Fill(const TTest& test, size_t taskCount) {
    LineWriter out(*m_info);
    out.Bold(true);
    out.Line(TrFormat("Открыт тест: \"%s\"", {test.Title}));
    out.Bold(false);
    out.Line(TrFormat("Всего заданий в тесте: %d.", {TasksToAskOr(test, taskCount)}));
    out.Italic(true);
    out.Line(TranslateText("Критерии оценивания:"));
    WriteCriteria(test, out);
    out.Italic(false);
    if (!test.Author.empty())
        out.Line(TrFormat("Автор теста: %s", {test.Author}));
    if (!test.Description.Empty()) {
        out.Line(TranslateText("Описание теста:"));
        out.Line(RichToPlain(test.Description));
    }
    if (test.RandomTaskOrder)
        out.Line(TranslateText("Порядок следования заданий: случайный."));
    else
        out.Line(TranslateText("Порядок следования заданий: нормальный."));
    if (test.RandomVariantOrder)
        out.Line(TranslateText("Порядок следования вариантов: случайный."));
    else
        out.Line(TranslateText("Порядок следования вариантов: нормальный."));
    if (test.TestTimeLimit > 0)
        out.Line(TrFormat("%s: %s.", {TranslateText("Ограничение по времени для всего теста"),
                                      FormatSecondsAsTime(test.TestTimeLimit)}));
    out.BlankLine();
    // Present, but seen only when selected.
    out.Colour(m_info->palette().color(QPalette::Base));
    out.Line(TrFormat("UId теста: %s", {test.UId}));
    out.Line(TrFormat("Тест создан: %s.", {FormatDateTime("dd.mm.yyyy hh:nn:ss", test.Created)}));
    out.Line(TrFormat("Тест сохранен: %s.", {FormatDateTime("dd.mm.yyyy hh:nn:ss", test.Saved)}));
    m_info->ZoomFrom(100);
    m_info->MarkLinks();
    m_info->moveCursor(QTextCursor::Start);
}

void TTestInfoForm::ShowTestInfo(QWidget* parent, const TTest& test, size_t taskCount) {
    TTestInfoForm form(parent);
    form.Fill(test, taskCount);
    form.exec();
}

} // namespace tevrix
