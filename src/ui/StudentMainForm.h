// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/SessionController.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <string>

class QAction;
class QMenu;

namespace tevrix {

class MediaBar;
class RichTextArea;
class StatusPanels;
class TaskAreaWidget;
class TInputPasswordForm;
class TInputUserNameForm;
class WindowSettings;

// The user guide, beside the program.
inline constexpr const char* kUserGuidePage = "help/index.html";

// The station's main window: the menus and their rules, the status bar, the
// task area and the ways a test reaches the window. The course of a run is
// the session engine's, reached through the controller.
class TStudentMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 700;
    static constexpr int kZoomStep = 10;
    static constexpr int kMinZoom = 50;

    explicit TStudentMainForm(StationPlaces places, QWidget* parent = nullptr);
    ~TStudentMainForm() override;

    // The test file opened when the window is first shown (the first
    // argument of the command line).
    void SetStartupFile(const QString& path) { m_startupFile = path; }
    // Opens a test file while no test is open.
    bool OpenTestFile(const QString& path);

    SessionController& Controller() { return *m_controller; }
    SessionEngine& Engine() { return m_controller->Engine(); }
    StatusPanels& Panels() { return *m_panels; }
    TaskAreaWidget& TaskArea() { return *m_taskArea; }
    MediaBar& Media() { return *m_mediaBar; }
    TInputPasswordForm& PasswordForm() { return *m_passwordForm; }
    TInputUserNameForm& UserNameForm() { return *m_userNameForm; }
    int Zoom() const { return m_zoom; }

    // The size the window opens at without window settings, on a screen
    // of that size.
    static QSize StartSize(const QSize& screen);

    // Enabling, check marks, title and status panels by the program state;
    // applied each time the application becomes idle.
    void ApplyCommandRules();

    // Makes `language` current and shows this window in it at once; other
    // windows keep their texts, those made later speak it.
    void SwitchLanguage(const std::string& language);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* NewAction(const char* name, const char* caption, const QKeySequence& shortcut = {});
    void CreateMenus();
    void CreateLanguageCommands();
    void ShowOwnTexts();
    void RetranslateUi();
    void ConnectTaskArea();
    void CreateMediaBar();
    // Opens the medium of the task on screen; an empty path closes it.
    void ShowTaskMedia(const QString& path);
    void PlaceWindow();
    void CentreOnScreen();
    void ShowPreviousFiles();
    RichTextArea* QuestionArea() const;
    void ApplyZoom(int zoom);
    void ShowOpenedTestSummary();

    // The commands.
    void AOpenTestExecute();
    void AGetTestExecute();
    // Closes the window when closing was asked while a test loaded.
    void CloseIfAskedWhileLoading();
    void ACloseTestExecute();
    void ATestInfoExecute();
    void ATestInstructionExecute();
    void ABeginTestExecute();
    void AEndTestExecute();
    void AZoomInExecute();
    void AZoomNormalExecute();
    void AZoomOutExecute();
    void AUseWindowSettingsExecute();
    void ASaveConfigOnExitExecute();
    void ASaveConfigNowExecute();
    void ALoadConfigNowExecute();
    void ASettingsExecute();
    // The question of "Сохранить настройки сейчас" and "Загрузить настройки
    // сейчас"; false while a test runs.
    bool ConfirmSettingsCommand(const char* question);
    void AShowAreaOfFocusExecute();
    void ACalculatorExecute();
    void AHelpExecute();
    void AAboutExecute();
    void ALicenseExecute();
    void ADonateExecute();

    // The shut-down that follows a close the engine agreed to.
    void ShutDown();

    StatusPanels* m_panels = nullptr;
    TaskAreaWidget* m_taskArea = nullptr;
    MediaBar* m_mediaBar = nullptr;
    TInputPasswordForm* m_passwordForm = nullptr;
    TInputUserNameForm* m_userNameForm = nullptr;
    SessionController* m_controller = nullptr;
    std::unique_ptr<WindowSettings> m_windowSettings;

    QAction* m_open = nullptr;
    QAction* m_getTest = nullptr;
    QAction* m_closeTest = nullptr;
    QMenu* m_previousFiles = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_testInfo = nullptr;
    QAction* m_instruction = nullptr;
    QAction* m_beginTest = nullptr;
    QAction* m_endTest = nullptr;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomNormal = nullptr;
    QAction* m_zoomOut = nullptr;
    QAction* m_useWindowSettings = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_saveOnExit = nullptr;
    QAction* m_saveNow = nullptr;
    QAction* m_loadNow = nullptr;
    QAction* m_viewText = nullptr;
    QAction* m_help = nullptr;
    QAction* m_license = nullptr;
    QAction* m_donate = nullptr;
    QAction* m_about = nullptr;
    QAction* m_calculator = nullptr;

    int m_zoom = 100;
    QString m_startupFile;
    bool m_shown = false;
    bool m_shutDown = false;
    bool m_closeAfterLoading = false; // closing was asked while a test loaded
    bool m_windowSettingsAtStart = false;
};

} // namespace tevrix
