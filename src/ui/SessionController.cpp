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
#include "ui/dialogs/TextViewForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/widgets/StatusPanels.h"

#include <QApplication>
#include <QEventLoop>
#include <QTextCursor>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <thread>

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
      m_client(m_connector, TextLocale{}),
      m_reporter(m_client, m_settings, *this, &SessionController::RunOffThread),
      m_taskTimer(NewTimer(this, 1000, "TimerTask")),
      m_testTimer(NewTimer(this, 1000, "TimerTest")),
      m_modeMonoTimer(NewTimer(this, 100, "TimerModeMono")) {
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

void SessionController::RunOffThread(const std::function<void()>& exchange) {
    // The exchange blocks on its socket; the window goes on with its events
    // (timers, painting, the pupil's clicks) until it has ended.
    QEventLoop loop;
    std::thread worker([&] {
        exchange();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

// ---------------------------------------------------------------------------
// Files

bool SessionController::OpenTestFile(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    if (m_engine->State() == ProgramState::TestRunning || m_engine->Busy())
        return false;
    m_parts.Area.CloseTaskFiles();
    m_engine->BeginLoadingTest();
    LoadTestOutcome outcome = LoadTest(path, std::nullopt, [this] { return AskPassword(); });
    if (outcome.Status == LoadTestStatus::Loaded) {
        m_engine->SetLoadedTest(std::move(outcome.Test), std::move(outcome.Tasks));
        m_recent.AddRecentFile(path);
        return true;
    }
    m_parts.Area.ShowNoTestText();
    ShowOutcome(outcome.Result);
    return false;
}

void SessionController::ShowOutcome(const Outcome& outcome) {
    // The core words its failures in the source texts; they are translated
    // as they are shown.
    if (const std::optional<PupilMessage>& message = outcome.Message())
        ShowMessageBox(
            {TranslateText(message->Text.c_str()),
             message->Caption.empty() ? std::string() : TranslateText(message->Caption.c_str()),
             message->Icon, MessageButtons::Ok});
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
    QApplication::beep();
}

void SessionController::PlaySoundFile(const std::string&) {}

void SessionController::ShowResultWindow(const TResultTest&) {}

void SessionController::ShowDetailReport(TResultTest&) {}

} // namespace tevrix
