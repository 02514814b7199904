// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/TaskArea.h"
#include "model/Task.h"
#include "rules/RandomSource.h"
#include "ui/richtext/QuestionPicture.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;

namespace tevrix {

class NumberFieldFilter;
class RichTextArea;
class TShowQuestionImageForm;
class TWordPanel;
class VariantGrid;

// The task area of the main window: the header line, the question with its
// picture, the prompt button, the place of the media bar, the prompt line,
// the five answer forms (variants, number fields, text field, point on a
// picture, word), the buttons of a run with the progress bar, and the task
// list. The session engine drives it through TaskArea; the pupil's commands
// come out as the signals below, for the window to pass to the engine.
//
// Rich texts of tasks never open links: a pupil in exclusive mode must not
// reach a browser.
class TaskAreaWidget : public QWidget, public TaskArea {
    Q_OBJECT

public:
    explicit TaskAreaWidget(QWidget* parent = nullptr);
    ~TaskAreaWidget() override;

    // TaskArea. A task whose picture file is missing shows the message
    // naming the file and then no picture at all, never the previous task's
    // (for a point task: no answer picture, so no point can be placed).
    void ResetTaskArea() override;
    void ShowNoTestText() override;
    // Shows the area's own texts again in the current language.
    void RetranslateUi();
    void ShowTask(const TaskPresentation& presentation) override;
    EnteredAnswer ReadAnswer(const TTask& task) override;
    void CloseTaskFiles() override;
    void ShowRightAnswer(const RightAnswerView& view) override;
    void ClearRightAnswer() override;
    void SetRunActions(bool iDoNotKnow, bool skipping) override;
    void SetProgress(int maximum, int position) override;
    void SetTaskList(const std::vector<std::string>& items) override;
    void SetTaskListImage(int position, TaskListImage image) override;
    void ClearTaskListSelection() override;

    // The steps ShowTask is made of, for the window and the tests: the areas
    // prepared for the task's kind, then filled in `variantOrder`.
    void LayoutTaskArea(const TTask& task);
    void FillTaskArea(const TTask& task, const std::vector<int32_t>& variantOrder);

    // Digit keys answer tasks of kinds 1 to 5, and a double click or F10 on
    // a text area asks for the viewer, only while a run is under way.
    void SetRunning(bool running) { m_running = running; }
    bool Running() const { return m_running; }
    // The decimal separator number fields take; the user's locale's unless
    // set. Tests inject one.
    void SetDecimalSeparator(QChar separator);
    // Replaces the system's beep of refused characters (tests count them).
    void SetBeep(std::function<void()> beep);
    // Replaces the plain message box of picture failures (tests collect the
    // texts).
    void SetMessageHandler(ShowMessage showMessage) { m_showMessage = std::move(showMessage); }
    // The generator the word is shuffled with; the window passes the run's.
    // Without one the area uses a generator of its own.
    void SetRandomSource(RandomSource* random) { m_random = random; }
    // Whether the window settings were in use when the window was created:
    // the lists then sit a pixel above the middle of their rows.
    void SetUseWindowSettings(bool on);
    // The zoom of the question text and of every variant text, in percent.
    void SetZoom(int percent);
    int Zoom() const;

    // The check action "Дальше (проверить)": disabled whenever a task is
    // shown, enabled when the pupil touches the answer (CheckEnabledChanged
    // tells the window's menu).
    bool CheckEnabled() const;
    // The kind of the task on screen; None when idle.
    TaskKind KindOnScreen() const { return m_kind; }

    // The rich-text area that has the keyboard focus, for the viewer of
    // AreaOfFocusRequested; null when none of this area's has it.
    RichTextArea* AreaOfFocus() const;
    // The question text area: the window writes the opened test's summary
    // into it.
    RichTextArea& QuestionText() const { return *m_questionText; }
    // The panel the media bar goes into (add it to the panel's layout); shown
    // only for a task with media.
    QWidget& MediaPanel() const { return *m_panelMedia; }
    // The enlarged question picture (one for the life of the area).
    TShowQuestionImageForm& QuestionImageForm() const { return *m_imageForm; }

public slots:
    // The pupil touched the answer: the check is enabled, and in an ordering
    // task two slots holding the same position are marked "?" and keep it
    // disabled.
    void VariantClick();
    // Opens the question picture enlarged; nothing when it holds none.
    void ShowQuestionImage();
    // A character typed while the window is active ("1" .. "9", "0" for the
    // tenth slot); true when it answered the task and must go no further.
    // The area sees every key typed in its window before the focused
    // control does (as a form's key preview), so the window need not, and
    // must not, forward keys here.
    bool HandleDigitKey(QChar key);

signals:
    void CheckRequested();
    void DoNotKnowRequested();
    void SkipRequested();
    void PromptRequested();
    void PositionChosen(int position);
    // A double click on a text area, or F10 in one, during a run; the area
    // concerned has the focus (AreaOfFocus).
    void AreaOfFocusRequested();
    void CheckEnabledChanged(bool enabled);
    // The media of the task on screen, for the media bar: the file, or empty
    // when the media is closed.
    void TaskMediaChanged(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildHeader();
    void BuildQuestionArea();
    void BuildAnswerForms();
    void BuildButtons();
    void WatchControls();
    void BuildNumberGrid();
    void ShowIdleTexts();

    void SetCheckEnabled(bool enabled);
    void HideAnswerForms();
    void SetFilling(QWidget* form);
    void CenterInParent(QWidget* child);
    void LoadPicture(const std::string& path);
    void PrepareAnswerPicture();
    void PlacePoint(QPoint picturePoint);
    void ClearSlotColors();
    void SetVariantAccessibleTexts(int slot, const QString& plain);
    QImage StartPicture() const;
    RandomSource& Random();

    bool m_running = false;
    bool m_filling = false; // signals of the controls are not the pupil's
    TaskKind m_kind = TaskKind::None;
    int m_variantCount = 0;
    int m_numberCount = 0;
    std::vector<TArea> m_areas;
    bool m_pointPlaced = false;
    QImage m_answerImage;
    ShowMessage m_showMessage;
    RandomSource* m_random = nullptr;
    std::unique_ptr<RandomSource> m_ownRandom;

    // header line
    QLabel* m_questionLabel = nullptr;
    QLabel* m_brand = nullptr;
    // question
    QSplitter* m_splitter = nullptr;
    RichTextArea* m_questionText = nullptr;
    QuestionPicture* m_questionImage = nullptr;
    // below the question
    QWidget* m_panelPrompt = nullptr;
    QPushButton* m_promptButton = nullptr;
    QWidget* m_panelMedia = nullptr;
    QLabel* m_variantLabel = nullptr;
    QWidget* m_panelInputNum = nullptr;
    QWidget* m_gridNum = nullptr;
    std::array<QLabel*, TTask::kNumberSlotCount> m_labelNum{};
    std::array<QLineEdit*, TTask::kNumberSlotCount> m_editNum{};
    std::array<QLabel*, TTask::kNumberSlotCount> m_label2Num{};
    NumberFieldFilter* m_numberFilter = nullptr;
    QWidget* m_panelInputText = nullptr;
    QLineEdit* m_editInputText = nullptr;
    TWordPanel* m_wordPanel = nullptr;
    QScrollArea* m_panelImgRect = nullptr;
    QLabel* m_image = nullptr;
    QWidget* m_shapePoint = nullptr;
    QWidget* m_panelVariant = nullptr;
    VariantGrid* m_grid = nullptr;
    // buttons and task list
    QPushButton* m_skipButton = nullptr;
    QPushButton* m_checkButton = nullptr;
    QPushButton* m_doNotKnowButton = nullptr;
    QProgressBar* m_progress = nullptr;
    QWidget* m_panelGoToTask = nullptr;
    QComboBox* m_taskList = nullptr;

    TShowQuestionImageForm* m_imageForm = nullptr;
    // The question text and every variant's two texts, for the viewer, the
    // zoom and the links.
    std::vector<RichTextArea*> m_richAreas;
};

} // namespace tevrix
