// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/taskarea/TaskAreaWidget.h"

#include "text/Format.h"
#include "text/Translate.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichTextRoutines.h"
#include "ui/taskarea/NumberFieldFilter.h"
#include "ui/taskarea/ShowQuestionImageForm.h"
#include "ui/taskarea/VariantGrid.h"
#include "ui/taskarea/WordPanel.h"
#include "ui/widgets/NamedColours.h"
#include "ui/widgets/UpdatesSuspended.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QTextFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tevrix {
namespace {

// The variant rows the area shows without a task.
constexpr int kIdleVariants = 5;

QString Tr(const char* text) {
    return QString::fromStdString(TranslateText(text));
}

QString TrFormat(const char* pattern, const std::vector<FormatArg>& args) {
    return QString::fromStdString(Format(TranslateText(pattern), args));
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Settings hold colours as 0x00BBGGRR.
QColor ColorOf(ColorValue value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// The line above the answer forms for a task of `kind` with `n` variants.
QString VariantLabelText(TaskKind kind, long long n) {
    switch (kind) {
    case TaskKind::tkSingleChoice: return TrFormat("Выберите один из %d вариантов ответа:", {n});
    case TaskKind::tkMultipleChoice:
        return TrFormat("Выберите несколько из %d вариантов ответа:", {n});
    case TaskKind::tkOrdering:
        return TrFormat("Укажите порядок следования всех %d вариантов ответа:", {n});
    case TaskKind::tkMatching:
        return TrFormat("Укажите соответствие для всех %d вариантов ответа:", {n});
    case TaskKind::tkTrueFalse:
        return TrFormat("Укажите истинность или ложность для %d вариантов ответа:", {n});
    case TaskKind::tkNumberInput: return Tr("Введите число:");
    case TaskKind::tkTextInput: return Tr("Введите ответ:");
    case TaskKind::tkPointOnImage: return Tr("Укажите место на изображении:");
    case TaskKind::tkComposeWord: return Tr("Составьте слово:");
    default: return {};
    }
}

bool IsVariant(TaskKind kind) {
    return kind >= TaskKind::tkSingleChoice && kind <= TaskKind::tkTrueFalse;
}

// Column widths of the variant grid by kind; the Text column takes the rest,
// the Match column's 200 is recomputed to half of what is left.
std::array<int, VariantGrid::kColumns> ColumnWidths(TaskKind kind) {
    switch (kind) {
    case TaskKind::tkMultipleChoice: return {20, 0, 40, 0, 0, 0, 0};
    case TaskKind::tkOrdering:
    case TaskKind::tkTrueFalse: return {20, 0, 0, 40, 0, 0, 0};
    case TaskKind::tkMatching: return {20, 0, 0, 40, 0, 20, 200};
    default: return {20, 40, 0, 0, 0, 0, 0};
    }
}

QWidget* FixedPanel(QWidget* parent, int height, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    return panel;
}

// Ten rows share the grid's height: a variant's text keeps only a thin margin
// above and below, so that two lines fit a row of a window of design size.
void FitMargins(RichTextArea& area) {
    QTextFrameFormat format = area.document()->rootFrame()->frameFormat();
    format.setTopMargin(1);
    format.setBottomMargin(1);
    format.setLeftMargin(3);
    format.setRightMargin(3);
    area.document()->rootFrame()->setFrameFormat(format);
}

QIcon TaskListIcon(TaskListImage image) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case TaskListImage::NotShown:
        painter.setPen(QPen(Qt::gray, 1.5));
        painter.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case TaskListImage::Shown:
        painter.setPen(QPen(QColor(0, 90, 200), 1));
        painter.setBrush(QColor(90, 160, 255));
        painter.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case TaskListImage::Checked:
        painter.setPen(QPen(QColor(0, 140, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

TaskAreaWidget::TaskAreaWidget(QWidget* parent) : QWidget(parent) {
    m_showMessage = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                        this);
        box.exec();
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildHeader();
    BuildQuestionArea();
    BuildAnswerForms();
    BuildButtons();
    m_imageForm = new TShowQuestionImageForm(this);
    WatchControls();
    qApp->installEventFilter(this);
    RetranslateUi();
    ResetTaskArea();
}

void TaskAreaWidget::RetranslateUi() {
    m_brand->setText(Tr("Tevrix X Terminal"));
    m_questionText->setAccessibleName(Tr("Текст вопроса"));
    m_questionImage->setToolTip(Tr("Для увеличения изображения щелкните по нему..."));
    m_questionImage->setAccessibleName(Tr("Изображение к заданию"));
    m_questionImage->setAccessibleDescription(m_questionImage->toolTip());
    m_editInputText->setAccessibleName(Tr("Ответ"));
    m_wordPanel->setAccessibleName(Tr("Слово из букв"));
    m_image->setAccessibleName(Tr("Изображение для указания места"));
    for (int i = 0; i < VariantGrid::kRows; ++i)
        m_grid->At(i).Match->setAccessibleName(TrFormat("Элемент справа %d", {(long long)(i + 1)}));
    m_skipButton->setText(Tr("Пропустить..."));
    m_checkButton->setText(Tr("Дальше (проверить)"));
    m_doNotKnowButton->setText(Tr("Я не знаю..."));
    m_progress->setAccessibleName(Tr("Пройдено заданий"));
    m_taskList->setAccessibleName(Tr("Список заданий"));
    // Without a task the area shows its idle texts; a task's own header and
    // prompt caption come with the next task.
    if (m_kind == TaskKind::None)
        ShowIdleTexts();
    else
        m_variantLabel->setText(VariantLabelText(m_kind, m_variantCount));
}

void TaskAreaWidget::ShowIdleTexts() {
    m_questionLabel->setText(Tr("Информация"));
    m_promptButton->setText(Tr("Показать подсказку"));
    m_variantLabel->setText(VariantLabelText(TaskKind::tkSingleChoice, kIdleVariants));
}

TaskAreaWidget::~TaskAreaWidget() = default;

// ---------------------------------------------------------------------------
// Building

void TaskAreaWidget::BuildHeader() {
    QWidget* header = FixedPanel(this, 20, "Panel2");
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(4, 0, 4, 0);
    m_questionLabel = new QLabel(header);
    m_questionLabel->setObjectName("QuestionLabel");
    QPalette grey = m_questionLabel->palette();
    grey.setColor(QPalette::WindowText, Qt::darkGray);
    m_questionLabel->setPalette(grey);
    m_brand = new QLabel(header);
    QPalette green = m_brand->palette();
    green.setColor(QPalette::WindowText, kGreen);
    m_brand->setPalette(green);
    row->addWidget(m_questionLabel, 1);
    row->addWidget(m_brand);
    layout()->addWidget(header);
}

void TaskAreaWidget::BuildQuestionArea() {
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName("Splitter2");
    m_splitter->setChildrenCollapsible(false);

    auto* question = new QWidget(m_splitter);
    question->setObjectName("PanelQuestion");
    question->setMinimumSize(400, 160);
    auto* row = new QHBoxLayout(question);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_questionText = new RichTextArea(question);
    m_questionText->setObjectName("QuestionText");
    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(16);
    m_questionText->setFont(times);
    m_questionImage = new QuestionPicture(question);
    m_questionImage->setObjectName("QuestionImage");
    m_questionImage->setFixedWidth(160);
    m_questionImage->setCursor(Qt::PointingHandCursor);
    // Space or Enter on the picture opens it as a click does, for the keyboard.
    m_questionImage->setFocusPolicy(Qt::TabFocus);
    m_questionImage->SetPicture(StartPicture());
    connect(m_questionImage, &QuestionPicture::Clicked, this, &TaskAreaWidget::ShowQuestionImage);
    row->addWidget(m_questionText, 1);
    row->addWidget(m_questionImage);
    m_richAreas.push_back(m_questionText);

    auto* lower = new QWidget(m_splitter);
    lower->setObjectName("PanelAnswer");
    auto* column = new QVBoxLayout(lower);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_splitter->addWidget(question);
    m_splitter->addWidget(lower);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({160, 400});
    layout()->addWidget(m_splitter);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_splitter, 1);

    m_panelPrompt = FixedPanel(lower, 27, "PanelPromptTask");
    auto* promptRow = new QHBoxLayout(m_panelPrompt);
    promptRow->setContentsMargins(2, 1, 2, 1);
    m_promptButton = new QPushButton(m_panelPrompt);
    m_promptButton->setObjectName("BitBtn2");
    connect(m_promptButton, &QPushButton::clicked, this, &TaskAreaWidget::PromptRequested);
    promptRow->addWidget(m_promptButton);
    column->addWidget(m_panelPrompt);

    m_panelMedia = FixedPanel(lower, 35, "PanelMedia");
    auto* mediaRow = new QHBoxLayout(m_panelMedia);
    mediaRow->setContentsMargins(2, 1, 2, 1);
    column->addWidget(m_panelMedia);

    QWidget* info = FixedPanel(lower, 20, "PanelVariantInfo");
    auto* infoRow = new QHBoxLayout(info);
    infoRow->setContentsMargins(4, 0, 4, 0);
    m_variantLabel = new QLabel(info);
    m_variantLabel->setObjectName("VariantLabel");
    m_variantLabel->setPalette(m_questionLabel->palette());
    infoRow->addWidget(m_variantLabel);
    column->addWidget(info);
}

void TaskAreaWidget::BuildNumberGrid() {
    m_gridNum = new QWidget(m_panelInputNum);
    m_gridNum->setObjectName("GridPanelNum");
    auto* grid = new QGridLayout(m_gridNum);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setVerticalSpacing(0);
    grid->setColumnMinimumWidth(0, 150);
    grid->setColumnMinimumWidth(2, 150);
    grid->setColumnStretch(1, 1);
    QFont markFont = font();
    markFont.setBold(true);
    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, kMaroon);
    for (size_t i = 0; i < TTask::kNumberSlotCount; ++i) {
        const QString number = QString::number(i);
        m_labelNum[i] = new QLabel(m_gridNum);
        m_labelNum[i]->setObjectName("LabelNum" + number);
        m_labelNum[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_editNum[i] = new QLineEdit(m_gridNum);
        m_editNum[i]->setObjectName("EditNum" + number);
        m_labelNum[i]->setBuddy(m_editNum[i]);
        m_label2Num[i] = new QLabel(m_gridNum);
        m_label2Num[i]->setObjectName("Label2Num" + number);
        m_label2Num[i]->setFont(markFont);
        m_label2Num[i]->setPalette(maroon);
        m_label2Num[i]->setAlignment(Qt::AlignCenter);
        const int row = static_cast<int>(i);
        grid->addWidget(m_labelNum[i], row, 0);
        grid->addWidget(m_editNum[i], row, 1);
        grid->addWidget(m_label2Num[i], row, 2);
        m_numberFilter->Watch(m_editNum[i]);
        connect(m_editNum[i], &QLineEdit::textChanged, this, &TaskAreaWidget::VariantClick);
    }
}

void TaskAreaWidget::BuildAnswerForms() {
    QWidget* lower = m_variantLabel->parentWidget()->parentWidget();
    auto* column = static_cast<QVBoxLayout*>(lower->layout());

    m_numberFilter = new NumberFieldFilter(this);
    m_panelInputNum = new QWidget(lower);
    m_panelInputNum->setObjectName("PanelInputNum");
    m_panelInputNum->setMinimumHeight(150);
    BuildNumberGrid();
    column->addWidget(m_panelInputNum);

    m_panelInputText = new QWidget(lower);
    m_panelInputText->setObjectName("PanelInputText");
    m_panelInputText->setMinimumHeight(32);
    m_editInputText = new QLineEdit(m_panelInputText);
    m_editInputText->setObjectName("EditInputText");
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(13);
    m_editInputText->setFont(tahoma);
    connect(m_editInputText, &QLineEdit::textChanged, this, &TaskAreaWidget::VariantClick);
    column->addWidget(m_panelInputText);

    m_wordPanel = new TWordPanel(lower);
    m_wordPanel->setObjectName("WordPanel");
    m_wordPanel->setMinimumHeight(35);
    QFont wordFont(QStringLiteral("Tahoma"));
    wordFont.setPointSize(30);
    m_wordPanel->setFont(wordFont);
    connect(m_wordPanel, &TWordPanel::Clicked, this, &TaskAreaWidget::VariantClick);
    column->addWidget(m_wordPanel);

    m_panelImgRect = new QScrollArea(lower);
    m_panelImgRect->setObjectName("PanelImgRect");
    m_panelImgRect->setMinimumHeight(45);
    m_panelImgRect->setWidgetResizable(false);
    m_panelImgRect->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image = new QLabel;
    m_image->setObjectName("Image");
    m_image->setCursor(Qt::CrossCursor);
    m_panelImgRect->setWidget(m_image);
    m_shapePoint = new QLabel(m_image);
    m_shapePoint->setObjectName("ShapePoint");
    {
        QPixmap marker(11, 11);
        marker.fill(Qt::transparent);
        QPainter painter(&marker);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::gray, 1));
        painter.setBrush(kMaroon);
        painter.drawEllipse(QRectF(0.5, 0.5, 10, 10));
        static_cast<QLabel*>(m_shapePoint)->setPixmap(marker);
    }
    m_shapePoint->setGeometry(5, 5, 11, 11); // centre (10, 10) until the first point
    m_shapePoint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_shapePoint->hide();
    column->addWidget(m_panelImgRect);

    m_panelVariant = new QWidget(lower);
    m_panelVariant->setObjectName("PanelVariant");
    m_panelVariant->setMinimumSize(400, 150);
    auto* variantLayout = new QVBoxLayout(m_panelVariant);
    variantLayout->setContentsMargins(0, 0, 0, 0);
    m_grid = new VariantGrid(m_panelVariant);
    m_grid->setObjectName("GridPanel");
    variantLayout->addWidget(m_grid);
    column->addWidget(m_panelVariant);

    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(16);
    for (int i = 0; i < VariantGrid::kRows; ++i) {
        const VariantGrid::Slot& slot = m_grid->At(i);
        for (RichTextArea* area : {slot.Text, slot.Match}) {
            area->setFont(times);
            m_richAreas.push_back(area);
        }
        SetVariantAccessibleTexts(i, {});
        connect(slot.Radio, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                VariantClick();
        });
        connect(slot.Check, &QCheckBox::toggled, this, &TaskAreaWidget::VariantClick);
        connect(slot.List, &QComboBox::currentIndexChanged, this, &TaskAreaWidget::VariantClick);
    }
}

void TaskAreaWidget::BuildButtons() {
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel3");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    m_skipButton = new QPushButton(panel);
    m_skipButton->setObjectName("BitBtnSkipping");
    m_skipButton->setFixedWidth(120);
    m_checkButton = new QPushButton(panel);
    m_checkButton->setObjectName("BitBtnGoCheck");
    m_checkButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_checkButton->setLayoutDirection(Qt::RightToLeft); // the glyph on the right
    m_doNotKnowButton = new QPushButton(panel);
    m_doNotKnowButton->setObjectName("BitBtnIDoNotKnow");
    m_doNotKnowButton->setFixedWidth(120);
    for (QPushButton* button : {m_skipButton, m_checkButton, m_doNotKnowButton})
        button->setMinimumHeight(36);
    row->addWidget(m_skipButton);
    row->addWidget(m_checkButton, 1);
    row->addWidget(m_doNotKnowButton);
    column->addLayout(row);
    m_progress = new QProgressBar(panel);
    m_progress->setObjectName("ProgressBarCountAskTask");
    m_progress->setFixedHeight(10);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    column->addWidget(m_progress);
    layout()->addWidget(panel);
    connect(m_skipButton, &QPushButton::clicked, this, &TaskAreaWidget::SkipRequested);
    connect(m_checkButton, &QPushButton::clicked, this, &TaskAreaWidget::CheckRequested);
    connect(m_doNotKnowButton, &QPushButton::clicked, this, &TaskAreaWidget::DoNotKnowRequested);

    m_panelGoToTask = FixedPanel(this, 24, "PanelGoToTask");
    auto* listRow = new QHBoxLayout(m_panelGoToTask);
    listRow->setContentsMargins(0, 0, 0, 0);
    m_taskList = new QComboBox(m_panelGoToTask);
    m_taskList->setObjectName("ComboBoxEx1");
    m_taskList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    listRow->addWidget(m_taskList);
    layout()->addWidget(m_panelGoToTask);
    connect(m_taskList, &QComboBox::activated, this, &TaskAreaWidget::PositionChosen);
}

void TaskAreaWidget::WatchControls() {
    for (RichTextArea* area : m_richAreas) {
        // Task texts never open links: the area's own link handler is cut off
        // and links cannot be activated by mouse or keyboard.
        disconnect(area, &QTextBrowser::anchorClicked, nullptr, nullptr);
        area->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        area->setTabChangesFocus(true);
        area->viewport()->installEventFilter(this);
    }
    m_image->installEventFilter(this);
    m_panelInputNum->installEventFilter(this);
    m_panelInputText->installEventFilter(this);
}

QImage TaskAreaWidget::StartPicture() const {
    // The picture of an area that has shown no task yet.
    QImage picture(160, 160, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kGreen, 6));
    painter.drawRoundedRect(QRectF(8, 8, 144, 144), 18, 18);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(96);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, 160, 160), Qt::AlignCenter, QStringLiteral("T"));
    return picture;
}

// ---------------------------------------------------------------------------
// Idle, layout and filling

void TaskAreaWidget::HideAnswerForms() {
    for (QWidget* form :
         {static_cast<QWidget*>(m_panelVariant), m_panelInputNum, m_panelInputText,
          static_cast<QWidget*>(m_panelImgRect), static_cast<QWidget*>(m_wordPanel)}) {
        form->setEnabled(false);
        form->hide();
    }
}

void TaskAreaWidget::SetFilling(QWidget* form) {
    // The form a task uses takes the remaining height; the others keep
    // their design height (and are hidden anyway).
    auto* column = static_cast<QVBoxLayout*>(form->parentWidget()->layout());
    for (QWidget* other :
         {static_cast<QWidget*>(m_panelVariant), m_panelInputNum, m_panelInputText,
          static_cast<QWidget*>(m_panelImgRect), static_cast<QWidget*>(m_wordPanel)})
        column->setStretchFactor(other, other == form ? 1 : 0);
    form->setEnabled(true);
    form->show();
}

void TaskAreaWidget::ResetTaskArea() {
    UpdatesSuspended suspended(this);
    const bool wasFilling = std::exchange(m_filling, true);
    HideAnswerForms();
    SetFilling(m_panelVariant);
    m_panelVariant->setEnabled(false);
    m_promptButton->setEnabled(false);
    m_panelPrompt->hide();
    m_panelGoToTask->hide();
    m_panelGoToTask->setEnabled(false);
    m_panelMedia->hide();
    emit TaskMediaChanged(QString());

    m_grid->SetColumnWidths(ColumnWidths(TaskKind::tkSingleChoice));
    m_grid->SetRowsInUse(kIdleVariants);
    for (int i = 0; i < VariantGrid::kRows; ++i) {
        const VariantGrid::Slot& slot = m_grid->At(i);
        slot.Text->clear();
        slot.Radio->setEnabled(false);
        slot.Radio->setAutoExclusive(false);
        slot.Radio->setChecked(false);
        slot.Radio->setAutoExclusive(true);
        slot.Mark->clear();
        SetVariantAccessibleTexts(i, {});
    }
    m_grid->Realign();

    ShowIdleTexts();
    m_questionText->clear();
    SetRunActions(false, false);
    m_kind = TaskKind::None;
    m_variantCount = 0;
    m_numberCount = 0;
    m_pointPlaced = false;
    m_filling = wasFilling;
    SetCheckEnabled(false);
}

void TaskAreaWidget::ShowNoTestText() {
    UpdatesSuspended suspended(this);
    m_questionText->clear();
    m_questionText->setPlainText(Tr("Для начала работы выберите тест!..."));
    m_questionText->ZoomFrom(100);
}

void TaskAreaWidget::LayoutTaskArea(const TTask& task) {
    UpdatesSuspended suspended(this);
    const bool wasFilling = std::exchange(m_filling, true);
    HideAnswerForms();
    m_panelMedia->setVisible(!task.MediaFile.empty());
    m_panelMedia->setEnabled(!task.MediaFile.empty());
    m_panelPrompt->setVisible(!task.Prompt.Empty());
    m_promptButton->setEnabled(!task.Prompt.Empty());
    m_questionText->clear();
    m_kind = task.Kind;
    m_areas = task.Areas;
    m_pointPlaced = false;

    if (IsVariant(task.Kind)) {
        SetFilling(m_panelVariant);
        m_grid->SetColumnWidths(ColumnWidths(task.Kind));
        for (int i = 0; i < VariantGrid::kRows; ++i) {
            const VariantGrid::Slot& slot = m_grid->At(i);
            slot.Mark->clear();
            slot.MatchNumber->clear();
            slot.Text->clear();
            slot.Match->clear();
            slot.Text->setEnabled(false);
            slot.Match->setEnabled(false);
            slot.Radio->setEnabled(false);
            slot.Radio->setAutoExclusive(false);
            slot.Radio->setChecked(false);
            slot.Radio->setAutoExclusive(true);
            slot.Check->setEnabled(false);
            slot.Check->setChecked(false);
            slot.List->setEnabled(false);
            m_grid->SetListShown(i, i < 5);
            SetVariantAccessibleTexts(i, {});
        }
        ClearSlotColors();
        m_grid->SetRowsInUse(std::max({task.VariantCount(), task.MatchCount(), 4}));
        m_grid->Realign();
    } else if (task.Kind == TaskKind::tkNumberInput) {
        const int count = std::clamp<int>(task.NumberCount == 0 ? 1 : task.NumberCount, 1,
                                          TTask::kNumberSlotCount);
        m_gridNum->setFixedHeight(30 * count);
        for (int i = 0; i < int(TTask::kNumberSlotCount); ++i) {
            const bool used = i < count;
            for (QWidget* widget : {static_cast<QWidget*>(m_labelNum[size_t(i)]),
                                    static_cast<QWidget*>(m_editNum[size_t(i)]),
                                    static_cast<QWidget*>(m_label2Num[size_t(i)])}) {
                widget->setEnabled(used);
                widget->setVisible(used);
            }
            m_labelNum[size_t(i)]->clear();
            m_editNum[size_t(i)]->clear();
            m_label2Num[size_t(i)]->clear();
            m_label2Num[size_t(i)]->setAutoFillBackground(false);
            m_label2Num[size_t(i)]->setBackgroundRole(QPalette::Window);
            QPalette maroon = m_label2Num[size_t(i)]->palette();
            maroon.setColor(QPalette::Window, palette().color(QPalette::Window));
            m_label2Num[size_t(i)]->setPalette(maroon);
        }
        SetFilling(m_panelInputNum);
        CenterInParent(m_gridNum); // the first field takes the focus when filled
    } else if (task.Kind == TaskKind::tkTextInput) {
        SetFilling(m_panelInputText);
    } else if (task.Kind == TaskKind::tkPointOnImage) {
        SetFilling(m_panelImgRect);
        m_panelImgRect->horizontalScrollBar()->setValue(0);
        m_panelImgRect->verticalScrollBar()->setValue(0);
    } else if (task.Kind == TaskKind::tkComposeWord) {
        SetFilling(m_wordPanel);
    }
    m_filling = wasFilling;
}

void TaskAreaWidget::FillTaskArea(const TTask& task, const std::vector<int32_t>& variantOrder) {
    UpdatesSuspended suspended(this);
    const bool wasFilling = std::exchange(m_filling, true);
    const auto variantOf = [&variantOrder](int slot) {
        const int v = slot < int(variantOrder.size()) ? variantOrder[size_t(slot)] : slot;
        return std::clamp(v, 0, int(TTask::kSlotCount) - 1);
    };
    m_variantCount = std::clamp(task.VariantCount(), 0, VariantGrid::kRows);
    const int count = m_variantCount;
    switch (task.Kind) {
    case TaskKind::tkSingleChoice:
    case TaskKind::tkMultipleChoice:
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse:
        for (int s = 0; s < count; ++s) {
            const VariantGrid::Slot& slot = m_grid->At(s);
            LoadRichText(task.VariantText(variantOf(s)), *slot.Text);
            FitMargins(*slot.Text);
            slot.Text->setEnabled(true);
            SetVariantAccessibleTexts(s, slot.Text->toPlainText().trimmed());
            if (task.Kind == TaskKind::tkSingleChoice) {
                slot.Radio->setEnabled(true);
            } else if (task.Kind == TaskKind::tkMultipleChoice) {
                slot.Check->setEnabled(true);
            } else {
                slot.List->clear();
                if (task.Kind == TaskKind::tkTrueFalse) {
                    slot.List->addItems({QString(), Tr("Да"), Tr("Нет")});
                } else {
                    const int entries = task.Kind == TaskKind::tkOrdering
                                            ? count
                                            : std::clamp(task.MatchCount(), 0, VariantGrid::kRows);
                    for (int e = 1; e <= entries; ++e)
                        slot.List->addItem(QString::number(e));
                }
                slot.List->setCurrentIndex(-1);
                m_grid->SetListShown(s, true);
                slot.List->setEnabled(true);
            }
        }
        if (task.Kind == TaskKind::tkMatching) {
            const int matches = std::clamp(task.MatchCount(), 0, VariantGrid::kRows);
            for (int r = 0; r < matches; ++r) {
                const VariantGrid::Slot& row = m_grid->At(r);
                LoadRichText(task.MatchText(r), *row.Match);
                FitMargins(*row.Match);
                row.Match->setEnabled(true);
                row.MatchNumber->setText(QString::number(r + 1));
                row.Match->setAccessibleDescription(row.Match->toPlainText().trimmed());
            }
        }
        m_grid->Realign();
        break;
    case TaskKind::tkNumberInput: {
        m_numberCount = std::clamp<int>(task.NumberCount == 0 ? 1 : task.NumberCount, 1,
                                        TTask::kNumberSlotCount);
        for (int i = 0; i < m_numberCount; ++i) {
            const int number =
                std::clamp(i < int(variantOrder.size()) ? variantOrder[size_t(i)] : i, 0,
                           int(TTask::kNumberSlotCount) - 1);
            const QString label = FromUtf8(task.NumberLabel(number));
            m_labelNum[size_t(i)]->setText(label);
            m_editNum[size_t(i)]->setAccessibleName(
                label.isEmpty() ? TrFormat("Число %d", {(long long)(i + 1)}) : label);
        }
        m_editNum[0]->setFocus();
        break;
    }
    case TaskKind::tkTextInput:
        m_editInputText->clear();
        m_editInputText->setFocus();
        break;
    case TaskKind::tkPointOnImage:
        PrepareAnswerPicture();
        m_shapePoint->hide();
        break;
    case TaskKind::tkComposeWord:
        m_wordPanel->SetWord(TWordPanel::ShuffleWord(FromUtf8(task.Word), Random()));
        break;
    default: break;
    }

    const bool showPicture = task.Kind != TaskKind::tkPointOnImage && m_questionImage->HasPicture();
    m_questionImage->setEnabled(showPicture);
    m_questionImage->setVisible(showPicture);

    m_variantLabel->setText(VariantLabelText(task.Kind, task.VariantCount()));
    m_filling = wasFilling;
}

void TaskAreaWidget::ShowTask(const TaskPresentation& presentation) {
    const TTask& task = presentation.Task;
    m_imageForm->hide();
    UpdatesSuspended suspended(this);
    const bool wasFilling = std::exchange(m_filling, true);
    LayoutTaskArea(task);
    m_panelGoToTask->setVisible(presentation.ShowTaskList);
    m_panelGoToTask->setEnabled(presentation.ShowTaskList);
    m_questionLabel->setText(FromUtf8(presentation.Header));
    LoadRichText(task.Question, *m_questionText);
    m_panelMedia->setVisible(!presentation.MediaPath.empty());
    m_panelMedia->setEnabled(!presentation.MediaPath.empty());
    emit TaskMediaChanged(FromUtf8(presentation.MediaPath));
    LoadPicture(presentation.PicturePath);
    m_panelPrompt->setVisible(presentation.PromptCaption.has_value());
    m_promptButton->setEnabled(presentation.PromptCaption.has_value());
    m_promptButton->setText(presentation.PromptCaption ? FromUtf8(*presentation.PromptCaption)
                                                       : Tr("Показать подсказку"));
    FillTaskArea(task, presentation.VariantOrder);
    m_filling = wasFilling;
    SetCheckEnabled(false);
}

void TaskAreaWidget::LoadPicture(const std::string& path) {
    // A picture file that is missing leaves no picture rather than the
    // previous task's: a pupil must never answer a question about the wrong
    // picture. The message about the missing file is still shown.
    m_questionImage->Clear();
    const size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    LoadQuestionPicture(name, folder, *m_questionImage, m_showMessage);
}

void TaskAreaWidget::PrepareAnswerPicture() {
    if (m_questionImage->HasPicture()) {
        const QImage& picture = m_questionImage->Picture();
        m_answerImage = QImage(picture.size(), QImage::Format_ARGB32_Premultiplied);
        m_answerImage.fill(Qt::white);
        QPainter painter(&m_answerImage);
        painter.drawImage(QPoint(0, 0), picture); // in its own size, not stretched
        painter.end();
        m_image->setPixmap(QPixmap::fromImage(m_answerImage));
        m_image->resize(m_answerImage.size());
        m_image->setEnabled(true);
        m_image->show();
    } else {
        m_answerImage = QImage();
        m_image->clear();
        m_image->resize(0, 0);
        m_image->setEnabled(false);
        m_image->hide();
    }
}

void TaskAreaWidget::CenterInParent(QWidget* child) {
    const QWidget* area = child->parentWidget();
    child->setGeometry(0, (area->height() - child->height()) / 2, area->width(), child->height());
}

// ---------------------------------------------------------------------------
// The pupil's input

bool TaskAreaWidget::CheckEnabled() const {
    return m_checkButton->isEnabled();
}

void TaskAreaWidget::SetCheckEnabled(bool enabled) {
    if (m_checkButton->isEnabled() == enabled)
        return;
    m_checkButton->setEnabled(enabled);
    emit CheckEnabledChanged(enabled);
}

void TaskAreaWidget::VariantClick() {
    if (m_filling || m_kind == TaskKind::None)
        return;
    bool enabled = true;
    if (m_kind == TaskKind::tkOrdering) {
        std::array<bool, VariantGrid::kRows> conflict{};
        for (int i = 0; i < m_variantCount; ++i)
            for (int j = i + 1; j < m_variantCount; ++j) {
                const int entry = m_grid->At(i).List->currentIndex();
                if (entry >= 0 && entry == m_grid->At(j).List->currentIndex())
                    conflict[size_t(i)] = conflict[size_t(j)] = true;
            }
        for (int i = 0; i < m_variantCount; ++i) {
            m_grid->At(i).Mark->setText(conflict[size_t(i)] ? QStringLiteral("?") : QString());
            if (conflict[size_t(i)])
                enabled = false;
        }
    }
    SetCheckEnabled(enabled);
}

bool TaskAreaWidget::HandleDigitKey(QChar key) {
    if (!m_running || !IsVariant(m_kind) || !key.isDigit() || key.unicode() > '9')
        return false;
    const int slot = key == QLatin1Char('0') ? 9 : key.unicode() - '1';
    const VariantGrid::Slot& controls = m_grid->At(slot);
    switch (m_kind) {
    case TaskKind::tkSingleChoice:
        if (!controls.Radio->isEnabled())
            return false;
        controls.Radio->setChecked(true);
        break;
    case TaskKind::tkMultipleChoice:
        if (!controls.Check->isEnabled())
            return false;
        controls.Check->toggle();
        break;
    default: {
        QComboBox* list = controls.List;
        if (!list->isEnabled() || list->count() == 0)
            return false;
        const int current = list->currentIndex();
        list->setCurrentIndex(current < 0 || current + 1 >= list->count() ? 0 : current + 1);
        VariantClick();
        break;
    }
    }
    if (m_checkButton->isEnabled())
        m_checkButton->setFocus();
    return true;
}

void TaskAreaWidget::PlacePoint(QPoint picturePoint) {
    const int width = m_shapePoint->width();
    const int height = m_shapePoint->height();
    // The marker is a child of the picture, so its place is in picture
    // pixels whatever the scrolling.
    m_shapePoint->move(picturePoint.x() - width / 2, picturePoint.y() - height / 2);
    m_shapePoint->show();
    m_pointPlaced = true;
    VariantClick();
}

bool TaskAreaWidget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window())
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget == m_questionImage &&
            (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
             key->key() == Qt::Key_Enter)) {
            ShowQuestionImage();
            return true;
        }
        if (key->key() == Qt::Key_F10 && m_running) {
            if (std::find(m_richAreas.begin(), m_richAreas.end(), widget) != m_richAreas.end()) {
                emit AreaOfFocusRequested();
                return true;
            }
            break;
        }
        if (key->text().size() == 1 &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
            HandleDigitKey(key->text().front()))
            return true;
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (m_running) {
            for (RichTextArea* area : m_richAreas)
                if (watched == area->viewport()) {
                    area->setFocus(Qt::MouseFocusReason);
                    emit AreaOfFocusRequested();
                    return true;
                }
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched == m_image) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && m_image->isEnabled() &&
                m_kind == TaskKind::tkPointOnImage)
                PlacePoint(mouse->position().toPoint());
            return true;
        }
        break;
    case QEvent::Resize:
        if (watched == m_panelInputNum) {
            CenterInParent(m_gridNum);
        } else if (watched == m_panelInputText) {
            const int height = m_editInputText->sizeHint().height();
            m_editInputText->setGeometry(4, (m_panelInputText->height() - height) / 2,
                                         m_panelInputText->width() - 8, height);
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

RichTextArea* TaskAreaWidget::AreaOfFocus() const {
    QWidget* focused = QApplication::focusWidget();
    for (RichTextArea* area : m_richAreas)
        if (area == focused)
            return area;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Reading the answer

EnteredAnswer TaskAreaWidget::ReadAnswer(const TTask& task) {
    const int count = std::clamp(task.VariantCount(), 0, VariantGrid::kRows);
    switch (task.Kind) {
    case TaskKind::tkSingleChoice: {
        SingleChoiceAnswer answer;
        for (int s = 0; s < count; ++s)
            if (m_grid->At(s).Radio->isChecked())
                answer.SelectedSlot = s;
        return answer;
    }
    case TaskKind::tkMultipleChoice: {
        MultipleChoiceAnswer answer;
        for (int s = 0; s < count; ++s)
            answer.Ticked.push_back(m_grid->At(s).Check->isChecked());
        return answer;
    }
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse: {
        ChosenEntriesAnswer answer;
        for (int s = 0; s < count; ++s) {
            const int entry = m_grid->At(s).List->currentIndex();
            answer.Chosen.push_back(entry < 0 ? ChosenEntriesAnswer::kNoEntry : entry);
        }
        return answer;
    }
    case TaskKind::tkNumberInput: {
        NumberFieldsAnswer answer;
        const int fields = std::clamp<int>(task.NumberCount == 0 ? 1 : task.NumberCount, 1,
                                           TTask::kNumberSlotCount);
        for (int i = 0; i < fields; ++i)
            answer.Fields.push_back(m_editNum[size_t(i)]->text().toStdString());
        return answer;
    }
    case TaskKind::tkTextInput: return TypedTextAnswer{m_editInputText->text().toStdString()};
    case TaskKind::tkPointOnImage: {
        PointAnswer answer;
        if (m_pointPlaced)
            answer.Placed = PointAnswer::Point{m_shapePoint->x() + m_shapePoint->width() / 2,
                                               m_shapePoint->y() + m_shapePoint->height() / 2};
        return answer;
    }
    case TaskKind::tkComposeWord: return ComposedWordAnswer{m_wordPanel->Word().toStdString()};
    default: return std::monostate{};
    }
}

// ---------------------------------------------------------------------------
// The right answer

void TaskAreaWidget::ShowRightAnswer(const RightAnswerView& view) {
    const auto paint = [](QWidget* widget, QPalette::ColorRole role, ColorValue color) {
        QPalette palette = widget->palette();
        palette.setColor(role, ColorOf(color));
        widget->setPalette(palette);
    };
    for (size_t s = 0; s < view.Slots.size(); ++s) {
        const SlotHighlight& highlight = view.Slots[s];
        if (m_kind == TaskKind::tkNumberInput) {
            if (s >= TTask::kNumberSlotCount)
                break;
            QLabel* mark = m_label2Num[s];
            mark->setText(FromUtf8(highlight.Mark));
            if (highlight.MarkColor) {
                mark->setAutoFillBackground(true);
                paint(mark, QPalette::Window, *highlight.MarkColor);
            }
            continue;
        }
        if (s >= size_t(VariantGrid::kRows))
            break;
        const VariantGrid::Slot& slot = m_grid->At(int(s));
        slot.Mark->setText(FromUtf8(highlight.Mark));
        if (highlight.VariantColor)
            paint(slot.Text, QPalette::Base, *highlight.VariantColor);
        if (highlight.ListColor) {
            // The styles paint a list's face with gradients of their own that
            // hide a palette colour; a style sheet colours it for certain.
            slot.List->setStyleSheet(QStringLiteral("QComboBox { background-color: %1; }")
                                         .arg(ColorOf(*highlight.ListColor).name()));
        }
        if (highlight.MatchColor)
            paint(slot.Match, QPalette::Base, *highlight.MatchColor);
    }
    if (view.DrawAreas && m_kind == TaskKind::tkPointOnImage && !m_answerImage.isNull()) {
        QPainter painter(&m_answerImage);
        painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
        painter.setBrush(QBrush(Qt::green, Qt::DiagCrossPattern));
        for (const TArea& area : m_areas)
            painter.drawRect(QRect(QPoint(area.Left, area.Top), QPoint(area.Right, area.Bottom)));
        painter.end();
        m_image->setPixmap(QPixmap::fromImage(m_answerImage));
    }
}

void TaskAreaWidget::ClearSlotColors() {
    for (int i = 0; i < VariantGrid::kRows; ++i) {
        const VariantGrid::Slot& slot = m_grid->At(i);
        slot.Text->setPalette(QPalette());
        slot.Match->setPalette(QPalette());
        if (!slot.List->styleSheet().isEmpty())
            slot.List->setStyleSheet(QString());
    }
}

void TaskAreaWidget::ClearRightAnswer() {
    ClearSlotColors();
    m_questionImage->Clear();
    m_questionImage->setEnabled(false);
    m_questionImage->hide();
    m_shapePoint->hide();
}

// ---------------------------------------------------------------------------
// Pictures and media

void TaskAreaWidget::ShowQuestionImage() {
    if (!m_questionImage->HasPicture())
        return;
    m_imageForm->ShowPicture(m_questionImage->Picture(), window());
}

void TaskAreaWidget::CloseTaskFiles() {
    m_imageForm->hide();
    m_questionImage->Clear();
    m_questionImage->setEnabled(false);
    m_questionImage->hide();
    emit TaskMediaChanged(QString());
}

// ---------------------------------------------------------------------------
// Buttons, progress and the task list

void TaskAreaWidget::SetRunActions(bool iDoNotKnow, bool skipping) {
    m_doNotKnowButton->setEnabled(iDoNotKnow);
    m_doNotKnowButton->setVisible(iDoNotKnow);
    m_skipButton->setEnabled(skipping);
    m_skipButton->setVisible(skipping);
}

void TaskAreaWidget::SetProgress(int maximum, int position) {
    m_progress->setRange(0, std::max(maximum, 1));
    m_progress->setValue(std::clamp(position, 0, std::max(maximum, 1)));
}

void TaskAreaWidget::SetTaskList(const std::vector<std::string>& items) {
    const QSignalBlocker blocker(m_taskList);
    m_taskList->clear();
    const QIcon icon = TaskListIcon(TaskListImage::NotShown);
    for (const std::string& item : items)
        m_taskList->addItem(icon, FromUtf8(item));
    m_taskList->setCurrentIndex(-1);
}

void TaskAreaWidget::SetTaskListImage(int position, TaskListImage image) {
    if (position >= 0 && position < m_taskList->count())
        m_taskList->setItemIcon(position, TaskListIcon(image));
}

void TaskAreaWidget::ClearTaskListSelection() {
    const QSignalBlocker blocker(m_taskList);
    m_taskList->setCurrentIndex(-1);
}

// ---------------------------------------------------------------------------
// Settings of the area

void TaskAreaWidget::SetDecimalSeparator(QChar separator) {
    m_numberFilter->SetDecimalSeparator(separator);
}

void TaskAreaWidget::SetBeep(std::function<void()> beep) {
    m_numberFilter->SetBeep(std::move(beep));
}

void TaskAreaWidget::SetUseWindowSettings(bool on) {
    m_grid->SetListMargins(on);
    m_grid->Realign();
}

void TaskAreaWidget::SetZoom(int percent) {
    if (percent == m_questionText->Zoom())
        return;
    UpdatesSuspended suspended(this);
    for (RichTextArea* area : m_richAreas)
        area->SetZoom(percent);
}

int TaskAreaWidget::Zoom() const {
    return m_questionText->Zoom();
}

RandomSource& TaskAreaWidget::Random() {
    if (m_random)
        return *m_random;
    if (!m_ownRandom) {
        m_ownRandom = std::make_unique<ClockRandomSource>();
        m_ownRandom->Reseed();
    }
    return *m_ownRandom;
}

void TaskAreaWidget::SetVariantAccessibleTexts(int slot, const QString& plain) {
    // Named by the slot, as the pupil sees its number; the variant's text
    // goes with it as the description.
    const VariantGrid::Slot& controls = m_grid->At(slot);
    const QString name = TrFormat("Вариант %d", {(long long)(slot + 1)});
    for (QWidget* widget :
         {static_cast<QWidget*>(controls.Radio), static_cast<QWidget*>(controls.Check),
          static_cast<QWidget*>(controls.List)}) {
        widget->setAccessibleName(name);
        widget->setAccessibleDescription(plain);
    }
    controls.Text->setAccessibleName(TrFormat("Текст варианта %d", {(long long)(slot + 1)}));
    controls.Text->setAccessibleDescription(plain);
}

} // namespace tevrix
