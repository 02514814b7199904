// SPDX-License-Identifier: GPL-3.0-or-later
// task-area-gallery: shows one task of a test file in the task area, as a
// pupil would see it, and can write a screenshot of it. For teachers who check
// how a test looks, and for checking the area itself at any size and scale.
//
//   task-area-gallery [FILE.tvf] [--kind N | --task N] [--right-answer]
//                     [--long-texts] [--picture NAME] [--size WxH]
//                     [--screenshot FILE.png]
//
// Without a file the demo test is shown. --kind takes the first task of that
// kind, --task the task numbered N (from 1). --right-answer shows the area as
// after a wrong answer (nothing entered). --long-texts lengthens every text
// and fills all ten variant rows with long Cyrillic texts. --picture gives
// the task the picture NAME from the test's files. With --screenshot the
// window is written to the file and the program ends.
#include "config/Settings.h"
#include "model/TestLoader.h"
#include "richtext/RichToPlain.h"
#include "rules/AnswerEvaluation.h"
#include "rules/RightAnswer.h"
#include "session/SettingsMapping.h"
#include "text/Cp1251.h"
#include "text/Format.h"
#include "text/TextLocale.h"
#include "text/Translate.h"
#include "ui/gallery/GalleryLanguage.h"
#include "ui/taskarea/TaskAreaWidget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <numeric>

using namespace tevrix;

namespace {

RichText Cyrillic(const std::string& utf8) {
    return RichText{Utf8ToCp1251(utf8)};
}

const char* const kLongSentence =
    "Длинная формулировка варианта ответа на русском языке, которая занимает несколько строк и "
    "проверяет перенос слов, прокрутку и отсутствие обрезанного текста";

void LengthenTexts(TTask& task) {
    task.Question = Cyrillic(
        "Прочитайте внимательно условие задания. Оно нарочно написано очень длинным, чтобы было "
        "видно, как область вопроса переносит строки и прокручивает текст, который не помещается "
        "целиком. Выберите или введите ответ так, как требует форма ответа ниже; после этого "
        "нажмите кнопку «Дальше (проверить)».");
    if (IsVariantKind(task.Kind)) {
        for (size_t i = 0; i < TTask::kSlotCount; ++i) {
            task.Variants[i] =
                Cyrillic("Вариант " + std::to_string(i + 1) + ": " + std::string(kLongSentence));
            if (task.Kind == TaskKind::tkMatching)
                task.Matches[i] = Cyrillic("Элемент справа " + std::to_string(i + 1) +
                                           " с достаточно длинным описанием");
            if (task.VariantValues[i] == 0 && task.Kind != TaskKind::tkSingleChoice &&
                task.Kind != TaskKind::tkMultipleChoice)
                task.VariantValues[i] = int32_t(i % 2 + 1);
        }
    }
    for (std::string& label : task.NumberLabels)
        if (!label.empty())
            label = "Очень длинная подпись поля: " + label;
    if (task.Kind == TaskKind::tkComposeWord)
        task.Word = "ДОСТОПРИМЕЧАТЕЛЬНОСТЬ";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tevrix::UseGalleryLanguage();
    QApplication::setApplicationName(QStringLiteral("TevrixStudent"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows one task of a test in the task area."));
    parser.addHelpOption();
    parser.addPositionalArgument("file", "the test file (.tvf); the demo test by default");
    const QCommandLineOption kind("kind", "the first task of kind N (1 to 9)", "N");
    const QCommandLineOption task("task", "the task numbered N, from 1", "N");
    const QCommandLineOption rightAnswer("right-answer", "show the right answer after no answer");
    const QCommandLineOption longTexts("long-texts", "long Cyrillic texts in all ten rows");
    const QCommandLineOption picture("picture", "the picture NAME from the test's files", "NAME");
    const QCommandLineOption size("size", "the window's size", "WxH", "800x700");
    const QCommandLineOption screenshot("screenshot", "write the window to FILE and end", "FILE");
    parser.addOptions({kind, task, rightAnswer, longTexts, picture, size, screenshot});
    parser.process(app);

    const QString file = parser.positionalArguments().value(0, TEVRIX_DEMO_TEST);
    LoadTestOutcome loaded =
        LoadTest(file.toStdString(), std::nullopt, [] { return std::optional<std::string>(); });
    if (loaded.Status != LoadTestStatus::Loaded) {
        std::fprintf(stderr, "task-area-gallery: cannot open %s: %s\n", qPrintable(file),
                     loaded.Result.MessageText().c_str());
        return 1;
    }
    const TTest& test = *loaded.Test;
    TTaskList& tasks = loaded.Tasks;
    int index = 0;
    if (parser.isSet(task)) {
        index = parser.value(task).toInt() - 1;
    } else if (parser.isSet(kind)) {
        const int wanted = parser.value(kind).toInt();
        index = -1;
        for (size_t i = 0; i < tasks.size() && index < 0; ++i)
            if (int(tasks[i].Kind) == wanted)
                index = int(i);
    }
    if (index < 0 || index >= int(tasks.size())) {
        std::fprintf(stderr, "task-area-gallery: the test has no such task\n");
        loaded.Test->DeleteTempDir();
        return 1;
    }
    TTask& shown = tasks[size_t(index)];
    if (parser.isSet(longTexts))
        LengthenTexts(shown);
    if (parser.isSet(picture))
        shown.PictureFile = parser.value(picture).toStdString();

    TaskAreaWidget area;
    area.setWindowTitle(QStringLiteral("TevrixStudent — task-area-gallery"));
    const QStringList dimensions = parser.value(size).split('x');
    area.resize(dimensions.value(0).toInt(), dimensions.value(1).toInt());
    area.SetRunActions(test.PenalizeWrong, test.AllowSkip);
    std::vector<std::string> items;
    if (test.AllowSkip)
        for (size_t i = 0; i < tasks.size(); ++i)
            items.push_back(std::to_string(i + 1) + ") " + RichToPlain(tasks[i].Question));
    area.SetTaskList(items);
    area.SetProgress(int(tasks.size()), index + 1);
    area.SetRunning(true);

    std::vector<int32_t> order(size_t(IsVariantKind(shown.Kind) ? shown.VariantCount()
                                      : shown.Kind == TaskKind::tkNumberInput
                                          ? std::max<int>(1, shown.NumberCount)
                                          : 0));
    std::iota(order.begin(), order.end(), 0);
    const auto fileOf = [&test](const std::string& name) {
        return IsPlainFileName(name) ? test.TempDir + name : std::string();
    };
    const std::optional<std::string> prompt =
        shown.Prompt.Empty() ? std::nullopt
                             : std::optional<std::string>(TranslateText("Показать подсказку?"));
    area.show();
    area.ShowTask({shown,
                   Format(TranslateText("Вопрос # %d из %d:"),
                          {(long long)(index + 1), (long long)tasks.size()}),
                   fileOf(shown.PictureFile), fileOf(shown.MediaFile), prompt, order,
                   test.AllowSkip});
    if (parser.isSet(rightAnswer)) {
        const TextLocale locale;
        const EnteredAnswer entered = area.ReadAnswer(shown);
        const Evaluation evaluation = EvaluateAnswer(shown, order, entered, locale);
        area.ShowRightAnswer(DescribeRightAnswer(shown, order, entered, evaluation,
                                                 AnswerColorsOf(Settings()), locale));
    }

    int status = 0;
    if (parser.isSet(screenshot)) {
        QTimer::singleShot(300, &area, [&] {
            if (!area.grab().save(parser.value(screenshot), "PNG")) {
                std::fprintf(stderr, "task-area-gallery: cannot write %s\n",
                             qPrintable(parser.value(screenshot)));
                status = 1;
            }
            app.quit();
        });
    }
    const int result = app.exec();
    loaded.Test->DeleteTempDir();
    return status ? status : result;
}
