// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs of the demo test taken in the real window by clicks and keys,
// step by step as a `tvf simulate` script describes them: every kind of task
// answered right and wrong, a prompt, "Я не знаю...", skipping and the task
// list. The same script then runs headless with the same seed, and both runs
// must leave the same result log and protected result file, apart from the
// clock.

#include "ui/taskarea/TaskAreaFixture.h"
#include "ui/window/WindowFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

using namespace tevrix;
using tevrix::testing::kDemoTest;
using tevrix::testing::ModalScript;
using tevrix::testing::TaskAreaFixture;
using tevrix::testing::WindowFixture;

namespace {

constexpr uint32_t kSeed = 4242;

// The steps of a script, written as `tvf simulate` reads them.
QJsonArray Steps(const char* json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        qFatal("a step list is no JSON: %s", qPrintable(error.errorString()));
    return document.array();
}

// The answers to the nine tasks of the demo test, in the task's own order.
constexpr const char* kAllRight = R"([
    {"action": "answer", "value": 2},
    {"action": "answer", "value": [1, 3, 5]},
    {"action": "answer", "value": [2, 1, 4, 3]},
    {"action": "answer", "value": [2, 3, 1]},
    {"action": "answer", "value": ["да", "нет", "да"]},
    {"action": "answer", "value": ["3.14", "3"]},
    {"action": "answer", "value": "звонок"},
    {"action": "answer", "value": {"x": 120, "y": 90}},
    {"action": "answer", "value": "ЗЕМЛЯ"}])";
constexpr const char* kAllWrong = R"([
    {"action": "answer", "value": 4},
    {"action": "answer", "value": [2, 4]},
    {"action": "answer", "value": [1, 2, 3, 4]},
    {"action": "answer", "value": [1, 2, 3]},
    {"action": "answer", "value": ["нет", "да", "нет"]},
    {"action": "answer", "value": ["3.2", "4"]},
    {"action": "answer", "value": "гудок"},
    {"action": "answer", "value": {"x": 10, "y": 10}},
    {"action": "answer", "value": "МЕЗЛЯ"}])";
// A prompt on the first task; the second skipped, taken again from the task
// list after the third and answered wrong; the rest right.
constexpr const char* kPromptSkipAndList = R"([
    {"action": "prompt"},
    {"action": "answer", "value": 2},
    {"action": "skip"},
    {"action": "answer", "value": [2, 1, 4, 3]},
    {"action": "jump", "position": 2},
    {"action": "answer", "value": [1]},
    {"action": "answer", "value": [2, 3, 1]},
    {"action": "answer", "value": ["да", "нет", "да"]},
    {"action": "answer", "value": ["3.14", "3"]},
    {"action": "answer", "value": "колокол"},
    {"action": "answer", "value": {"x": 139, "y": 71}},
    {"action": "answer", "value": "ЗЕМЛЯ"}])";
// "Я не знаю..." twice (a test that penalises wrong answers), then the run
// stopped on the fourth task with one list chosen.
constexpr const char* kDoNotKnowAndStop = R"([
    {"action": "dontknow"},
    {"action": "answer", "value": [1, 3, 5]},
    {"action": "dontknow"},
    {"action": "enter", "value": [3, 0, 0]},
    {"action": "stop"}])";

} // namespace

class ScriptedPupilRunTest : public WindowFixture {
    Q_OBJECT

private:
    // The modal windows of a step, answered as `tvf simulate` answers them
    // when a step has no replies of its own: the question the pupil's own
    // command asks (a prompt, stopping) Yes, any other question No, a notice
    // OK; viewers are closed with OK.
    bool m_yesToNextQuestion = false;

    void Reply(QWidget& box) {
        auto* yes = box.findChild<QPushButton*>("YesButton");
        if (m_yesToNextQuestion && yes != nullptr) {
            m_yesToNextQuestion = false;
            QTest::mouseClick(yes, Qt::LeftButton);
            return;
        }
        DeclineOrConfirm(box);
    }

    const TTask& CurrentTask() const {
        const TResultTest& record = *m_window->Engine().Record();
        const int task = record.TaskOrder[size_t(record.CurrentPosition)];
        return m_window->Engine().Tasks()[size_t(task)];
    }
    // The slot that shows the task's variant `number` (from 1).
    int SlotOf(int number) const {
        const std::vector<int32_t>& order = m_window->Engine().Record()->VariantOrder;
        const auto found = std::find(order.begin(), order.end(), number - 1);
        if (found == order.end())
            qFatal("variant %d is not shown", number);
        return int(found - order.begin());
    }
    template <typename T> T* Control(const QString& name) const {
        T* control = m_window->findChild<T*>(name);
        if (control == nullptr || !control->isVisible())
            qFatal("no visible control %s", qPrintable(name));
        return control;
    }
    void Click(const QString& name) {
        auto* button = Control<QAbstractButton>(name);
        QVERIFY2(button->isEnabled(), qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
        Idle();
    }

    // Fills in the answer form of the task on screen with `value`, in the
    // notation of a simulate script.
    void Enter(const QJsonValue& value) {
        switch (CurrentTask().Kind) {
        case TaskKind::tkSingleChoice:
            Click(QString("VariantRadioButton%1").arg(SlotOf(value.toInt())));
            break;
        case TaskKind::tkMultipleChoice:
            for (const QJsonValue number : value.toArray())
                Click(QString("VariantCheckBox%1").arg(SlotOf(number.toInt())));
            break;
        case TaskKind::tkOrdering:
        case TaskKind::tkMatching: {
            const QJsonArray entries = value.toArray();
            for (int variant = 0; variant < entries.size(); ++variant) {
                if (entries[variant].toInt() == 0)
                    continue;
                auto* list =
                    Control<QComboBox>(QString("VariantComboBox%1").arg(SlotOf(variant + 1)));
                TaskAreaFixture::ChooseByMouse(list, entries[variant].toInt() - 1);
            }
            break;
        }
        case TaskKind::tkTrueFalse: {
            const QJsonArray entries = value.toArray();
            for (int variant = 0; variant < entries.size(); ++variant) {
                auto* list =
                    Control<QComboBox>(QString("VariantComboBox%1").arg(SlotOf(variant + 1)));
                TaskAreaFixture::ChooseByMouse(list, entries[variant].toString() == "да" ? 1 : 2);
            }
            break;
        }
        case TaskKind::tkNumberInput: {
            const QJsonArray numbers = value.toArray();
            for (int number = 0; number < numbers.size(); ++number) {
                auto* field = Control<QLineEdit>(QString("EditNum%1").arg(SlotOf(number + 1)));
                QTest::mouseClick(field, Qt::LeftButton);
                ModalScript::TypeText(field, numbers[number].toString());
            }
            break;
        }
        case TaskKind::tkTextInput: {
            auto* field = Control<QLineEdit>("EditInputText");
            QTest::mouseClick(field, Qt::LeftButton);
            ModalScript::TypeText(field, value.toString());
            break;
        }
        case TaskKind::tkPointOnImage: {
            const QJsonObject point = value.toObject();
            QTest::mouseClick(Control<QLabel>("Image"), Qt::LeftButton, {},
                              QPoint(point["x"].toInt(), point["y"].toInt()));
            break;
        }
        case TaskKind::tkComposeWord:
            TaskAreaFixture::ComposeByMouse(Control<TWordPanel>("WordPanel"), value.toString());
            break;
        default: QFAIL("a kind the demo test does not have");
        }
        Idle();
    }

    void Perform(const QJsonObject& step) {
        const QString action = step["action"].toString();
        if (action == "answer") {
            Enter(step["value"]);
            Click("BitBtnGoCheck");
        } else if (action == "enter") {
            Enter(step["value"]);
        } else if (action == "prompt") {
            m_yesToNextQuestion = true;
            Click("BitBtn2");
        } else if (action == "skip") {
            Click("BitBtnSkipping");
        } else if (action == "dontknow") {
            Click("BitBtnIDoNotKnow");
        } else if (action == "jump") {
            TaskAreaFixture::ChooseByMouse(Control<QComboBox>("ComboBoxEx1"),
                                           step["position"].toInt() - 1);
            Idle();
        } else if (action == "stop") {
            m_yesToNextQuestion = true;
            Action("AEndTest")->trigger();
            Idle();
        } else {
            QFAIL(qPrintable("a step the test does not take: " + action));
        }
    }

    // Both stations keep the protected result file as well as the log.
    static void WriteStationConfig(const QString& stationDir) {
        QFile file(stationDir + "TevrixStudent_Config.txt");
        if (!file.open(QIODevice::WriteOnly) ||
            file.write("[Save]\r\nIsSaveResult=1\r\nIsSaveProtectionResult=1\r\n") < 0)
            qFatal("cannot write the configuration file");
    }

    // Runs `tvf simulate` on the test with `steps` in a station folder of its
    // own; the folder.
    QString Simulate(const QString& test, const QJsonArray& steps) {
        const QString station = m_dir->filePath("simulated");
        QDir().mkpath(station);
        WriteStationConfig(station + '/');
        const QJsonObject script{
            {"seed", qint64(kSeed)}, {"name", "Иванов Иван"}, {"group", "10 А"}, {"steps", steps}};
        const QString scriptPath = m_dir->filePath("run.json");
        QFile file(scriptPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(script).toJson()) < 0 ||
            !file.flush())
            qFatal("cannot write the script");
        QProcess tvf;
        tvf.start(TEVRIX_TVF, {"simulate", test, "--script", scriptPath, "--station", station});
        if (!tvf.waitForFinished(60000) || tvf.exitCode() != 0)
            qFatal("tvf simulate failed: %s", tvf.readAllStandardError().constData());
        return station + '/';
    }

    // The runs of a protected result file as `tvf results --json` lists them.
    static QJsonArray ProtectedRuns(const QString& stationDir) {
        const QStringList files = QDir(stationDir).entryList({"*.tvpr"}, QDir::Files);
        if (files.size() != 1)
            qFatal("%lld protected result files in %s", qlonglong(files.size()),
                   qPrintable(stationDir));
        QProcess tvf;
        tvf.start(TEVRIX_TVF, {"results", stationDir + files.first(), "--json"});
        if (!tvf.waitForFinished(60000) || tvf.exitCode() != 0)
            qFatal("tvf results failed: %s", tvf.readAllStandardError().constData());
        return QJsonDocument::fromJson(tvf.readAllStandardOutput()).object()["Runs"].toArray();
    }

    // The result log with every date, time of day and duration blanked.
    static QStringList LogWithoutClock(const QString& stationDir) {
        QFile file(stationDir + "TevrixStudent_Result.txt");
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no result log in %s", qPrintable(stationDir));
        QString log = QString::fromStdString(Cp1251ToUtf8(file.readAll().toStdString()));
        static const QRegularExpression date(R"(\d\d\.\d\d\.\d{4})");
        static const QRegularExpression time(R"(\d\d:\d\d:\d\d)");
        log.replace(date, "<date>").replace(time, "<time>");
        return log.split("\r\n");
    }

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    void runMatchesTheSimulation_data() {
        QTest::addColumn<bool>("penalizeWrong");
        QTest::addColumn<QJsonArray>("steps");
        QTest::addColumn<QString>("resultMask"); // per task of the test, in file order
        QTest::addColumn<int>("noAnswer");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<double>("score");
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("endReason");
        const int finished = int(RunEndReason::Finished);
        QTest::newRow("every kind right")
            << false << Steps(kAllRight) << "1) + 2) + 3) + 4) + 5) + 6) + 7) + 8) + 9) + " << 0
            << 0 << 15.0 << 5 << finished;
        QTest::newRow("every kind wrong")
            << false << Steps(kAllWrong) << "1) - 2) - 3) - 4) - 5) - 6) - 7) - 8) - 9) - " << 0
            << 0 << 0.0 << 2 << finished;
        QTest::newRow("a prompt, a skip and the task list")
            << false << Steps(kPromptSkipAndList) << "1) + 2) - 3) + 4) + 5) + 6) + 7) + 8) + 9) + "
            << 0 << 1 << 13.2 << 5 << finished;
        QTest::newRow("I do not know, then stopped")
            << true << Steps(kDoNotKnowAndStop) << "1) - 2) + 3) - 4) - 5) * 6) * 7) * 8) * 9) * "
            << 2 << 0 << -1.0 << 0 << int(RunEndReason::Stopped);
    }
    void runMatchesTheSimulation() {
        QFETCH(bool, penalizeWrong);
        QFETCH(QJsonArray, steps);
        QFETCH(QString, resultMask);
        QFETCH(int, noAnswer);
        QFETCH(int, prompts);
        QFETCH(double, score);
        QFETCH(int, mark);
        QFETCH(int, endReason);
        const QString test =
            penalizeWrong ? WriteDemoVariant([](TTest& t, TTaskList&) { t.PenalizeWrong = true; })
                          : kDemoTest;
        // A window of its own, that reads the configuration and starts the log.
        m_window.reset();
        WriteStationConfig(StationDir());
        QFile::remove(StationDir() + "TevrixStudent_Result.txt");
        SetUpWindow();
        QVERIFY(m_window->OpenTestFile(test));
        m_window->Controller().FixRandomSeed(kSeed);
        BeginRun();
        ModalScript script;
        script.Always("MessageBox", [this](QWidget& box) { Reply(box); });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        for (const QJsonValue step : steps) {
            QCOMPARE(State(), ProgramState::TestRunning);
            Perform(step.toObject());
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(State(), ProgramState::TestLoaded);

        const TResultTest* result = m_window->Engine().LastResult();
        QVERIFY(result != nullptr);
        QCOMPARE(QString::fromStdString(result->ResultMaskText()), resultMask);
        QCOMPARE(result->NoAnswerCount, noAnswer);
        QCOMPARE(result->PromptCount, prompts);
        QCOMPARE(result->Score, score);
        QCOMPARE(result->Mark, mark);
        QCOMPARE(int(result->EndReason), endReason);

        const QString simulated = Simulate(test, steps);
        const QStringList guiLog = LogWithoutClock(StationDir());
        const QStringList simulatedLog = LogWithoutClock(simulated);
        for (qsizetype line = 0; line < std::min(guiLog.size(), simulatedLog.size()); ++line)
            QCOMPARE(guiLog[line], simulatedLog[line]);
        QCOMPARE(guiLog.size(), simulatedLog.size());

        const QJsonArray guiRuns = ProtectedRuns(StationDir());
        const QJsonArray simulatedRuns = ProtectedRuns(simulated);
        QCOMPARE(guiRuns.size(), 1);
        QCOMPARE(simulatedRuns.size(), 1);
        const QJsonObject gui = guiRuns[0].toObject();
        const QJsonObject headless = simulatedRuns[0].toObject();
        QCOMPARE(gui.keys(), headless.keys());
        const QStringList clock{"TimeBegin", "TimeEnd", "ResultDate", "Duration", "TimeMask"};
        for (const QString& key : gui.keys()) {
            if (clock.contains(key))
                continue;
            QVERIFY2(gui[key] == headless[key],
                     qPrintable(key + ": " + QJsonDocument(QJsonArray{gui[key]}).toJson() + " / " +
                                QJsonDocument(QJsonArray{headless[key]}).toJson()));
        }
    }
};

QTEST_MAIN(ScriptedPupilRunTest)
#include "ScriptedPupilRunTest.moc"
