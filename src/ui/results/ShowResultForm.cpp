// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/ShowResultForm.h"

#include "results/ResultFigures.h"
#include "text/Format.h"
#include "text/Strings.h"
#include "ui/UiText.h"
#include "ui/results/PieChart.h"
#include "ui/widgets/NamedColours.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tevrix {
namespace {

const QColor kChartRed(220, 0, 0);
const QColor kChartGreen(0, 220, 0);

// The counts and the effectiveness end at this column.
constexpr int kNumbersRight = 272;
constexpr int kCountsLeft = 245;
constexpr int kResultLeft = 238;
constexpr int kSmallestPixelSize = 9;

QString Colored(const QColor& color) {
    return QStringLiteral("color: %1;").arg(color.name());
}

} // namespace

ResultWindowValues ResultWindowValues::Of(const TResultTest& record) {
    return {record.UserName,  record.UserGroup,  record.TaskCount,
            record.DoneCount, record.RightCount, record.Mark,
            record.MarkName,  record.MaxScore,   record.Score};
}

TShowResultForm::TShowResultForm(QWidget* parent, TextLocale locale)
    : QDialog(parent), m_locale(std::move(locale)) {
    setObjectName("ShowResultForm");
    setWindowTitle(Tr("Результаты теста"));
    setFixedSize(428, 291);
    QFont tahoma(QStringLiteral("Tahoma"));
    // Where Tahoma is missing, a font of about its width.
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    tahoma.setPointSize(8);
    setFont(tahoma);

    AddLabel("Label1", Tr("Всего заданий в тесте:"), 16, {56, 16, 0, 0});
    m_countTask = AddLabel("CountTaskLabel", "0", 16, {kCountsLeft, 16, 27, 0});
    AddLabel("Label6", Tr("Всего заданий задано:"), 16, {56, 41, 0, 0});
    m_countAskTask = AddLabel("CountAskTaskLabel", "0", 16, {kCountsLeft, 41, 27, 0});
    AddLabel("Label3", Tr("Из них правильно:"), 16, {85, 66, 0, 0});
    m_countCorrectTask = AddLabel("CountCorrectTaskLabel", "0", 16, {kCountsLeft, 66, 27, 0});
    AddLabel("Label4", Tr("Результативность:"), 16, {84, 91, 0, 0});
    m_result = AddLabel("ResultLabel", "0%", 16, {kResultLeft, 91, kNumbersRight - kResultLeft, 0});
    for (QLabel* number : {m_countTask, m_countAskTask, m_countCorrectTask, m_result})
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    AddLabel("Label2", Tr("Вопросы:"), 11, {348, 2, 0, 0})->setStyleSheet(Colored(kGrey));
    m_tasksChart = new PieChartBox(this);
    m_tasksChart->setObjectName("PaintBox");
    m_tasksChart->setAccessibleName(Tr("Вопросы:"));
    m_tasksChart->setGeometry(334, 16, 75, 75);
    AddLabel("Label5", Tr("Баллы:"), 11, {355, 100, 0, 0})->setStyleSheet(Colored(kGrey));
    m_pointsChart = new PieChartBox(this);
    m_pointsChart->setObjectName("PaintBox1");
    m_pointsChart->setAccessibleName(Tr("Баллы:"));
    m_pointsChart->setGeometry(334, 114, 75, 75);

    m_yourScore = AddLabel("YourScore", QString(), 16, {13, 133, 312, 38});
    m_yourScore->setAlignment(Qt::AlignCenter);
    m_yourScore->setStyleSheet(Colored(kGreen));

    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 195, 417, 2);

    m_yourMark = AddLabel("YourMark", QString(), 19, {8, 214, 412, 23});
    m_yourMark->setAlignment(Qt::AlignCenter);
    m_yourMark->setStyleSheet(Colored(kGreen));
    QFont bold = m_yourMark->font();
    bold.setBold(true);
    m_yourMark->setFont(bold);

    m_ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    m_ok->setObjectName("BitBtn1");
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setDefault(true);
    m_ok->setGeometry(6, 254, 417, 30);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    UpdateCharts();
}

QLabel* TShowResultForm::AddLabel(const char* name, const QString& text, int pixelSize,
                                  QRect geometry) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    QFont labelFont = font();
    labelFont.setPixelSize(pixelSize);
    label->setFont(labelFont);
    if (geometry.height() == 0)
        geometry.setHeight(label->sizeHint().height());
    if (geometry.width() == 0)
        geometry.setWidth(label->sizeHint().width());
    label->setGeometry(geometry);
    return label;
}

void TShowResultForm::SetRightAligned(QLabel* label, const QString& text, int left) {
    // The label widens to the left when its text needs more room, but not
    // over the caption before it: then to the right.
    label->setText(text);
    const int width = std::max(kNumbersRight - left, label->sizeHint().width());
    label->setGeometry(std::max(left, kNumbersRight - width), label->y(), width, label->height());
}

void TShowResultForm::SetFitted(QLabel* label, const QString& text, int pixelSize) {
    // The text at its size, or smaller until it fits the label (a font
    // wider than the one the window was drawn for would cut it off).
    label->setText(text);
    QFont fitted = label->font();
    for (int size = pixelSize; size >= kSmallestPixelSize; --size) {
        fitted.setPixelSize(size);
        const QSize needed = QFontMetrics(fitted).size(0, text);
        if (needed.width() <= label->width() && needed.height() <= label->height())
            break;
    }
    label->setFont(fitted);
}

void TShowResultForm::SetValues(const ResultWindowValues& values) {
    m_values = values;
    UpdateCharts();
}

void TShowResultForm::ShowResultWindow(const TResultTest& record) {
    SetValues(ResultWindowValues::Of(record));
    exec();
}

void TShowResultForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TShowResultForm::FormShow() {
    const ResultWindowValues& v = m_values;
    if (v.TaskCount <= 0)
        return;
    setWindowTitle(ToQt(
        m_locale.TrFormat("Результаты тестирования (%s)", {Trim(v.UserName + " " + v.UserGroup)})));
    SetRightAligned(m_countTask, QString::number(v.TaskCount), kCountsLeft);
    SetRightAligned(m_countAskTask, QString::number(v.DoneCount), kCountsLeft);
    SetRightAligned(m_countCorrectTask, QString::number(v.RightCount), kCountsLeft);
    SetRightAligned(
        m_result,
        ToQt(Format("%1.1f%%.", {Percent(v.RightCount, v.TaskCount)}, m_locale.DecimalSeparator)),
        kResultLeft);
    // The two lines are parted by LF CR; the label breaks the line at the LF.
    const std::string score = m_locale.TrFormat(
        "Набрано баллов: %1.1f из %d возможных.\n\rВаш результат: %1.1f%%.",
        {v.Score, static_cast<long long>(v.MaxScore), Percent(v.Score, v.MaxScore)});
    SetFitted(m_yourScore, ToQt(score).remove(QLatin1Char('\r')), 16);
    SetFitted(m_yourMark,
              ToQt(m_locale.TrFormat("Ваша оценка: %s",
                                     {v.MarkName.empty() ? std::to_string(v.Mark) : v.MarkName})),
              19);
}

void TShowResultForm::UpdateCharts() {
    const ResultWindowValues& v = m_values;
    m_tasksChart->SetChart(Qt::white, {{Percent(v.DoneCount, v.TaskCount), kChartRed},
                                       {Percent(v.RightCount, v.TaskCount), kChartGreen}});
    m_pointsChart->SetChart(kChartRed, {{Percent(v.Score, v.MaxScore), kChartGreen}});
}

} // namespace tevrix
