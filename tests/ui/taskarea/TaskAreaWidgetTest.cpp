// SPDX-License-Identifier: GPL-3.0-or-later
// The task area driven by a pupil's clicks and keys: every kind answered and
// read back as the evaluation takes it, and the rules of the answer forms.
#include "TaskAreaFixture.h"
#include "rules/AnswerEvaluation.h"
#include "support/TaskBuilders.h"
#include "text/TextLocale.h"
#include "ui/richtext/QuestionPicture.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/taskarea/ShowQuestionImageForm.h"
#include "ui/taskarea/VariantGrid.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>

#include <functional>

namespace tevrix {

using testing::TaskAreaFixture;

namespace {

// Counts the key presses that reach a control.
class KeyRecorder : public QObject {
public:
    int Presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++Presses;
        return false;
    }
};

struct AnswerCase {
    const char* Name;
    std::function<TTask()> MakeTask;
    std::vector<int32_t> Order;
    bool Picture = false;
    std::function<void(TaskAreaFixture&)> Input;
    QString Expected; // "word:" + the shuffled word when empty
    bool AllRight = false;
};

TTask ThreeVariants(TaskKind kind, std::initializer_list<int> values) {
    return testing::VariantTask(kind, values);
}

const std::vector<AnswerCase>& AnswerCases() {
    using F = TaskAreaFixture;
    static const std::vector<AnswerCase> cases = {
        // Slot s shows variant Order[s]: the right variant 1 is in slot 2.
        {"1 mouse right",
         [] {
             return ThreeVariants(TaskKind::tkSingleChoice, {0, 1, 0});
         },
         {2, 0, 1},
         false,
         [](F& f) { QTest::mouseClick(f.Radio(2), Qt::LeftButton); },
         "single:2",
         true},
        {"1 keys wrong",
         [] {
             return ThreeVariants(TaskKind::tkSingleChoice, {0, 1, 0});
         },
         {2, 0, 1},
         false,
         [](F& f) { f.Type("1"); },
         "single:0",
         false},
        {"1 untouched",
         [] {
             return ThreeVariants(TaskKind::tkSingleChoice, {0, 1, 0});
         },
         {},
         false,
         nullptr,
         "single:none",
         false},
        {"2 mouse right",
         [] {
             return ThreeVariants(TaskKind::tkMultipleChoice, {1, 0, 1});
         },
         {},
         false,
         [](F& f) {
             QTest::mouseClick(f.Check(0), Qt::LeftButton);
             QTest::mouseClick(f.Check(2), Qt::LeftButton);
         },
         "ticked:1,0,1",
         true},
        {"2 keys wrong",
         [] {
             return ThreeVariants(TaskKind::tkMultipleChoice, {1, 0, 1});
         },
         {},
         false,
         [](F& f) { f.Type("2"); },
         "ticked:0,1,0",
         false},
        {"2 untouched",
         [] {
             return ThreeVariants(TaskKind::tkMultipleChoice, {1, 0, 1});
         },
         {},
         false,
         nullptr,
         "ticked:0,0,0",
         false},
        {"3 mouse right",
         [] {
             return ThreeVariants(TaskKind::tkOrdering, {2, 3, 1});
         },
         {},
         false,
         [](F& f) {
             F::ChooseByMouse(f.List(0), 1);
             F::ChooseByMouse(f.List(1), 2);
             F::ChooseByMouse(f.List(2), 0);
         },
         "entries:1,2,0",
         true},
        {"3 keys right",
         [] {
             return ThreeVariants(TaskKind::tkOrdering, {2, 3, 1});
         },
         {},
         false,
         [](F& f) { f.Type("112223"); },
         "entries:1,2,0",
         true},
        {"3 untouched",
         [] {
             return ThreeVariants(TaskKind::tkOrdering, {2, 3, 1});
         },
         {},
         false,
         nullptr,
         "entries:-1,-1,-1",
         false},
        {"4 mouse right",
         [] {
             return testing::MatchingTask({2, 3, 1}, 3);
         },
         {},
         false,
         [](F& f) {
             F::ChooseByMouse(f.List(0), 1);
             F::ChooseByMouse(f.List(1), 2);
             F::ChooseByMouse(f.List(2), 0);
         },
         "entries:1,2,0",
         true},
        {"4 keys wrong",
         [] {
             return testing::MatchingTask({2, 3, 1}, 3);
         },
         {},
         false,
         [](F& f) { f.Type("1"); },
         "entries:0,-1,-1",
         false},
        {"5 keys right",
         [] {
             return ThreeVariants(TaskKind::tkTrueFalse, {1, 2, 1});
         },
         {},
         false,
         [](F& f) { f.Type("1122233"); },
         "entries:1,2,1",
         true},
        {"5 mouse wrong",
         [] {
             return ThreeVariants(TaskKind::tkTrueFalse, {1, 2, 1});
         },
         {},
         false,
         [](F& f) { F::ChooseByMouse(f.List(0), 2); },
         "entries:2,-1,-1",
         false},
        {"6 keys right",
         [] {
             return testing::NumberTask({{1.5, 1.5}, {2, 3}}, true, {"x =", "y ="});
         },
         {},
         false,
         [](F& f) {
             f.Type("1.5");
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             f.Type("2");
         },
         "numbers:1,5|2",
         true},
        {"6 mouse wrong",
         [] {
             return testing::NumberTask({{1.5, 1.5}, {2, 3}}, true);
         },
         {},
         false,
         [](F& f) {
             QTest::mouseClick(f.NumberField(1), Qt::LeftButton);
             f.Type("9");
         },
         "numbers:|9",
         false},
        {"7 keys right",
         [] { return testing::TextTask("abc"); },
         {},
         false,
         [](F& f) { f.Type(" abc "); },
         "text:[ abc ]",
         true},
        {"7 untouched",
         [] { return testing::TextTask("abc"); },
         {},
         false,
         nullptr,
         "text:[]",
         false},
        {"8 mouse right",
         [] {
             return testing::PointTask({{10, 10, 100, 100}});
         },
         {},
         true,
         [](F& f) { QTest::mouseClick(f.Image(), Qt::LeftButton, {}, QPoint(40, 50)); },
         "point:40,50",
         true},
        {"8 mouse wrong",
         [] {
             return testing::PointTask({{10, 10, 100, 100}});
         },
         {},
         true,
         [](F& f) { QTest::mouseClick(f.Image(), Qt::LeftButton, {}, QPoint(150, 120)); },
         "point:150,120",
         false},
        {"8 untouched",
         [] {
             return testing::PointTask({{10, 10, 100, 100}});
         },
         {},
         true,
         nullptr,
         "point:none",
         false},
        {"9 mouse right",
         [] { return testing::WordTask("ЗЕМЛЯ"); },
         {},
         false,
         [](F& f) { f.ComposeByMouse("ЗЕМЛЯ"); },
         "word:ЗЕМЛЯ",
         true},
        {"9 keys right",
         [] { return testing::WordTask("ЗЕМЛЯ"); },
         {},
         false,
         [](F& f) { f.ComposeByKeyboard("ЗЕМЛЯ"); },
         "word:ЗЕМЛЯ",
         true},
        {"9 untouched", [] { return testing::WordTask("ЗЕМЛЯ"); }, {}, false, nullptr, {}, false},
    };
    return cases;
}

} // namespace

class TaskAreaWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TaskAreaFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void AnswersReadBack_data();
    void AnswersReadBack();
    void OrderingConflictBlocksTheCheck();
    void DigitKeys_data();
    void DigitKeys();
    void DigitKeyOfADisabledSlotReachesTheFocusedControl();
    void NumberFilter_data();
    void NumberFilter();
    void PastedTextIsNotFiltered();
    void PointWithThePictureScrolled();
    void RightClickOnThePictureDoesNothing();
    void GridRowsAndColumns_data();
    void GridRowsAndColumns();
    void ListsWithTheWindowSettingsMargins_data();
    void ListsWithTheWindowSettingsMargins();
    void NumberFieldsCentredInTheirArea();
    void TabOrderFollowsTheScreen();
    void GridFollowsTheSplitter();
    void ZoomReachesEveryText();
    void PromptLine_data();
    void PromptLine();
    void IdleState();
    void MissingPictureLeavesNoPicture();
    void PointTaskWithoutPictureCannotBeAnswered();
    void RightAnswerColoursAndTheirRestoring();
    void RightAnswerAreasOnThePicture();
    void LinksDoNotOpen();
    void CommandsComeOutAsSignals();
    void MediaPanelOnlyForATaskWithMedia();
    void AreaOfFocusOnlyDuringARun();
    void EnlargedPicture();
    void RedrawingSuspendedWhileATaskIsBuilt();

private:
    TaskAreaFixture& F() { return *m_fixture; }
    std::unique_ptr<TaskAreaFixture> m_fixture;
};

void TaskAreaWidgetTest::AnswersReadBack_data() {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < AnswerCases().size(); ++i)
        QTest::newRow(AnswerCases()[i].Name) << int(i);
}

void TaskAreaWidgetTest::AnswersReadBack() {
    QFETCH(int, index);
    const AnswerCase& c = AnswerCases()[size_t(index)];
    const std::string picture =
        c.Picture ? F().WritePicture("picture.png", QSize(200, 150)) : std::string();
    F().Show(c.MakeTask(), c.Order, picture);
    QVERIFY(!F().Area->CheckEnabled());
    if (c.Input)
        c.Input(F());
    QString expected = c.Expected;
    if (expected.isEmpty()) {
        testing::ScriptedRandom same{{3, 1, 4, 1, 5, 9, 2, 6}};
        expected = "word:" + TWordPanel::ShuffleWord(QString::fromStdString(F().Task.Word), same);
        QVERIFY(expected != "word:" + QString::fromStdString(F().Task.Word));
    }
    const EnteredAnswer answer = F().Area->ReadAnswer(F().Task);
    QCOMPARE(TaskAreaFixture::Describe(answer), expected);
    TextLocale locale;
    locale.DecimalSeparator = ',';
    QCOMPARE(EvaluateAnswer(F().Task, F().Order, answer, locale).AllRight, c.AllRight);
    // Touching the answer enables the check; an untouched form leaves it off.
    QCOMPARE(F().Area->CheckEnabled(), bool(c.Input));
}

void TaskAreaWidgetTest::OrderingConflictBlocksTheCheck() {
    F().Show(testing::VariantTask(TaskKind::tkOrdering, {1, 2, 3}));
    const auto mark = [this](int slot) {
        return F().Find<QLabel>(QStringLiteral("VariantLabel1_%1").arg(slot))->text();
    };
    TaskAreaFixture::ChooseByMouse(F().List(0), 1);
    QVERIFY(F().Area->CheckEnabled());
    TaskAreaFixture::ChooseByMouse(F().List(2), 1);
    QCOMPARE(mark(0), QString("?"));
    QCOMPARE(mark(1), QString());
    QCOMPARE(mark(2), QString("?"));
    QVERIFY(!F().Area->CheckEnabled());
    QVERIFY(!F().CheckButton()->isEnabled());
    TaskAreaFixture::ChooseByMouse(F().List(2), 2);
    QCOMPARE(mark(0), QString());
    QCOMPARE(mark(2), QString());
    QVERIFY(F().Area->CheckEnabled());
}

void TaskAreaWidgetTest::DigitKeys_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variants");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 is the tenth slot") << 1 << 10 << true << "0"
                                         << "single:9";
    QTest::newRow("9 is the ninth slot") << 1 << 10 << true << "9"
                                         << "single:8";
    QTest::newRow("a second digit moves the choice") << 1 << 4 << true << "14"
                                                     << "single:3";
    QTest::newRow("0 with four variants") << 1 << 4 << true << "0"
                                          << "single:none";
    QTest::newRow("not during a run") << 1 << 4 << false << "1"
                                      << "single:none";
    QTest::newRow("tick and untick") << 2 << 3 << true << "232"
                                     << "ticked:0,0,1";
    QTest::newRow("true/false blank") << 5 << 2 << true << "1"
                                      << "entries:0,-1";
    QTest::newRow("true/false yes") << 5 << 2 << true << "11"
                                    << "entries:1,-1";
    QTest::newRow("true/false no") << 5 << 2 << true << "111"
                                   << "entries:2,-1";
    QTest::newRow("true/false wraps round") << 5 << 2 << true << "1111"
                                            << "entries:0,-1";
    QTest::newRow("ordering wraps round") << 3 << 3 << true << "3333"
                                          << "entries:-1,-1,0";
    QTest::newRow("matching runs over the right-hand items") << 4 << 2 << true << "111"
                                                             << "entries:2,-1";
}

void TaskAreaWidgetTest::DigitKeys() {
    QFETCH(int, kind);
    QFETCH(int, variants);
    QFETCH(bool, running);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    TTask task = testing::VariantTask(TaskKind(kind), {});
    for (int i = 0; i < variants; ++i)
        task.Variants[size_t(i)].Bytes = std::string(1, char('A' + i));
    if (task.Kind == TaskKind::tkMatching)
        for (int r = 0; r < 4; ++r)
            task.Matches[size_t(r)].Bytes = std::string(1, char('a' + r));
    F().Show(task);
    F().Area->SetRunning(running);
    F().Type(keys);
    QCOMPARE(TaskAreaFixture::Describe(F().Area->ReadAnswer(F().Task)), expected);
}

void TaskAreaWidgetTest::DigitKeyOfADisabledSlotReachesTheFocusedControl() {
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0, 0, 0}));
    KeyRecorder recorder;
    QWidget* focused = F().Area->findChild<RichTextArea*>("QuestionText");
    focused->installEventFilter(&recorder);
    F().Type("0", focused);
    QCOMPARE(recorder.Presses, 1);
    F().Type("1", focused);
    QCOMPARE(recorder.Presses, 1); // consumed by the area
    QVERIFY(F().Radio(0)->isChecked());
    QVERIFY(F().CheckButton()->hasFocus());
}

void TaskAreaWidgetTest::NumberFilter_data() {
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("full stop becomes comma") << ","
                                             << "1.5"
                                             << "1,5" << 0;
    QTest::newRow("comma stays") << ","
                                 << "1,5"
                                 << "1,5" << 0;
    QTest::newRow("comma becomes full stop") << "."
                                             << "1,5"
                                             << "1.5" << 0;
    QTest::newRow("second separator refused") << ","
                                              << "1,5.2"
                                              << "1,52" << 1;
    QTest::newRow("minus first") << ","
                                 << "-1"
                                 << "-1" << 0;
    QTest::newRow("minus after a digit refused") << ","
                                                 << "1-"
                                                 << "1" << 1;
    QTest::newRow("second minus refused") << ","
                                          << "--1"
                                          << "-1" << 1;
    QTest::newRow("letters and blanks refused") << ","
                                                << "1a 2"
                                                << "12" << 2;
}

void TaskAreaWidgetTest::NumberFilter() {
    QFETCH(QString, separator);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    F().Area->SetDecimalSeparator(separator.front());
    F().Show(testing::NumberTask({{1, 2}}, true));
    F().Type(typed, F().NumberField(0));
    QCOMPARE(F().NumberField(0)->text(), expected);
    QCOMPARE(F().Beeps, beeps);
}

void TaskAreaWidgetTest::PastedTextIsNotFiltered() {
    F().Show(testing::NumberTask({{1, 2}}, true));
    QApplication::clipboard()->setText("abc");
    if (QApplication::clipboard()->text() != "abc")
        QSKIP("no clipboard on this platform");
    QTest::keyClick(F().NumberField(0), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(F().NumberField(0)->text(), QString("abc"));
    QCOMPARE(F().Beeps, 0);
}

void TaskAreaWidgetTest::PointWithThePictureScrolled() {
    const std::string picture = F().WritePicture("large.png", QSize(1600, 1200));
    F().Show(testing::PointTask({{300, 200, 400, 300}}), {}, picture);
    auto* scroll = F().Find<QScrollArea>("PanelImgRect");
    QVERIFY(scroll->horizontalScrollBar()->maximum() > 300);
    scroll->horizontalScrollBar()->setValue(300);
    scroll->verticalScrollBar()->setValue(200);
    QCoreApplication::processEvents();
    // The pupil clicks 50, 60 pixels into the visible part of the picture.
    const QPoint onImage = F().Image()->mapFrom(scroll->viewport(), QPoint(50, 60));
    QTest::mouseClick(F().Image(), Qt::LeftButton, {}, onImage);
    QCOMPARE(TaskAreaFixture::Describe(F().Area->ReadAnswer(F().Task)), QString("point:350,260"));
    QWidget* marker = F().Find<QWidget>("ShapePoint");
    QVERIFY(marker->isVisible());
    QCOMPARE(marker->size(), QSize(11, 11));
    QCOMPARE(marker->mapTo(scroll->viewport(), QPoint(5, 5)), QPoint(50, 60));
    TextLocale locale;
    QVERIFY(EvaluateAnswer(F().Task, F().Order, F().Area->ReadAnswer(F().Task), locale).AllRight);
    // A new click moves the one marker.
    QTest::mouseClick(F().Image(), Qt::LeftButton, {}, onImage + QPoint(7, 3));
    QCOMPARE(TaskAreaFixture::Describe(F().Area->ReadAnswer(F().Task)), QString("point:357,263"));
}

void TaskAreaWidgetTest::RightClickOnThePictureDoesNothing() {
    F().Show(testing::PointTask({}), {}, F().WritePicture("p.png", QSize(100, 100)));
    QTest::mouseClick(F().Image(), Qt::RightButton, {}, QPoint(20, 20));
    QCOMPARE(TaskAreaFixture::Describe(F().Area->ReadAnswer(F().Task)), QString("point:none"));
    QVERIFY(!F().Find<QWidget>("ShapePoint")->isVisible());
    QVERIFY(!F().Area->CheckEnabled());
}

void TaskAreaWidgetTest::GridRowsAndColumns_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variants");
    QTest::addColumn<int>("matches");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("widths"); // the Text and Match columns computed below
    QTest::newRow("one choice of 2 uses 4 rows")
        << 1 << 2 << 0 << 4 << QList<int>{20, 40, 0, 0, 0, 0, 0};
    QTest::newRow("several of 7") << 2 << 7 << 0 << 7 << QList<int>{20, 0, 40, 0, 0, 0, 0};
    QTest::newRow("ordering of 10") << 3 << 10 << 0 << 10 << QList<int>{20, 0, 0, 40, 0, 0, 0};
    QTest::newRow("matching 3 to 5 uses 5 rows")
        << 4 << 3 << 5 << 5 << QList<int>{20, 0, 0, 40, 0, 20, -1};
    QTest::newRow("true/false of 5") << 5 << 5 << 0 << 5 << QList<int>{20, 0, 0, 40, 0, 0, 0};
}

void TaskAreaWidgetTest::GridRowsAndColumns() {
    QFETCH(int, kind);
    QFETCH(int, variants);
    QFETCH(int, matches);
    QFETCH(int, rows);
    QFETCH(QList<int>, widths);
    TTask task = testing::VariantTask(TaskKind(kind), {});
    for (int i = 0; i < variants; ++i)
        task.Variants[size_t(i)].Bytes = "variant " + std::to_string(i);
    for (int r = 0; r < matches; ++r)
        task.Matches[size_t(r)].Bytes = "match " + std::to_string(r);
    F().Show(task);
    auto* grid = F().Find<VariantGrid>("GridPanel");
    QCOMPARE(grid->RowsInUse(), rows);
    const auto laidOut = grid->LaidOutWidths();
    const int width = grid->width();
    for (int c : {0, 1, 2, 5})
        QCOMPARE(laidOut[size_t(c)], widths[c]);
    // The lists' column is at least its width, and wide enough for every
    // list to show its longest entry whole.
    const int lists = laidOut[3];
    if (widths[3] == 0) {
        QCOMPARE(lists, 0);
    } else {
        QVERIFY(lists >= widths[3]);
        for (int i = 0; i < variants; ++i) {
            auto* list = F().Find<QComboBox>(QStringLiteral("VariantComboBox%1").arg(i));
            QVERIFY(list->width() >= list->sizeHint().width());
        }
    }
    if (widths[6] < 0) {
        QCOMPARE(laidOut[6], (width - 20 - lists - 20 - 10) / 2);
        QCOMPARE(laidOut[4], width - 20 - lists - 20 - laidOut[6]);
    } else {
        QCOMPARE(laidOut[6], 0);
        QCOMPARE(laidOut[4], width - widths[0] - widths[1] - widths[2] - lists);
    }
    // Rows in use share the height; the rest have none.
    for (int i = 0; i < VariantGrid::kRows; ++i) {
        auto* text = F().Find<RichTextArea>(QStringLiteral("VariantRE_1_%1").arg(i));
        if (i < rows) {
            QVERIFY(text->isVisible());
            QVERIFY(qAbs(text->height() + 2 - grid->height() / rows) <= 1);
            QCOMPARE(text->isEnabled(), i < variants);
        } else {
            QVERIFY(!text->isVisible());
        }
    }
    if (kind == 1)
        for (int i = variants; i < rows; ++i) {
            QVERIFY(F().Radio(i)->isVisible());
            QVERIFY(!F().Radio(i)->isEnabled());
        }
    if (kind >= 3) {
        QStringList entries;
        for (int e = 0; e < F().List(0)->count(); ++e)
            entries.append(F().List(0)->itemText(e));
        const int expected = kind == 3 ? variants : kind == 4 ? matches : 3;
        QCOMPARE(entries.size(), expected);
        QCOMPARE(entries.first(), kind == 5 ? QString() : QString("1"));
        QCOMPARE(entries.last(), kind == 5 ? QString("Нет") : QString::number(expected));
        QCOMPARE(F().List(0)->currentIndex(), -1);
    }
    if (kind == 4)
        for (int r = 0; r < matches; ++r) {
            QCOMPARE(F().Find<QLabel>(QStringLiteral("VariantLabel2_%1").arg(r))->text(),
                     QString::number(r + 1));
            auto* match = F().Find<RichTextArea>(QStringLiteral("VariantRE_2_%1").arg(r));
            QCOMPARE(match->toPlainText(), QStringLiteral("match %1").arg(r));
            QVERIFY(match->isVisible());
        }
}

void TaskAreaWidgetTest::ListsWithTheWindowSettingsMargins_data() {
    QTest::addColumn<bool>("windowSettings");
    QTest::newRow("grid's own centring") << false;
    QTest::newRow("window settings margins") << true;
}

void TaskAreaWidgetTest::ListsWithTheWindowSettingsMargins() {
    QFETCH(bool, windowSettings);
    F().Area->SetUseWindowSettings(windowSettings);
    F().Show(testing::VariantTask(TaskKind::tkOrdering, {1, 2, 3, 4, 5, 6}));
    auto* grid = F().Find<VariantGrid>("GridPanel");
    const int rows = grid->RowsInUse();
    QCOMPARE(rows, 6);
    for (int i = 0; i < rows; ++i) {
        QComboBox* list = F().List(i);
        const int rowTop = i * grid->height() / rows;
        const int rowHeight = (i + 1) * grid->height() / rows - rowTop;
        const int expected = windowSettings ? (grid->height() / rows) / 2 - list->height() / 2 - 1
                                            : (rowHeight - list->height()) / 2;
        QCOMPARE(list->y() - rowTop, expected);
    }
}

void TaskAreaWidgetTest::NumberFieldsCentredInTheirArea() {
    F().Show(testing::NumberTask({{1, 2}, {3, 4}, {5, 6}}, true, {"a", "b", "c"}));
    auto* area = F().Find<QWidget>("PanelInputNum");
    auto* grid = F().Find<QWidget>("GridPanelNum");
    QCOMPARE(grid->height(), 90);
    QCOMPARE(grid->y(), (area->height() - grid->height()) / 2);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(F().NumberField(i)->isVisible(), i < 3);
    QCOMPARE(F().Find<QLabel>("LabelNum2")->text(), QString("c"));
    QCOMPARE(F().NumberField(2)->accessibleName(), QString("c"));
    QVERIFY(F().NumberField(0)->hasFocus());
}

void TaskAreaWidgetTest::TabOrderFollowsTheScreen() {
    TTask task = testing::MatchingTask({1, 2, 3}, 3);
    F().Area->SetRunActions(true, true);
    F().Show(task);
    // The controls Tab reaches, in the order it reaches them, from the
    // question text on.
    QList<QWidget*> chain;
    QWidget* start = F().Find<QWidget>("QuestionText");
    QWidget* widget = start;
    do {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            F().Area->isAncestorOf(widget))
            chain.append(widget);
        widget = widget->nextInFocusChain();
    } while (widget != start && chain.size() < 100);
    QStringList names;
    for (QWidget* control : chain)
        names.append(control->objectName());
    QCOMPARE(names,
             QStringList({"QuestionText", "VariantComboBox0", "VariantRE_1_0", "VariantRE_2_0",
                          "VariantComboBox1", "VariantRE_1_1", "VariantRE_2_1", "VariantComboBox2",
                          "VariantRE_1_2", "VariantRE_2_2", "BitBtnSkipping", "BitBtnIDoNotKnow"}));
}

void TaskAreaWidgetTest::GridFollowsTheSplitter() {
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0, 0, 0, 0}));
    auto* splitter = F().Find<QSplitter>("Splitter2");
    auto* grid = F().Find<VariantGrid>("GridPanel");
    const int before = grid->height();
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] + 100, sizes[1] - 100});
    QCoreApplication::sendPostedEvents();
    QTRY_COMPARE(grid->height(), before - 100);
    auto* last = F().Find<RichTextArea>("VariantRE_1_4");
    QCOMPARE(last->geometry().bottom() + 2, grid->height()); // the rows fill the new height
}

void TaskAreaWidgetTest::ZoomReachesEveryText() {
    F().Area->SetZoom(150);
    F().Show(testing::MatchingTask({1, 2}, 2));
    const QList<RichTextArea*> areas = F().Area->findChildren<RichTextArea*>();
    QCOMPARE(areas.size(), 21);
    for (RichTextArea* area : areas)
        QCOMPARE(area->Zoom(), 150);
    const qreal zoomed =
        F().Find<RichTextArea>("VariantRE_1_0")->document()->defaultFont().pointSizeF();
    F().Area->SetZoom(100);
    QCOMPARE(F().Area->Zoom(), 100);
    QVERIFY(
        qAbs(F().Find<RichTextArea>("VariantRE_1_0")->document()->defaultFont().pointSizeF() * 1.5 -
             zoomed) < 0.01);
}

void TaskAreaWidgetTest::PromptLine_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("line");
    QTest::newRow("1") << 1 << "Выберите один из 3 вариантов ответа:";
    QTest::newRow("2") << 2 << "Выберите несколько из 3 вариантов ответа:";
    QTest::newRow("3") << 3 << "Укажите порядок следования всех 3 вариантов ответа:";
    QTest::newRow("4") << 4 << "Укажите соответствие для всех 3 вариантов ответа:";
    QTest::newRow("5") << 5 << "Укажите истинность или ложность для 3 вариантов ответа:";
    QTest::newRow("6") << 6 << "Введите число:";
    QTest::newRow("7") << 7 << "Введите ответ:";
    QTest::newRow("8") << 8 << "Укажите место на изображении:";
    QTest::newRow("9") << 9 << "Составьте слово:";
}

void TaskAreaWidgetTest::PromptLine() {
    QFETCH(int, kind);
    QFETCH(QString, line);
    TTask task = testing::VariantTask(TaskKind(kind), {1, 0, 0});
    if (kind == 4)
        task.Matches[0].Bytes = "m";
    if (kind == 9)
        task.Word = "ДОМ";
    F().Show(task);
    QCOMPARE(F().Find<QLabel>("VariantLabel")->text(), line);
    QCOMPARE(F().Find<QLabel>("QuestionLabel")->text(), QString("Вопрос # 1 из 9:"));
    // Only the form of the kind is on screen.
    const QStringList forms = {"PanelVariant",   "PanelVariant", "PanelVariant",
                               "PanelVariant",   "PanelVariant", "PanelInputNum",
                               "PanelInputText", "PanelImgRect", "WordPanel"};
    for (const char* form :
         {"PanelVariant", "PanelInputNum", "PanelInputText", "PanelImgRect", "WordPanel"})
        QCOMPARE(F().Find<QWidget>(form)->isVisible(), QString(form) == forms[kind - 1]);
}

void TaskAreaWidgetTest::IdleState() {
    F().Area->SetRunActions(true, true);
    F().Show(testing::VariantTask(TaskKind::tkMultipleChoice, {1, 0}));
    F().Area->ResetTaskArea();
    QCOMPARE(F().Find<QLabel>("QuestionLabel")->text(), QString("Информация"));
    QCOMPARE(F().Find<QLabel>("VariantLabel")->text(),
             QString("Выберите один из 5 вариантов ответа:"));
    QVERIFY(F().Find<QWidget>("PanelVariant")->isVisible());
    QVERIFY(!F().Find<QWidget>("PanelVariant")->isEnabled());
    QCOMPARE(F().Find<VariantGrid>("GridPanel")->RowsInUse(), 5);
    QVERIFY(F().Radio(0)->isVisible());
    QVERIFY(!F().Check(0)->isVisible());
    for (const char* hidden :
         {"PanelInputNum", "PanelInputText", "PanelImgRect", "WordPanel", "PanelPromptTask",
          "PanelGoToTask", "PanelMedia", "BitBtnSkipping", "BitBtnIDoNotKnow"})
        QVERIFY2(!F().Find<QWidget>(hidden)->isVisible(), hidden);
    QVERIFY(F().Find<RichTextArea>("QuestionText")->toPlainText().isEmpty());
    F().Area->ShowNoTestText();
    QCOMPARE(F().Find<RichTextArea>("QuestionText")->toPlainText(),
             QString("Для начала работы выберите тест!..."));
}

void TaskAreaWidgetTest::MissingPictureLeavesNoPicture() {
    const std::string first = F().WritePicture("first.png", QSize(64, 48));
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {}, first);
    auto* picture = F().Find<QuestionPicture>("QuestionImage");
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->Picture().size(), QSize(64, 48));
    const std::string missing = F().Folder.filePath("missing.png").toStdString();
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {}, missing);
    QCOMPARE(F().Messages, QStringList{QString::fromStdString("Файл: \"" + missing +
                                                              "\" с изображением отсутствует!")});
    QVERIFY(!picture->HasPicture());
    QVERIFY(!picture->isVisible());
}

void TaskAreaWidgetTest::PointTaskWithoutPictureCannotBeAnswered() {
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {},
             F().WritePicture("first.png", QSize(64, 48)));
    F().Show(testing::PointTask({{0, 0, 50, 50}}), {},
             F().Folder.filePath("missing.png").toStdString());
    QVERIFY(!F().Image()->isVisible());
    QVERIFY(!F().Find<QuestionPicture>("QuestionImage")->isVisible());
    QTest::mouseClick(F().Find<QScrollArea>("PanelImgRect")->viewport(), Qt::LeftButton, {},
                      QPoint(20, 20));
    QVERIFY(!F().Area->CheckEnabled());
    QCOMPARE(TaskAreaFixture::Describe(F().Area->ReadAnswer(F().Task)), QString("point:none"));
}

void TaskAreaWidgetTest::RightAnswerColoursAndTheirRestoring() {
    F().Show(testing::MatchingTask({2, 1}, 2));
    RightAnswerView view;
    view.Slots = {{"2", std::nullopt, 0x0000FF00, 0x000000FF, 0x00FF0000},
                  {"1", std::nullopt, 0x00112233, std::nullopt, std::nullopt}};
    F().Area->ShowRightAnswer(view);
    auto* text0 = F().Find<RichTextArea>("VariantRE_1_0");
    auto* text1 = F().Find<RichTextArea>("VariantRE_1_1");
    auto* match0 = F().Find<RichTextArea>("VariantRE_2_0");
    QCOMPARE(text0->palette().color(QPalette::Base), QColor(0, 255, 0));
    QCOMPARE(text1->palette().color(QPalette::Base), QColor(0x33, 0x22, 0x11));
    const auto face = [this](int slot) {
        QComboBox* list = F().List(slot);
        return list->grab().toImage().pixelColor(6, list->height() / 2);
    };
    const QColor listFace = face(0); // red, maybe shaded by the style
    QVERIFY2(listFace.red() > 200 && listFace.green() < 150 && listFace.blue() < 150,
             qPrintable(listFace.name()));
    QCOMPARE(match0->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(F().Find<QLabel>("VariantLabel1_0")->text(), QString("2"));
    const QColor normal = F().Area->palette().color(QPalette::Active, QPalette::Base);
    F().Area->ClearRightAnswer();
    QCOMPARE(face(0), face(1));
    for (QWidget* widget : {static_cast<QWidget*>(text0), static_cast<QWidget*>(text1),
                            static_cast<QWidget*>(match0)}) {
        QCOMPARE(widget->palette().color(QPalette::Active, QPalette::Base), normal);
        QVERIFY(!widget->testAttribute(Qt::WA_SetPalette));
    }
    // Marks stay until the next task.
    QCOMPARE(F().Find<QLabel>("VariantLabel1_1")->text(), QString("1"));
    F().Show(testing::MatchingTask({2, 1}, 2));
    QCOMPARE(F().Find<QLabel>("VariantLabel1_1")->text(), QString());

    F().Show(testing::NumberTask({{1, 2}, {3, 4}}, false));
    RightAnswerView numbers;
    numbers.Slots = {{"+", 0x0000FF00, std::nullopt, std::nullopt, std::nullopt},
                     {"*", 0x000000FF, std::nullopt, std::nullopt, std::nullopt}};
    F().Area->ShowRightAnswer(numbers);
    QCOMPARE(F().Find<QLabel>("Label2Num0")->text(), QString("+"));
    QCOMPARE(F().Find<QLabel>("Label2Num1")->text(), QString("*"));
    QCOMPARE(F().Find<QLabel>("Label2Num1")->palette().color(QPalette::Window), QColor(255, 0, 0));
}

void TaskAreaWidgetTest::RightAnswerAreasOnThePicture() {
    F().Show(testing::PointTask({{10, 10, 60, 40}}), {},
             F().WritePicture("p.png", QSize(100, 80), Qt::white));
    QTest::mouseClick(F().Image(), Qt::LeftButton, {}, QPoint(90, 70));
    RightAnswerView view;
    view.DrawAreas = true;
    F().Area->ShowRightAnswer(view);
    const QImage shown = static_cast<QLabel*>(F().Image())->pixmap().toImage();
    // A dotted outline: red dots with gaps along the top edge.
    int dots = 0;
    for (int x = 10; x <= 60; ++x)
        dots += shown.pixelColor(x, 10) == QColor(Qt::red);
    QVERIFY(dots > 10 && dots < 50);
    QCOMPARE(shown.pixelColor(80, 70), QColor(Qt::white));
    bool hatched = false;
    for (int x = 11; x < 60 && !hatched; ++x)
        hatched = shown.pixelColor(x, 25) == QColor(Qt::green);
    QVERIFY(hatched);
    F().Area->ClearRightAnswer();
    QVERIFY(!F().Find<QWidget>("ShapePoint")->isVisible());
    QVERIFY(!F().Find<QuestionPicture>("QuestionImage")->HasPicture());
    // The areas stay on the picture until the next task.
    QCOMPARE(static_cast<QLabel*>(F().Image())->pixmap().toImage(), shown);
}

void TaskAreaWidgetTest::LinksDoNotOpen() {
    TTask task = testing::VariantTask(TaskKind::tkSingleChoice, {1});
    task.Variants[0].Bytes = "http://example.com/page";
    F().Show(task);
    auto* text = F().Find<RichTextArea>("VariantRE_1_0");
    QTextCursor cursor(text->document());
    cursor.setPosition(3);
    QVERIFY(cursor.charFormat().isAnchor()); // the link is detected and shown...
    QVERIFY(!(text->textInteractionFlags() & Qt::LinksAccessibleByMouse));
    QVERIFY(!(text->textInteractionFlags() & Qt::LinksAccessibleByKeyboard));
    QSignalSpy clicked(text, &QTextBrowser::anchorClicked);
    const QRect where = text->cursorRect(cursor);
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, where.center());
    QCOMPARE(clicked.count(), 0); // ...but a click on it opens nothing
}

void TaskAreaWidgetTest::CommandsComeOutAsSignals() {
    TTask task = testing::VariantTask(TaskKind::tkSingleChoice, {1, 0});
    task.Prompt.Bytes = "prompt";
    F().Area->SetRunActions(true, true);
    F().Area->SetTaskList({"1) A", "2) B", "3) C"});
    F().Area->ShowTask({task, "h", {}, {}, std::string("Показать подсказку?"), {0, 1}, true});
    QSignalSpy check(F().Area.get(), &TaskAreaWidget::CheckRequested);
    QSignalSpy doNotKnow(F().Area.get(), &TaskAreaWidget::DoNotKnowRequested);
    QSignalSpy skip(F().Area.get(), &TaskAreaWidget::SkipRequested);
    QSignalSpy prompt(F().Area.get(), &TaskAreaWidget::PromptRequested);
    QSignalSpy position(F().Area.get(), &TaskAreaWidget::PositionChosen);
    QCOMPARE(F().Find<QPushButton>("BitBtn2")->text(), QString("Показать подсказку?"));
    QTest::mouseClick(F().Find<QPushButton>("BitBtn2"), Qt::LeftButton);
    QTest::mouseClick(F().Find<QPushButton>("BitBtnSkipping"), Qt::LeftButton);
    QTest::mouseClick(F().Find<QPushButton>("BitBtnIDoNotKnow"), Qt::LeftButton);
    QTest::mouseClick(F().CheckButton(), Qt::LeftButton);
    QCOMPARE(check.count(), 0); // disabled until the answer is touched
    QTest::mouseClick(F().Radio(0), Qt::LeftButton);
    QTest::mouseClick(F().CheckButton(), Qt::LeftButton);
    QCOMPARE(check.count(), 1);
    QCOMPARE(prompt.count(), 1);
    QCOMPARE(skip.count(), 1);
    QCOMPARE(doNotKnow.count(), 1);
    TaskAreaFixture::ChooseByMouse(F().Find<QComboBox>("ComboBoxEx1"), 2);
    QCOMPARE(position.count(), 1);
    QCOMPARE(position.first().first().toInt(), 2);
    F().Area->SetTaskListImage(2, TaskListImage::Checked);
    F().Area->ClearTaskListSelection();
    QCOMPARE(F().Find<QComboBox>("ComboBoxEx1")->currentIndex(), -1);
    QCOMPARE(position.count(), 1);
    F().Area->SetProgress(9, 4);
    QCOMPARE(F().Find<QProgressBar>("ProgressBarCountAskTask")->maximum(), 9);
    QCOMPARE(F().Find<QProgressBar>("ProgressBarCountAskTask")->value(), 4);
}

void TaskAreaWidgetTest::MediaPanelOnlyForATaskWithMedia() {
    QSignalSpy media(F().Area.get(), &TaskAreaWidget::TaskMediaChanged);
    TTask task = testing::TextTask("x");
    task.MediaFile = "bell.wav";
    F().Area->ShowTask({task, "h", {}, "/tmp/test/bell.wav", {}, {}, false});
    QVERIFY(F().Area->MediaPanel().isVisible());
    QCOMPARE(media.last().first().toString(), QString("/tmp/test/bell.wav"));
    F().Area->CloseTaskFiles();
    QCOMPARE(media.last().first().toString(), QString());
    F().Show(testing::TextTask("x"));
    QVERIFY(!F().Area->MediaPanel().isVisible());
    QCOMPARE(media.last().first().toString(), QString());
}

void TaskAreaWidgetTest::AreaOfFocusOnlyDuringARun() {
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}));
    QSignalSpy spy(F().Area.get(), &TaskAreaWidget::AreaOfFocusRequested);
    auto* text = F().Find<RichTextArea>("VariantRE_1_1");
    F().Area->SetRunning(false);
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 0);
    F().Area->SetRunning(true);
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(F().Area->AreaOfFocus(), text);
    auto* question = F().Find<RichTextArea>("QuestionText");
    question->setFocus();
    QTest::keyClick(question, Qt::Key_F10);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(F().Area->AreaOfFocus(), question);
    QTest::keyClick(F().Radio(0), Qt::Key_F10); // not a text area
    QCOMPARE(spy.count(), 2);
}

void TaskAreaWidgetTest::EnlargedPicture() {
    const std::string picture = F().WritePicture("big.png", QSize(320, 240));
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {}, picture);
    auto* image = F().Find<QuestionPicture>("QuestionImage");
    QCOMPARE(image->toolTip(), QString("Для увеличения изображения щелкните по нему..."));
    QTest::mouseClick(image, Qt::LeftButton);
    TShowQuestionImageForm& form = F().Area->QuestionImageForm();
    QVERIFY(form.isVisible());
    QVERIFY(!form.isModal());
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.windowTitle(), QString("Просмотр изображения к заданию"));
    QCOMPARE(form.size(), QSize(320, 240));
    QCOMPARE(form.Picture().size(), QSize(320, 240));
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {}, picture);
    QVERIFY(!form.isVisible());
    QTest::keyClick(image, Qt::Key_Space); // the keyboard opens it as well
    QVERIFY(form.isVisible());
    F().Area->CloseTaskFiles();
    QVERIFY(!form.isVisible());
    QVERIFY(!image->isVisible());
}

void TaskAreaWidgetTest::RedrawingSuspendedWhileATaskIsBuilt() {
    F().Show(testing::VariantTask(TaskKind::tkSingleChoice, {1, 0}), {},
             F().Folder.filePath("missing.png").toStdString());
    QCOMPARE(F().UpdatesWhileMessage, QList<bool>{false});
    QVERIFY(F().Area->window()->updatesEnabled());
}

} // namespace tevrix

QTEST_MAIN(tevrix::TaskAreaWidgetTest)
#include "TaskAreaWidgetTest.moc"
