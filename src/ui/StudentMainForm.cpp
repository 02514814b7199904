// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StudentMainForm.h"

#include "config/UserStore.h"
#include "platform/SystemInfo.h"
#include "session/ProgramState.h"
#include "text/DateTime.h"
#include "text/InterfaceLanguage.h"
#include "ui/UiText.h"
#include "ui/dialogs/InputPasswordForm.h"
#include "ui/dialogs/InputUserNameForm.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/TextViewForm.h"
#include "ui/info/TestInfoForm.h"
#include "ui/media/MediaBar.h"
#include "ui/media/QtMediaPlayerDevice.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/settings/StudentAdditionConfigForm.h"
#include "ui/settings/WindowSettings.h"
#include "ui/taskarea/TaskAreaWidget.h"
#include "ui/widgets/SourceTexts.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/widgets/UpdatesSuspended.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace tevrix {
namespace {

// The longest path a dropped file may have.
constexpr int kMaxDroppedPath = 259;

const char* StateText(ProgramState state) {
    switch (state) {
    case ProgramState::TestLoaded: return N_("Тест выбран");
    case ProgramState::TestRunning: return N_("Тест идет");
    case ProgramState::NoTest: break;
    }
    return N_("Тест не выбран");
}

QString NowAs(const char* pattern) {
    return ToQt(FormatDateTime(pattern, NowOleDate()));
}

} // namespace

TStudentMainForm::TStudentMainForm(StationPlaces places, QWidget* parent) : QMainWindow(parent) {
    // The language comes first: every window made from here on speaks it.
    UseLanguage(LanguageOfFile(places.ProgramDir + kLanguageFileName));
    m_panels = new StatusPanels(this);
    m_taskArea = new TaskAreaWidget(this);
    m_passwordForm = new TInputPasswordForm(this);
    m_userNameForm = new TInputUserNameForm(this);
    setObjectName("StudentMainForm");
    m_taskArea->setObjectName("TaskArea");
    setCentralWidget(m_taskArea);
    setStatusBar(m_panels);
    m_controller = new SessionController({*this, *m_taskArea, *m_panels, *m_passwordForm,
                                          *m_userNameForm, [this] { return QuestionArea(); }},
                                         std::move(places), this);
    m_taskArea->SetRandomSource(&m_controller->Random());
    m_windowSettings = std::make_unique<WindowSettings>(
        *this, NiceSettingsPlaces{UserStore::ConfigHome(), m_controller->Places().ProgramDir});
    CreateMenus();
    ShowOwnTexts();
    CreateMediaBar();
    ConnectTaskArea();
    setAcceptDrops(true);

    // The start-up: settings, recent files, the idle task area, the log's
    // start line, the placement.
    m_controller->LoadStationSettings();
    m_controller->LoadRecentFiles();
    m_taskArea->ResetTaskArea();
    m_taskArea->ShowNoTestText();
    Engine().LogProgramStart();
    PlaceWindow();

    // The rules follow the program whenever it has nothing else to do.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TStudentMainForm::ApplyCommandRules);
    ApplyCommandRules();
}

TStudentMainForm::~TStudentMainForm() {
    ShutDown();
}

QAction* TStudentMainForm::NewAction(const char* name, const char* caption,
                                     const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    SetSourceText(action, caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Shortcuts work wherever the focus is in the window, dialogs aside.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void TStudentMainForm::CreateMenus() {
    m_open = NewAction("AOpenTest", N_("&Открыть..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m_getTest = NewAction("AGetTest", N_("Получить по сети"));
    m_closeTest = NewAction("ACloseTest", N_("Закрыть"));
    m_exit = NewAction("AExit", N_("В&ыход"));
    m_testInfo = NewAction("ATestInfo", N_("Информация"));
    m_instruction = NewAction("ATestInstruction", N_("Инструкция к тесту"));
    m_beginTest = NewAction("ABeginTest", N_("Начать тест"), QKeySequence(Qt::Key_F5));
    m_endTest = NewAction("AEndTest", N_("Закончить тест"));
    m_zoomIn = NewAction("AZoomIn", N_("Крупнее"), QKeySequence(Qt::CTRL | Qt::Key_U));
    m_zoomNormal = NewAction("AZoomNormal", N_("Обычный  (100%)"));
    m_zoomOut = NewAction("AZoomOut", N_("Мельче"), QKeySequence(Qt::CTRL | Qt::Key_D));
    m_useWindowSettings = NewAction("AUseWindowSettings", N_("Использовать настройки окна"));
    m_settings = NewAction("ASettings", N_("Параметры..."));
    m_saveOnExit = NewAction("ASaveConfigOnExit", N_("Сохранять настройки при выходе"));
    m_saveNow = NewAction("ASaveConfigNow", N_("Сохранить настройки сейчас"));
    m_loadNow = NewAction("ALoadConfigNow", N_("Загрузить настройки сейчас"));
    m_viewText = NewAction("AShowAreaOfFocus", N_("Просмотр"), QKeySequence(Qt::Key_F10));
    m_help = NewAction("AHelp", N_("Просмотр справки"), QKeySequence(Qt::Key_F1));
    m_license = NewAction("ALicense", N_("Лицензия"));
    m_donate = NewAction("ADonate", N_("Поддержать программу"));
    m_about = NewAction("AAbout", N_("О программе"));
    m_calculator = NewAction("ACalculator", N_("Запустить калькулятор"),
                             QKeySequence(Qt::ALT | Qt::Key_Equal));
    for (QAction* check : {m_zoomIn, m_zoomNormal, m_zoomOut, m_useWindowSettings, m_saveOnExit})
        check->setCheckable(true);

    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QString());
    SetSourceTitle(file, N_("Файл"));
    file->setObjectName("miFile");
    file->addActions({m_open, m_getTest, m_closeTest});
    file->addSeparator();
    m_previousFiles = file->addMenu(QString());
    SetSourceTitle(m_previousFiles, N_("Предыдущие файлы"));
    m_previousFiles->setObjectName("miListPreviousFiles");
    file->addSeparator();
    file->addAction(m_exit);

    QMenu* test = bar->addMenu(QString());
    SetSourceTitle(test, N_("Тест"));
    test->setObjectName("miTest");
    test->addActions({m_testInfo, m_instruction});
    test->addSeparator();
    test->addActions({m_beginTest, m_endTest});

    QMenu* options = bar->addMenu(QString());
    SetSourceTitle(options, N_("Настройка"));
    options->setObjectName("miOptions");
    QMenu* zoom = options->addMenu(QString());
    SetSourceTitle(zoom, N_("Масштаб"));
    zoom->setObjectName("miZoom");
    zoom->addActions({m_zoomIn, m_zoomNormal, m_zoomOut});
    // Window settings, save on exit, save now and load now have their places
    // here but are never shown: the settings dialog reaches them. (A hidden
    // QAction is also a disabled one, so they are kept off the menu instead;
    // the menu collapses the separators around their places.)
    options->addSeparator();
    options->addSeparator();
    options->addAction(m_settings);
    options->addSeparator();

    QMenu* help = bar->addMenu(QString());
    SetSourceTitle(help, N_("Справка"));
    help->setObjectName("miHelp");
    help->addAction(m_help);
    help->addSeparator();
    help->addActions({m_license, m_donate});
    help->addSeparator();
    help->addAction(m_about);

    // Commands without a menu place still take their keys in the window.
    addActions({m_viewText, m_calculator, m_useWindowSettings, m_saveOnExit, m_saveNow, m_loadNow});
    CreateLanguageCommands();

    connect(m_open, &QAction::triggered, this, &TStudentMainForm::AOpenTestExecute);
    connect(m_getTest, &QAction::triggered, this, &TStudentMainForm::AGetTestExecute);
    connect(m_closeTest, &QAction::triggered, this, &TStudentMainForm::ACloseTestExecute);
    connect(m_exit, &QAction::triggered, this, &QWidget::close);
    connect(m_testInfo, &QAction::triggered, this, &TStudentMainForm::ATestInfoExecute);
    connect(m_instruction, &QAction::triggered, this, &TStudentMainForm::ATestInstructionExecute);
    connect(m_beginTest, &QAction::triggered, this, &TStudentMainForm::ABeginTestExecute);
    connect(m_endTest, &QAction::triggered, this, &TStudentMainForm::AEndTestExecute);
    connect(m_zoomIn, &QAction::triggered, this, &TStudentMainForm::AZoomInExecute);
    connect(m_zoomNormal, &QAction::triggered, this, &TStudentMainForm::AZoomNormalExecute);
    connect(m_zoomOut, &QAction::triggered, this, &TStudentMainForm::AZoomOutExecute);
    connect(m_useWindowSettings, &QAction::triggered, this,
            &TStudentMainForm::AUseWindowSettingsExecute);
    connect(m_saveOnExit, &QAction::triggered, this, &TStudentMainForm::ASaveConfigOnExitExecute);
    connect(m_saveNow, &QAction::triggered, this, &TStudentMainForm::ASaveConfigNowExecute);
    connect(m_loadNow, &QAction::triggered, this, &TStudentMainForm::ALoadConfigNowExecute);
    connect(m_settings, &QAction::triggered, this, &TStudentMainForm::ASettingsExecute);
    connect(m_viewText, &QAction::triggered, this, &TStudentMainForm::AShowAreaOfFocusExecute);
    connect(m_calculator, &QAction::triggered, this, &TStudentMainForm::ACalculatorExecute);
    connect(m_help, &QAction::triggered, this, &TStudentMainForm::AHelpExecute);
    connect(m_about, &QAction::triggered, this, &TStudentMainForm::AAboutExecute);
    connect(m_license, &QAction::triggered, this, &TStudentMainForm::ALicenseExecute);
    connect(m_donate, &QAction::triggered, this, &TStudentMainForm::ADonateExecute);
    connect(m_previousFiles, &QMenu::aboutToShow, this, &TStudentMainForm::ShowPreviousFiles);
}

void TStudentMainForm::CreateLanguageCommands() {
    // Offered by no menu and no key: the language file chooses the language,
    // these change it for the rest of the run.
    const struct {
        const char* Name;
        const char* Caption;
        const char* Language;
    } commands[] = {{"ALanguageRussian", N_("Русский"), kRussian},
                    {"ALanguageUkrainian", N_("Украинский"), kUkrainian},
                    {"ALanguageBelarusian", N_("Белорусский"), kBelarusian}};
    for (const auto& command : commands) {
        QAction* action = NewAction(command.Name, command.Caption);
        const std::string language = command.Language;
        connect(action, &QAction::triggered, this, [this, language] { SwitchLanguage(language); });
        addAction(action);
    }
}

void TStudentMainForm::SwitchLanguage(const std::string& language) {
    UseLanguage(language);
    RetranslateUi();
}

void TStudentMainForm::ShowOwnTexts() {
    setAccessibleName(Tr(kApplicationTitle));
    menuBar()->setAccessibleName(Tr("Меню"));
}

void TStudentMainForm::RetranslateUi() {
    ShowOwnTexts();
    RetranslateSourceTexts(this);
    m_panels->RetranslateUi();
    m_taskArea->RetranslateUi();
    if (Engine().State() == ProgramState::NoTest)
        m_taskArea->ShowNoTestText();
    ApplyCommandRules();
}

void TStudentMainForm::ConnectTaskArea() {
    SessionEngine& engine = Engine();
    connect(m_taskArea, &TaskAreaWidget::CheckRequested, this, [&engine] { engine.CheckTask(); });
    connect(m_taskArea, &TaskAreaWidget::DoNotKnowRequested, this,
            [&engine] { engine.DoNotKnow(); });
    connect(m_taskArea, &TaskAreaWidget::SkipRequested, this, [&engine] { engine.SkipTask(); });
    connect(m_taskArea, &TaskAreaWidget::PromptRequested, this, [&engine] { engine.ViewPrompt(); });
    connect(m_taskArea, &TaskAreaWidget::PositionChosen, this,
            [&engine](int position) { engine.GoToPosition(position); });
    connect(m_taskArea, &TaskAreaWidget::AreaOfFocusRequested, this,
            &TStudentMainForm::AShowAreaOfFocusExecute);
}

void TStudentMainForm::CreateMediaBar() {
    QWidget& panel = m_taskArea->MediaPanel();
    m_mediaBar = new MediaBar(std::make_unique<QtMediaPlayerDevice>(), &panel);
    panel.layout()->setContentsMargins(0, 0, 0, 0);
    panel.layout()->addWidget(m_mediaBar);
    panel.setFixedHeight(m_mediaBar->NeededHeight());
    connect(m_mediaBar, &MediaBar::NeededHeightChanged, &panel, &QWidget::setFixedHeight);
    connect(m_taskArea, &TaskAreaWidget::TaskMediaChanged, this, &TStudentMainForm::ShowTaskMedia);
}

void TStudentMainForm::ShowTaskMedia(const QString& path) {
    const QFileInfo file(path);
    m_mediaBar->OpenTaskMedia(path.isEmpty() ? std::string() : FromQt(file.fileName()),
                              FromQt(file.path()));
}

void TStudentMainForm::PlaceWindow() {
    m_windowSettingsAtStart = m_controller->StationSettings().IsUseWindowSettings;
    m_taskArea->SetUseWindowSettings(m_windowSettingsAtStart);
    // Centred at its start size; with window settings the stored placement
    // (what the store holds of it) goes over that.
    CentreOnScreen();
    if (m_windowSettingsAtStart)
        m_windowSettings->Load();
}

void TStudentMainForm::CentreOnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // The status panels may need more than the start size on a small
    // screen; the window is centred at the size it has then.
    const QSize size = StartSize(screen.size()).expandedTo(minimumSizeHint());
    resize(size);
    move(screen.center() - QPoint(size.width() / 2, size.height() / 2));
}

QSize TStudentMainForm::StartSize(const QSize& screen) {
    // 800 x 700, or 100 pixels less than a screen that is not larger.
    int height = kDefaultHeight;
    int width = kDefaultWidth;
    if (height >= screen.height())
        height = screen.height() - 100;
    if (width >= screen.width())
        width = screen.width() - 100;
    return {width, height};
}

// ---------------------------------------------------------------------------
// The rules of the commands

void TStudentMainForm::ApplyCommandRules() {
    if (m_shutDown)
        return;
    const SessionEngine& engine = Engine();
    const ProgramState state = engine.State();
    const Settings& settings = m_controller->StationSettings();
    const TTest* test = engine.Test();
    const bool noTest = state == ProgramState::NoTest;
    // Nothing else is opened while a test loads.
    const bool canOpen = noTest && !m_controller->Loading();
    const bool loaded = state == ProgramState::TestLoaded;
    const bool running = state == ProgramState::TestRunning;

    m_open->setEnabled(canOpen);
    m_getTest->setEnabled(canOpen && settings.IsSendResult);
    m_closeTest->setEnabled(loaded);
    m_previousFiles->setEnabled(canOpen && !m_controller->Recent().Items().empty());
    m_testInfo->setEnabled(!noTest);
    m_instruction->setEnabled(!noTest && test != nullptr && !test->Instruction.Empty());
    m_beginTest->setEnabled(loaded);
    m_endTest->setEnabled(running);
    m_zoomIn->setChecked(m_zoom > 100);
    m_zoomNormal->setChecked(m_zoom == 100);
    m_zoomOut->setChecked(m_zoom < 100);
    m_useWindowSettings->setEnabled(!running);
    m_useWindowSettings->setChecked(settings.IsUseWindowSettings);
    m_settings->setEnabled(!running);
    m_saveOnExit->setEnabled(!running);
    m_saveOnExit->setChecked(settings.IsSaveConfig);
    m_saveNow->setEnabled(!running);
    m_loadNow->setEnabled(!running);
    m_viewText->setEnabled(running);
    m_taskArea->SetRunning(running);

    const QString title = test != nullptr ? QString(QStringLiteral("%1 - Tevrix Student"))
                                                .arg(QFileInfo(ToQt(test->FileName)).fileName())
                                          : QStringLiteral("Tevrix Student");
    if (windowTitle() != title)
        setWindowTitle(title);
    if (!running)
        m_taskArea->SetProgress(0, 0);

    m_panels->SetPanel(0, Tr(StateText(state)));
    const TResultTest* record = engine.Record();
    m_panels->SetPanel(
        1,
        running && record != nullptr
            ? QStringLiteral("%1/%2").arg(record->CurrentPosition + 1).arg(record->TaskOrder.size())
            : QString());
    if (!running) {
        m_panels->SetPanel(2, NowAs("dd.mm.yy"));
        m_panels->SetPanel(3, NowAs("hh:nn"));
        m_panels->SetPanel(10, QString());
    }
    const bool flags = !noTest && test != nullptr;
    m_panels->SetPanel(6, flags && test->ShowCorrectAnswer ? Tr("О") : QString());
    m_panels->SetPanel(7, flags && test->PenalizeWrong ? Tr("Ш") : QString());
    m_panels->SetPanel(8, flags && test->AllowSkip ? Tr("C") : QString());
    m_panels->SetPanel(9, flags && test->ExclusiveMode ? Tr("М") : QString());
    m_panels->SetPanel(11, running && record != nullptr
                               ? ToQt(record->UserName + " " + record->UserGroup)
                               : QString());
}

// ---------------------------------------------------------------------------
// Opening and closing tests

bool TStudentMainForm::OpenTestFile(const QString& path) {
    if (Engine().State() != ProgramState::NoTest)
        return false;
    const bool opened = m_controller->OpenTestFile(FromQt(path));
    if (opened)
        ShowOpenedTestSummary();
    CloseIfAskedWhileLoading();
    return opened;
}

void TStudentMainForm::AGetTestExecute() {
    if (m_controller->FetchTest())
        ShowOpenedTestSummary();
    CloseIfAskedWhileLoading();
}

void TStudentMainForm::CloseIfAskedWhileLoading() {
    if (m_closeAfterLoading) {
        m_closeAfterLoading = false;
        close();
    }
}

void TStudentMainForm::AOpenTestExecute() {
    if (Engine().State() != ProgramState::NoTest)
        return;
    QFileDialog dialog(this, Tr("Открыть"),
                       ToQt(m_controller->StationSettings().InitialDirOpenTest),
                       Tr("Тесты Tevrix (*.tvf)"));
    dialog.setObjectName("OpenTestDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("tvf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenTestFile(dialog.selectedFiles().first());
}

void TStudentMainForm::ShowPreviousFiles() {
    m_previousFiles->clear();
    int number = 0;
    for (const std::string& path : m_controller->Recent().Items()) {
        // A '&' of a path is no accelerator.
        QString caption = ToQt(path);
        caption.replace('&', QStringLiteral("&&"));
        QAction* item = m_previousFiles->addAction(caption);
        item->setObjectName(QStringLiteral("PreviousFile%1").arg(number++));
        const QString file = ToQt(path);
        connect(item, &QAction::triggered, this, [this, file] { OpenTestFile(file); });
    }
}

void TStudentMainForm::ACloseTestExecute() {
    UpdatesSuspended suspended(this);
    Engine().CloseTest();
    ApplyZoom(m_zoom);
}

void TStudentMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (Engine().State() == ProgramState::NoTest && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TStudentMainForm::dropEvent(QDropEvent* event) {
    if (Engine().State() != ProgramState::NoTest || !event->mimeData()->hasUrls())
        return;
    const QString path = event->mimeData()->urls().first().toLocalFile();
    if (path.isEmpty() || path.size() > kMaxDroppedPath ||
        QFileInfo(path).suffix().toUpper() != QStringLiteral("TVF"))
        return;
    event->acceptProposedAction();
    OpenTestFile(path);
}

// ---------------------------------------------------------------------------
// The run

void TStudentMainForm::ABeginTestExecute() {
    Engine().BeginTest();
}

void TStudentMainForm::AEndTestExecute() {
    Engine().EndTest();
}

void TStudentMainForm::ATestInstructionExecute() {
    Engine().ViewInstruction();
}

void TStudentMainForm::AShowAreaOfFocusExecute() {
    Engine().ShowAreaOfFocus([this] {
        if (RichTextArea* area = m_taskArea->AreaOfFocus())
            TTextViewForm::ShowAreaInViewer(this, *area, QString());
    });
}

void TStudentMainForm::ACalculatorExecute() {
    if (Engine().State() != ProgramState::TestRunning)
        return;
    for (const char* name :
         {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    ShowPlainMessage(this, TranslateText("Ошибка запуска стандартного калькулятора"));
}

// ---------------------------------------------------------------------------
// Zoom and settings

RichTextArea* TStudentMainForm::QuestionArea() const {
    return m_taskArea->findChild<RichTextArea*>(QStringLiteral("QuestionText"));
}

void TStudentMainForm::ApplyZoom(int zoom) {
    m_zoom = zoom;
    RichTextArea* question = QuestionArea();
    if (question == nullptr || question->Zoom() == zoom)
        return;
    UpdatesSuspended suspended(this);
    question->SetZoom(zoom);
    for (int i = 0; i < 10; ++i)
        for (const char* prefix : {"VariantRE_1_", "VariantRE_2_"})
            if (auto* area = m_taskArea->findChild<RichTextArea*>(QString::fromLatin1(prefix) +
                                                                  QString::number(i)))
                area->SetZoom(zoom);
}

void TStudentMainForm::AZoomInExecute() {
    ApplyZoom(m_zoom + kZoomStep);
}

void TStudentMainForm::AZoomNormalExecute() {
    ApplyZoom(100);
}

void TStudentMainForm::AZoomOutExecute() {
    ApplyZoom(std::max(m_zoom - kZoomStep, kMinZoom));
}

void TStudentMainForm::AUseWindowSettingsExecute() {
    Settings& settings = m_controller->StationSettings();
    settings.IsUseWindowSettings = !settings.IsUseWindowSettings;
}

void TStudentMainForm::ASaveConfigOnExitExecute() {
    Settings& settings = m_controller->StationSettings();
    settings.IsSaveConfig = !settings.IsSaveConfig;
}

bool TStudentMainForm::ConfirmSettingsCommand(const char* question) {
    if (Engine().State() == ProgramState::TestRunning)
        return false;
    return m_controller->ShowMessageBox({TranslateText(question), TranslateText("Внимание!"),
                                         MessageIcon::Question, MessageButtons::YesNo}) ==
           MessageReply::Yes;
}

void TStudentMainForm::ASaveConfigNowExecute() {
    if (ConfirmSettingsCommand(N_("Вы желаете сохранить настройки программы сейчас?")))
        m_controller->SaveStationSettings();
}

void TStudentMainForm::ALoadConfigNowExecute() {
    if (ConfirmSettingsCommand(N_("Вы желаете загрузить настройки программы сейчас?")))
        m_controller->LoadStationSettings();
}

void TStudentMainForm::ASettingsExecute() {
    if (Engine().State() == ProgramState::TestRunning)
        return;
    UserStore store(m_controller->Places().UserStorePath);
    ServerClient& client = m_controller->Client();
    SettingsDialogServices services{m_controller->StationSettings(),
                                    store,
                                    *m_controller,
                                    [&client](const ServerAddress& address) {
                                        return client.TestConnection(address, ComputerName());
                                    },
                                    [this] { ASaveConfigNowExecute(); },
                                    [this] { ALoadConfigNowExecute(); },
                                    DesktopPlaces::ForCurrentUser(),
                                    m_controller->Places().ProgramDir};
    TStudentAdditionConfigForm::OpenSettings(this, services,
                                             [this] { return m_passwordForm->AskPassword(); });
}

// ---------------------------------------------------------------------------
// Information

void TStudentMainForm::ShowOpenedTestSummary() {
    const TTest* test = Engine().Test();
    RichTextArea* area = QuestionArea();
    if (test == nullptr || area == nullptr)
        return;
    WriteOpenedTestSummary(*test, Engine().Tasks().size(), *area);
    area->ZoomFrom(100);
    area->moveCursor(QTextCursor::Start);
    area->ensureCursorVisible();
}

void TStudentMainForm::ATestInfoExecute() {
    const TTest* test = Engine().Test();
    if (test == nullptr)
        return;
    TTestInfoForm::ShowTestInfo(this, *test, Engine().Tasks().size());
}

void TStudentMainForm::AHelpExecute() {
    // The user guide beside the program, in the desktop's browser; without
    // one nothing happens.
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(ToQt(m_controller->Places().DataDir) + kUserGuidePage));
}

void TStudentMainForm::AAboutExecute() {
    ShowMessageBox(this,
                   {TranslateText("TevrixStudent — станция тестирования учащихся.") + "\n" +
                        TranslateText("Версия") + " " +
                        QCoreApplication::applicationVersion().toStdString() + "\n" +
                        TranslateText("Лицензия: GPL-3.0-or-later.") + "\n" +
                        TranslateText("Авторы: команда TevrixStudent."),
                    TranslateText("О программе"), MessageIcon::Information, MessageButtons::Ok});
}

void TStudentMainForm::ALicenseExecute() {
    // The licence's text comes with the program.
    QFile file(ToQt(m_controller->Places().DataDir) + QStringLiteral("LICENSE"));
    if (!file.open(QIODevice::ReadOnly)) {
        ShowPlainMessage(this, TranslateText("Программа распространяется по лицензии "
                                             "GNU GPL версии 3 или более поздней."));
        return;
    }
    TTextViewForm::ShowTextViewer(this, RichText{file.readAll().toStdString()}, Tr("Лицензия"));
}

void TStudentMainForm::ADonateExecute() {
    ShowMessageBox(this, {TranslateText("TevrixStudent — свободная программа. Поддержать её можно, "
                                        "сообщая об ошибках, переводя её и рассказывая о ней "
                                        "другим учителям."),
                          TranslateText("Поддержать программу"), MessageIcon::Information,
                          MessageButtons::Ok});
}

// ---------------------------------------------------------------------------
// Showing and closing the window

void TStudentMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The least size is known only once the styles have been applied.
    if (!m_windowSettingsAtStart && size() != size().expandedTo(minimumSizeHint()))
        CentreOnScreen();
    // After the window is on screen, so the pupil sees what is being opened.
    const Settings& settings = m_controller->StationSettings();
    if (!m_startupFile.isEmpty())
        QTimer::singleShot(0, this, [this] { OpenTestFile(m_startupFile); });
    else if (settings.IsSendResult && settings.IsAutoGetTestFromStart)
        QTimer::singleShot(0, this, &TStudentMainForm::AGetTestExecute);
}

void TStudentMainForm::closeEvent(QCloseEvent* event) {
    // A test still loading is broken off first; the window closes when the
    // loading has returned.
    if (m_controller->Loading()) {
        m_closeAfterLoading = true;
        m_controller->CancelFetch();
        event->ignore();
        return;
    }
    if (!Engine().CloseProgram()) {
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
}

void TStudentMainForm::ShutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    SessionEngine& engine = Engine();
    engine.CloseTest();
    engine.LogProgramClose();
    if (m_controller->StationSettings().IsSaveConfig)
        m_controller->SaveStationSettings();
    m_controller->SaveRecentFiles();
    setAcceptDrops(false);
    // Last, so that the placement is the one the pupil left.
    if (m_controller->StationSettings().IsUseWindowSettings)
        m_windowSettings->Save();
}

} // namespace tevrix
