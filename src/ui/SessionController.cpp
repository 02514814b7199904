// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SessionController.h"

#include "config/RebootMarkers.h"
#include "config/SettingsFile.h"
#include "config/UserStore.h"
#include "model/TestLoader.h"
#include "platform/SystemInfo.h"
#include "text/Guid.h"
#include "ui/UiText.h"
#include "ui/dialogs/InputPasswordForm.h"
#include "ui/dialogs/InputUserNameForm.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/SelectTestForm.h"
#include "ui/dialogs/TextViewForm.h"
#include "ui/results/DetailReportBuilder.h"
#include "ui/results/ShowResultForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/sound/EndSound.h"
#include "ui/widgets/ExchangeProgress.h"
#include "ui/widgets/OffThread.h"
#include "ui/widgets/StatusPanels.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

#include <filesystem>

namespace tevrix {
namespace {

RunCounter CounterIn(const std::string& storePath) {
    const std::string folder =
        storePath.empty()
            ? std::string()
            : (std::filesystem::path(storePath).parent_path() / "RunMarkers").string();
    return RunCounter(UserStore(storePath), RebootMarkers(folder, CurrentBootId()));
}

QTimer* NewTimer(QObject* parent, int intervalMs, const char* name) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

SessionController::SessionController(SessionWindowParts parts, StationPlaces places,
                                     QObject* parent)
    : QObject(parent),
      m_parts(std::move(parts)),
      m_places(std::move(places)),
      m_counter(CounterIn(m_places.UserStorePath)),
      m_connector(NetTimeouts{}, &m_cancel),
      m_client(m_connector, TextLocale{}),
      m_reporter(m_client, m_settings, *this, &RunOffThread),
      m_taskTimer(NewTimer(this, 1000, "TimerTask")),
      m_testTimer(NewTimer(this, 1000, "TimerTest")),
      m_modeMonoTimer(NewTimer(this, 100, "TimerModeMono")),
      m_endSound(new EndSound(this)),
      m_resultForm(new TShowResultForm(&m_parts.Window)) {
    m_engine = std::make_unique<SessionEngine>(
        SessionTargets{m_parts.Area, *this, *this, *this, *this, m_reporter, *this, *this, *this,
                       *this},
        SessionServices{m_settings, m_counter, m_random, m_clock, TextLocale{}, m_places.ProgramDir,
                        ComputerName(), ComputerUserName(), NewGuidText});
    connect(m_taskTimer, &QTimer::timeout, this, [this] { m_engine->TaskTimerTick(); });
    connect(m_testTimer, &QTimer::timeout, this, [this] { m_engine->TestTimerTick(); });
    connect(m_modeMonoTimer, &QTimer::timeout, this, [this] { m_engine->ExclusiveTimerTick(); });
}

SessionController::~SessionController() = default;

QTimer* SessionController::Timer(SessionTimer timer) const {
    switch (timer) {
    case SessionTimer::TimerTask: return m_taskTimer;
    case SessionTimer::TimerTest: return m_testTimer;
    case SessionTimer::TimerModeMono: break;
    }
    return m_modeMonoTimer;
}

// ---------------------------------------------------------------------------
// Files

bool SessionController::OpenTestFile(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    if (m_engine->State() == ProgramState::TestRunning || m_engine->Busy() || m_loading)
        return false;
    m_loading = true;
    m_parts.Area.CloseTaskFiles();
    m_engine->BeginLoadingTest();
    LoadTestOutcome outcome;
    RunOffThread([&] {
        outcome = LoadTest(path, std::nullopt, [this] {
            return OnWindowThread<std::optional<std::string>>([this] { return AskPassword(); });
        });
    });
    m_loading = false;
    if (outcome.Status == LoadTestStatus::Loaded) {
        m_engine->SetLoadedTest(std::move(outcome.Test), std::move(outcome.Tasks));
        m_recent.AddRecentFile(path);
        return true;
    }
    m_parts.Area.ShowNoTestText();
    ShowOutcome(outcome.Result);
    return false;
}

bool SessionController::FetchTest() {
    if (!m_settings.IsSendResult || m_loading || m_engine->State() != ProgramState::NoTest ||
        m_engine->Busy())
        return false;
    m_loading = true;
    m_cancel.Reset();
    m_parts.Area.CloseTaskFiles();
    m_engine->BeginLoadingTest();
    const ServerAddress address{m_settings.RemoteHost, m_settings.RemotePort};
    const std::string computer = ComputerName();
    GetTestOutcome outcome;
    {
        ExchangeProgress progress(Tr("Получение теста с сервера..."), &m_parts.Window,
                                  [this] { m_cancel.Cancel(); });
        progress.setObjectName("FetchProgress");
        progress.setWindowTitle(Tr("Получить по сети"));
        RunOffThread([&] {
            outcome = m_client.GetTest(
                address, computer,
                [&](const std::vector<std::string>& items) {
                    return OnWindowThread<std::optional<size_t>>(
                        [&] { return progress.Without([&] { return ChooseOfferedTest(items); }); });
                },
                [&] {
                    return OnWindowThread<std::optional<std::string>>(
                        [&] { return progress.Without([this] { return AskPassword(); }); });
                });
        });
    }
    const bool cancelled = m_cancel.Cancelled();
    m_cancel.Reset();
    m_loading = false;

    // A test the loader finished is kept even when the exchange broke off
    // afterwards; the loader's message comes before the exchange's.
    bool opened = false;
    if (outcome.Load && outcome.Load->Status == LoadTestStatus::Loaded) {
        m_engine->SetLoadedTest(std::move(outcome.Load->Test), std::move(outcome.Load->Tasks));
        opened = true;
    } else {
        m_parts.Area.ShowNoTestText();
        if (outcome.Load)
            ShowOutcome(outcome.Load->Result);
    }
    if (!cancelled)
        ShowOutcome(outcome.Result);
    return opened;
}

std::optional<size_t> SessionController::ChooseOfferedTest(const std::vector<std::string>& items) {
    TSelectTestForm form(items, &m_parts.Window);
    return form.ChooseTest();
}

void SessionController::ShowOutcome(const Outcome& outcome) {
    if (const std::optional<MessageBoxRequest> request = OutcomeBox(outcome))
        ShowMessageBox(*request);
}

void SessionController::LoadStationSettings() {
    ShowOutcome(LoadSettings(m_settings, m_places.ProgramDir + kConfigFileName));
}

void SessionController::SaveStationSettings() {
    ShowOutcome(SaveSettings(m_settings, m_places.ProgramDir + kConfigFileName));
}

void SessionController::LoadRecentFiles() {
    m_recent.LoadRecentFiles(UserStore(m_places.UserStorePath));
}

void SessionController::SaveRecentFiles() {
    UserStore store(m_places.UserStorePath);
    m_recent.SaveRecentFiles(store);
}

// ---------------------------------------------------------------------------
// Timers and status bar

void SessionController::StartTimer(SessionTimer timer) {
    Timer(timer)->start();
}

void SessionController::StopTimer(SessionTimer timer) {
    Timer(timer)->stop();
}

void SessionController::SetStatusPanel(StatusPanel panel, const std::string& text,
                                       PanelDrawing drawing) {
    const int index = static_cast<int>(panel);
    m_parts.Panels.SetPanel(index, ToQt(text));
    m_parts.Panels.SetPanelRed(index, drawing == PanelDrawing::Red);
}

// ---------------------------------------------------------------------------
// Exclusive mode

void SessionController::SaveWindowPlacement() {
    m_savedGeometry = m_parts.Window.saveGeometry();
    m_savedFlags = m_parts.Window.windowFlags();
}

void SessionController::CoverScreen() {
    QWidget& window = m_parts.Window;
    m_exclusive = true;
    window.setWindowFlags(m_savedFlags | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.showFullScreen();
}

void SessionController::HoldExclusiveMode() {
    if (!m_exclusive)
        return;
    QWidget& window = m_parts.Window;
    if (window.isMinimized() || !window.isFullScreen())
        window.showFullScreen();
    // Another program took the keyboard: take it back, for the modal window
    // of the moment when one is open.
    if (QApplication::activeWindow() == nullptr) {
        QWidget* front = QApplication::activeModalWidget();
        if (front == nullptr)
            front = &window;
        front->raise();
        front->activateWindow();
    }
}

void SessionController::RestoreWindowPlacement() {
    QWidget& window = m_parts.Window;
    m_exclusive = false;
    window.setWindowFlags(m_savedFlags);
    window.showNormal();
    window.restoreGeometry(m_savedGeometry);
}

// ---------------------------------------------------------------------------
// Dialogs

MessageReply SessionController::ShowMessageBox(const MessageBoxRequest& request) {
    return tevrix::ShowMessageBox(&m_parts.Window, request);
}

std::optional<std::string> SessionController::AskPassword() {
    return m_parts.Password.AskPassword();
}

IdentityFields SessionController::CurrentIdentity() {
    return m_parts.Identification.Fields();
}

bool SessionController::ShowIdentification(const IdentificationSetup& setup) {
    return m_parts.Identification.Identify(setup);
}

bool SessionController::ShowTextViewer(const RichText& text, const std::string& caption) {
    return TTextViewForm::ShowTextViewer(&m_parts.Window, text, ToQt(caption));
}

// ---------------------------------------------------------------------------
// The end of a run

void SessionController::ShowEndSummary(const std::vector<SummaryLine>& lines) {
    RichTextArea* area = m_parts.QuestionArea();
    if (area == nullptr)
        return;
    area->clear();
    QTextCursor cursor(area->document());
    bool first = true;
    for (const SummaryLine& line : lines) {
        QTextCharFormat format;
        format.setFontWeight(line.Style == SummaryStyle::Normal ? QFont::Normal : QFont::Bold);
        if (line.Style == SummaryStyle::BoldRed)
            format.setForeground(QColor(kSummaryRed.Red, kSummaryRed.Green, kSummaryRed.Blue));
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(ToQt(line.Text), format);
    }
    area->ZoomFrom(100);
    area->moveCursor(QTextCursor::Start);
    area->ensureCursorVisible();
}

void SessionController::ShowMessage(const PupilMessage& message) {
    ShowMessageBox({message.Text, message.Caption, message.Icon, MessageButtons::Ok});
}

void SessionController::PlayDefaultEndSound() {
    m_endSound->PlayBuiltIn();
}

void SessionController::PlaySoundFile(const std::string& path) {
    m_endSound->PlayFile(ToQt(path));
}

void SessionController::ShowResultWindow(const TResultTest& record) {
    m_resultForm->ShowResultWindow(record);
}

void SessionController::ShowDetailReport(TResultTest& record, const TTest& test,
                                         const TTaskList& tasks) {
    RichTextArea* question = m_parts.QuestionArea();
    DetailReportContext context{
        m_random, TextLocale{},
        [this](const QString& text) { ShowPlainMessage(&m_parts.Window, FromQt(text)); },
        question != nullptr ? question->font() : m_parts.Window.font()};
    std::unique_ptr<QTextDocument> report =
        DetailReportBuilder(test, tasks, std::move(context)).Build(record);
    TTextViewForm::ShowDocument(&m_parts.Window, std::move(report),
                                Tr("Отчет по прохождению теста"));
}

} // namespace tevrix
