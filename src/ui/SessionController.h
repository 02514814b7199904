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
#include "net/ExchangeCancel.h"
#include "net/ServerClient.h"
#include "net/ServerRunReporter.h"
#include "net/TcpConnector.h"
#include "rules/RandomSource.h"
#include "session/SessionEngine.h"
#include "text/DateTime.h"

#include <QByteArray>
#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <string>

class QTimer;
class QWidget;

namespace tevrix {

class EndSound;
class RichTextArea;
class StatusPanels;
class TShowResultForm;
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
    std::string DataDir;       // ending with '/': what came with the program (the licence)
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
    // The exchanges with the teacher's server (blocking: run them off the
    // window's thread).
    ServerClient& Client() { return m_client; }
    // From now on the same random orders as a headless run with this seed.
    void FixRandomSeed(uint32_t seed) { m_random.FixSeed(seed); }
    QTimer* Timer(SessionTimer timer) const;

    // Opens a test file as the window's commands do: a path that names no
    // file does nothing; a loader's failure is shown to the pupil and leaves
    // no test open. The file is read on a worker thread while the window
    // goes on. True when the test was opened.
    bool OpenTestFile(const std::string& path);
    // "Получить по сети": asks the teacher's server for its tests, lets the
    // pupil choose one and opens it, on a worker thread while the window
    // goes on; a progress window offers "Отмена" after a moment. Does
    // nothing with IsSendResult off, a test open or an exchange under way.
    // True when a test was opened.
    bool FetchTest();
    // While a test is being loaded (from a file or the server) no other
    // may be opened.
    bool Loading() const { return m_loading; }
    // Breaks off the fetch under way (the window is closing): it ends at
    // once and quietly.
    void CancelFetch() { m_cancel.Cancel(); }

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
    // The end of a run: the end sound (also the settings' sound test), the
    // result window and the detailed report in the text viewer.
    void PlayDefaultEndSound() override;
    void PlaySoundFile(const std::string& path) override;
    void ShowResultWindow(const TResultTest& record) override;
    void ShowDetailReport(TResultTest& record, const TTest& test, const TTaskList& tasks) override;
    TShowResultForm& ResultForm() { return *m_resultForm; }
    const EndSound& Sound() const { return *m_endSound; }

private:
    // The message of a core operation's outcome, when it has one.
    void ShowOutcome(const Outcome& outcome);
    // Runs `call` on the window's thread, from a worker thread or from that
    // thread itself, and returns what it returned.
    template <typename Result, typename Call> Result OnWindowThread(Call call) {
        if (QThread::currentThread() == thread())
            return call();
        Result result{};
        QMetaObject::invokeMethod(
            this, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
    std::optional<size_t> ChooseOfferedTest(const std::vector<std::string>& items);

    SessionWindowParts m_parts;
    StationPlaces m_places;
    Settings m_settings;
    RecentFiles m_recent;
    RunCounter m_counter;
    StationRandomSource m_random;
    SystemClock m_clock;
    ExchangeCancel m_cancel; // the fetch's; the run reports are never cancelled
    bool m_loading = false;
    TcpConnector m_connector;
    ServerClient m_client;
    ServerRunReporter m_reporter;
    QTimer* m_taskTimer;
    QTimer* m_testTimer;
    QTimer* m_modeMonoTimer;
    std::unique_ptr<SessionEngine> m_engine;
    EndSound* m_endSound;
    TShowResultForm* m_resultForm;

    // The placement kept while exclusive mode covers the screen.
    QByteArray m_savedGeometry;
    Qt::WindowFlags m_savedFlags;
    bool m_exclusive = false;
};

} // namespace tevrix
