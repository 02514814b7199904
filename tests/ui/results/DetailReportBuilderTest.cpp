// SPDX-License-Identifier: GPL-3.0-or-later
// The detailed report of a run, read back as plain text line by line and,
// where it matters, by its formats: every kind's blanks and right answer,
// pictures and their failures, a run stopped early, shuffled variants.

#include "support/ScriptedRandom.h"
#include "support/TaskBuilders.h"
#include "text/Cp1251.h"
#include "ui/results/DetailReportBuilder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <memory>

using namespace tevrix;
using namespace tevrix::testing;

namespace {

const QString kPicture = QString(QChar::ObjectReplacementCharacter);
const QString kNumberBlank = QString(27, '_');
const QString kTextBlank = QString(42, '_');

TTask WithQuestion(TTask task, const std::string& question, int points = 1) {
    task.Question.Bytes = Utf8ToCp1251(question);
    task.Points = points;
    return task;
}

// One run of a test and the report built from it.
class ReportRun {
public:
    ReportRun() { m_test.FileName = "/home/teacher/Дроби.tvf"; }

    TTest& Test() { return m_test; }
    TTaskList& Tasks() { return m_tasks; }
    TResultTest& Record() { return m_record; }
    const QStringList& Messages() const { return m_messages; }

    // Every task in file order, each with `verdict` in the result mask.
    void AskAll(int verdict = 1) {
        m_record = TResultTest::Create(static_cast<int>(m_tasks.size()));
        for (int i = 0; i < static_cast<int>(m_tasks.size()); ++i) {
            m_record.TaskOrder.push_back(i);
            m_record.SetResultMask(i, verdict);
        }
    }

    QTextDocument& Build(RandomSource& random) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(16);
        DetailReportContext context{random, TextLocale{{}, ','},
                                    [this](const QString& text) { m_messages << text; }, font};
        m_document = DetailReportBuilder(m_test, m_tasks, std::move(context)).Build(m_record);
        return *m_document;
    }
    QTextDocument& Build() {
        ScriptedRandom still;
        return Build(still);
    }
    QStringList Lines(RandomSource& random) { return Build(random).toPlainText().split('\n'); }
    QStringList Lines() { return Build().toPlainText().split('\n'); }

    void WritePicture(const std::string& name, QSize size) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(QString::fromStdString(m_test.TempDir + name), "PNG"));
    }

private:
    TTest m_test;
    TTaskList m_tasks;
    TResultTest m_record;
    QStringList m_messages;
    std::unique_ptr<QTextDocument> m_document;
};

// The lines of one task: from its header up to the next header or the end.
QStringList TaskLines(const QStringList& lines, int number) {
    const QString header = QStringLiteral("Задание # %1 - ").arg(number);
    qsizetype first = 0;
    while (first < lines.size() && !lines[first].startsWith(header))
        ++first;
    qsizetype last = first + 1;
    while (last < lines.size() && !lines[last].startsWith("Задание # ") && lines[last] != "Конец")
        ++last;
    return lines.mid(first, last - first);
}

QTextBlock BlockOf(const QTextDocument& document, const QString& text) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text() == text)
            return block;
    return {};
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& text) {
    return BlockOf(document, text).begin().fragment().charFormat();
}

} // namespace

class DetailReportBuilderTest : public QObject {
    Q_OBJECT

private slots:
    // The whole report of a one-task run, opening and closing included.
    void wholeReport() {
        ReportRun run;
        run.Test().Title = "Дроби, 5 класс";
        run.Tasks() = {WithQuestion(VariantTask(TaskKind::tkSingleChoice, {0, 1, 0}),
                                    "Сколько будет 2 + 2?", 2)};
        run.AskAll();
        QCOMPARE(run.Build().toPlainText(), QString("Тест: /home/teacher/Дроби.tvf\n"
                                                    "Дроби, 5 класс\n"
                                                    "\n"
                                                    "Задание # 1 - верно!\n"
                                                    "Вопрос:\n"
                                                    "Сколько будет 2 + 2?\n"
                                                    "\n"
                                                    "Выберите один из 3 вариантов ответа:\n"
                                                    "1) A\n"
                                                    "2) B\n"
                                                    "3) C\n"
                                                    "\n"
                                                    "Верный ответ (2 б.): 2;\n"
                                                    "\n"
                                                    "Конец\n"));
        QCOMPARE(run.Record().VariantOrder, (std::vector<int32_t>{0, 1, 2}));
    }

    void eachKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("body");
        QTest::newRow("1 one choice, the last right one counts")
            << 1 << QStringList{"Выберите один из 3 вариантов ответа:",
                                "1) A",
                                "2) B",
                                "3) C",
                                "",
                                "Верный ответ (1 б.): 3;"};
        QTest::newRow("2 several choices")
            << 2
            << QStringList{"Выберите несколько из 3 вариантов ответа:",
                           "1) A",
                           "2) B",
                           "3) C",
                           "",
                           "Верные ответы (1 б.): 1; 3; "};
        QTest::newRow("3 ordering")
            << 3
            << QStringList{"Укажите порядок следования всех 3 вариантов ответа:",
                           "__ A",
                           "__ B",
                           "__ C",
                           "",
                           "Верные ответы (1 б.): ",
                           "\t2; ",
                           "\t3; ",
                           "\t1; "};
        QTest::newRow("4 matching worth 3")
            << 4
            << QStringList{"Укажите соответствие для всех 2 вариантов ответа:",
                           "1) a",
                           "2) b",
                           "3) c",
                           "",
                           "__ A",
                           "__ B",
                           "",
                           "Верные ответы (3 б.): ",
                           "\t3; ",
                           "\t1; "};
        QTest::newRow("5 true or false")
            << 5
            << QStringList{"Укажите истинность или ложность вариантов ответа:",
                           "__ A",
                           "__ B",
                           "__ C",
                           "",
                           "Верные ответы (1 б.): ",
                           "\tДа; ",
                           "\tНет; ",
                           "\t; "};
        QTest::newRow("6 two numbers, order not mattering")
            << 6
            << QStringList{"Запишите число:", "x = " + kNumberBlank, "y = " + kNumberBlank, "",
                           "Верные ответы (3 б.) (порядок не имеет значения):  от 1,5 до 2,5; 7;"};
        QTest::newRow("6 one number") << 61
                                      << QStringList{"Запишите число:", " " + kNumberBlank, "",
                                                     "Верный ответ (1 б.):  0,25;"};
        QTest::newRow("6 two numbers in order")
            << 62
            << QStringList{"Запишите число:", " " + kNumberBlank, " " + kNumberBlank, "",
                           "Верные ответы (1 б.) :  от -1 до 1; 1E20;"};
        QTest::newRow("7 text: the first accepted answer")
            << 7
            << QStringList{"Запишите ответ:", kTextBlank, "", "Верный ответ (1 б.): \"Москва\"."};
        QTest::newRow("7 text without answers")
            << 71 << QStringList{"Запишите ответ:", kTextBlank, "", "Верный ответ (1 б.): \"\"."};
        QTest::newRow("8 point without a picture: nothing more")
            << 8 << QStringList{"Укажите место на изображении:"};
        QTest::newRow("9 compose a word") << 9
                                          << QStringList{"Составьте слово:", "КОТ -> " + kTextBlank,
                                                         "1) Верные ответы (2 б.): \"КОТ\"."};
    }
    void eachKind() {
        QFETCH(int, kind);
        QFETCH(QStringList, body);
        TTask task;
        switch (kind) {
        case 1: task = VariantTask(TaskKind::tkSingleChoice, {1, 0, 1}); break;
        case 2: task = VariantTask(TaskKind::tkMultipleChoice, {1, 0, 2}); break;
        case 3: task = VariantTask(TaskKind::tkOrdering, {2, 3, 1}); break;
        case 4: task = MatchingTask({3, 1}, 3); break;
        case 5: task = VariantTask(TaskKind::tkTrueFalse, {1, 2, 0}); break;
        case 6: task = NumberTask({{1.5, 2.5}, {7, 7}}, false, {"x =", "y ="}); break;
        case 61: task = NumberTask({{0.25, 0.25}}, true); break;
        case 62: task = NumberTask({{-1, 1}, {1e20, 1e20}}, true); break;
        case 7: task = TextTask("Москва\r\nмосква"); break;
        case 71: task = TextTask(""); break;
        case 8: task = PointTask({{1, 1, 5, 5}}); break;
        case 9: task = WordTask("КОТ"); break;
        }
        const int points = kind == 4 || kind == 6 ? 3 : kind == 9 ? 2 : 1;
        ReportRun run;
        run.Tasks() = {WithQuestion(task, "Вопрос задачи", points)};
        run.AskAll(0);
        QStringList expected{"Задание # 1 - ошибка!", "Вопрос:", "Вопрос задачи", ""};
        expected << body << "";
        QCOMPARE(TaskLines(run.Lines(), 1), expected);
        QVERIFY(run.Messages().isEmpty());
    }

    // Stopped after the first of five: every task is reported, the ones
    // never reached as errors with their questions and right answers.
    void runStoppedAfterTheFirstOfFive() {
        ReportRun run;
        run.Tasks() = {WithQuestion(TextTask("Волга"), "Самая длинная река Европы?"),
                       WithQuestion(VariantTask(TaskKind::tkSingleChoice, {0, 1}), "Выбор"),
                       WithQuestion(NumberTask({{3, 3}}, true), "Сколько?"),
                       WithQuestion(VariantTask(TaskKind::tkTrueFalse, {2, 1}), "Верно ли"),
                       WithQuestion(WordTask("ДОМ"), "Слово")};
        run.Record() = TResultTest::Create(5);
        run.Record().TaskOrder = {3, 0, 4, 1, 2};
        run.Record().SetResultMask(3, 1); // the first position's task, answered right
        const QStringList lines = run.Lines();
        QCOMPARE(TaskLines(lines, 1).mid(0, 3),
                 (QStringList{"Задание # 1 - верно!", "Вопрос:", "Верно ли"}));
        QCOMPARE(TaskLines(lines, 1).mid(7, 4),
                 (QStringList{"", "Верные ответы (1 б.): ", "\tНет; ", "\tДа; "}));
        const QList<QStringList> rest{
            {"Задание # 2 - ошибка!", "Самая длинная река Европы?",
             "Верный ответ (1 б.): \"Волга\"."},
            {"Задание # 3 - ошибка!", "Слово", "3) Верные ответы (1 б.): \"ДОМ\"."},
            {"Задание # 4 - ошибка!", "Выбор", "Верный ответ (1 б.): 2;"},
            {"Задание # 5 - ошибка!", "Сколько?", "Верный ответ (1 б.):  3;"}};
        for (int n = 2; n <= 5; ++n) {
            const QStringList task = TaskLines(lines, n);
            const QStringList& want = rest[n - 2];
            QVERIFY2(!task.isEmpty() && task.first() == want[0], qPrintable(want[0]));
            QVERIFY2(task.contains(want[1]), qPrintable(want[1]));
            QVERIFY2(task.contains(want[2]), qPrintable(want[2]));
        }
        QCOMPARE(lines.count("Конец"), 1);
    }

    // With shuffled variants the right answer names the printed numbers.
    void shuffledVariantsKeepTheirNumbers() {
        ReportRun run;
        run.Test().RandomVariantOrder = true;
        run.Tasks() = {WithQuestion(VariantTask(TaskKind::tkSingleChoice, {1, 0, 0, 0}), "Q")};
        run.AskAll();
        ScriptedRandom random({3, 0}); // seven exchanges of the first and last slot
        const QStringList body = TaskLines(run.Lines(random), 1).mid(5, 6);
        QCOMPARE(body,
                 (QStringList{"1) D", "2) B", "3) C", "4) A", "", "Верный ответ (1 б.): 4;"}));
        QCOMPARE(run.Record().VariantOrder, (std::vector<int32_t>{3, 1, 2, 0}));
        QCOMPARE(random.Reseeds, 1);
    }

    void pictures() {
        ReportRun run;
        run.WritePicture("river.png", {40, 30});
        run.WritePicture("map.png", {40, 30});
        TTask choice = WithQuestion(VariantTask(TaskKind::tkSingleChoice, {1}), "Q1");
        choice.PictureFile = "river.png";
        TTask point = WithQuestion(PointTask({{10, 5, 20, 15}}), "Q2");
        point.PictureFile = "map.png";
        run.Tasks() = {choice, point};
        run.AskAll();
        QTextDocument& document = run.Build();
        const QStringList lines = document.toPlainText().split('\n');
        QCOMPARE(TaskLines(lines, 1).mid(1, 6),
                 (QStringList{"Вопрос:", "Q1", "Изображение:", kPicture, "",
                              "Выберите один из 1 вариантов ответа:"}));
        QCOMPARE(TaskLines(lines, 2).mid(4),
                 (QStringList{"Укажите место на изображении:", kPicture, "",
                              "Верный ответ (1 б.):", kPicture, ""}));
        QVERIFY(run.Messages().isEmpty());

        // The second picture of the point task, the last of the report,
        // shows its area.
        QTextBlock marked;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            if (block.text() == kPicture)
                marked = block;
        const QTextImageFormat format = marked.begin().fragment().charFormat().toImageFormat();
        const QImage image =
            document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        QCOMPARE(image.size(), QSize(40, 30));
        QCOMPARE(image.pixelColor(10, 5), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(19, 14), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(20, 15), QColor(Qt::white));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
        int green = 0;
        for (int y = 6; y < 14; ++y)
            for (int x = 11; x < 19; ++x)
                green += image.pixelColor(x, y) == QColor(0, 128, 0) ? 1 : 0;
        QVERIFY2(green > 10 && green < 64, "a cross hatch, neither empty nor solid");
    }

    void pictureThatCannotBeLoaded_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << "gone.png" << false;
        QTest::newRow("damaged") << "broken.png" << true;
        QTest::newRow("outside the folder") << "../x.png" << false;
    }
    void pictureThatCannotBeLoaded() {
        QFETCH(QString, file);
        QFETCH(bool, present);
        ReportRun run;
        if (present) {
            QFile broken(QString::fromStdString(run.Test().TempDir) + file);
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("not a picture");
        }
        TTask choice = WithQuestion(VariantTask(TaskKind::tkSingleChoice, {1}), "Q1");
        choice.PictureFile = file.toStdString();
        TTask point = WithQuestion(PointTask({{1, 1, 2, 2}}), "Q2");
        point.PictureFile = file.toStdString();
        run.Tasks() = {choice, point};
        run.AskAll();
        const QStringList lines = run.Lines();
        QCOMPARE(TaskLines(lines, 1).mid(3, 3),
                 (QStringList{"Изображение:", "", "Выберите один из 1 вариантов ответа:"}));
        QCOMPARE(TaskLines(lines, 2).mid(4), (QStringList{"Укажите место на изображении:", ""}));
        QCOMPARE(run.Messages(),
                 (QStringList{"Ошибка загрузки изображения!", "Ошибка загрузки изображения!"}));
    }

    void formats() {
        ReportRun run;
        run.Tasks() = {WithQuestion(TextTask("да"), "Q")};
        run.AskAll();
        QTextDocument& document = run.Build();
        const QTextCharFormat file = FormatOf(document, "Тест: /home/teacher/Дроби.tvf");
        QVERIFY(file.fontItalic());
        QCOMPARE(file.foreground().color(), QColor(128, 128, 128));
        QCOMPARE(file.fontPointSize(), 10.0); // 2 points below the 12 of the question font
        const QTextBlock title = BlockOf(document, "Тест");
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(title.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(title.begin().fragment().charFormat().fontPointSize(), 12.0);
        QCOMPARE(title.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        const QTextCharFormat header = FormatOf(document, "Задание # 1 - верно!");
        QCOMPARE(header.foreground().color(), QColor(128, 0, 0));
        QVERIFY(header.fontUnderline());
        QCOMPARE(header.fontWeight(), int(QFont::Bold));
        QCOMPARE(FormatOf(document, "Верный ответ (1 б.): \"да\".").foreground().color(),
                 QColor(0, 128, 0));
        QCOMPARE(BlockOf(document, "Конец").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
    }
};

QTEST_MAIN(DetailReportBuilderTest)
#include "DetailReportBuilderTest.moc"
