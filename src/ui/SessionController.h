// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "config/RecentFiles.h"
#include "config/RunCounter.h"
#include "config/Settings.h"
#include "frontend/DetailReport.h"
#include "frontend/EndSoundPlayer.h"
#include "frontend/ExclusiveWindow.h"
#include "frontend/ResultWindow.h"
#include "frontend/RunOutputView.h"
#include "frontend/SessionDialogs.h"
#include "frontend/SessionTimers.h"
#include "frontend/StatusBar.h"
#include "frontend/TaskArea.h"
#include "net/ServerClient.h"
#include "net/ServerRunReporter.h"
#include "net/TcpConnector.h"
#include "rules/RandomSource.h"
#include "session/SessionEngine.h"
#include "text/DateTime.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QTimer;
class QWidget;

namespace tevrix {

class RichTextArea;
class StatusPanels;
class TInputPasswordForm;
class TInputUserNameForm;

// The pieces of the main window a run reaches.
struct SessionWindowParts {
    QWidget& Window;
    TaskArea& Area;
    StatusPanels& Panels;
    TInputPasswordForm& Password;
    TInputUserNameForm& Identification;
    // The question text area, where the end-of-run summary goes.
    std::function<RichTextArea*()> QuestionArea;
};

// Where the station keeps its files.
struct StationPlaces {
    std::string ProgramDir;    // ending with '/': configuration and result files
    std::string UserStorePath; // the user store (recent files, run counts)
};

// The Qt adapter between the session engine and the main window: owns the
// engine, the station's settings and recent files, and the three timers,
// and answers the engine's calls with the window's widgets and dialogs.
class SessionController final : public QObject,
                                public SessionTimers,
                                public StatusBar,
                                public ExclusiveWindow,
                                public SessionDialogs,
                                public RunOutputView,
                                public EndSoundPlayer,
                                public ResultWindow,
                                public DetailReport {
    Q_OBJECT

public:
    SessionController(SessionWindowParts parts, StationPlaces places, QObject* parent = nullptr);
    ~SessionController() override;

    SessionEngine& Engine() { return *m_engine; }
    Settings& StationSettings() { return m_settings; }
    RecentFiles& Recent() { return m_recent; }
    const StationPlaces& Places() const { return m_places; }
    // The run's random numbers (task order, variant order, the word's letters).
    RandomSource& Random() { return m_random; }
    // From now on the same random orders as a headless run with this seed.
    void FixRandomSeed(uint32_t seed) { m_random.FixSeed(seed); }
    QTimer* Timer(SessionTimer timer) const;

    // Opens a test file as the window's commands do: a path that names no
    // file does nothing; a loader's failure is shown to the pupil and leaves
    // no test open. True when the test was opened.
    bool OpenTestFile(const std::string& path);

    // The configuration file and the recent files.
    void LoadStationSettings();
    void SaveStationSettings();
    void LoadRecentFiles();
    void SaveRecentFiles();

    // SessionTimers
    void StartTimer(SessionTimer timer) override;
    void StopTimer(SessionTimer timer) override;
    // StatusBar
    void SetStatusPanel(StatusPanel panel, const std::string& text, PanelDrawing drawing) override;
    // ExclusiveWindow
    void SaveWindowPlacement() override;
    void CoverScreen() override;
    void HoldExclusiveMode() override;
    void RestoreWindowPlacement() override;
    // SessionDialogs
    MessageReply ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> AskPassword() override;
    IdentityFields CurrentIdentity() override;
    bool ShowIdentification(const IdentificationSetup& setup) override;
    bool ShowTextViewer(const RichText& text, const std::string& caption) override;
    // RunOutputView
    void ShowEndSummary(const std::vector<SummaryLine>& lines) override;
    void ShowMessage(const PupilMessage& message) override;
    // The end of a run: the built-in sound is the desktop's beep. The sound
    // files, the result window and the detailed report are not shown yet.
    void PlayDefaultEndSound() override;
    void PlaySoundFile(const std::string& path) override;
    void ShowResultWindow(const TResultTest& record) override;
    void ShowDetailReport(TResultTest& record) override;

private:
    // The message of a core operation's outcome, when it has one.
    void ShowOutcome(const Outcome& outcome);
    // Runs a server exchange on a worker thread while the event loop goes on.
    static void RunOffThread(const std::function<void()>& exchange);

    SessionWindowParts m_parts;
    StationPlaces m_places;
    Settings m_settings;
    RecentFiles m_recent;
    RunCounter m_counter;
    StationRandomSource m_random;
    SystemClock m_clock;
    TcpConnector m_connector;
    ServerClient m_client;
    ServerRunReporter m_reporter;
    QTimer* m_taskTimer;
    QTimer* m_testTimer;
    QTimer* m_modeMonoTimer;
    std::unique_ptr<SessionEngine> m_engine;

    // The placement kept while exclusive mode covers the screen.
    QByteArray m_savedGeometry;
    Qt::WindowFlags m_savedFlags;
    bool m_exclusive = false;
};

} // namespace tevrix
