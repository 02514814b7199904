// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultLog.h"
#include "support/FileBytes.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"
#include "text/DateTime.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::ReadWholeFile;
using testing::SampleRecord;
using testing::TempFolder;
using testing::WriteWholeFile;

const double kNow = EncodeOleDate({2024, 3, 5, 9, 27, 42, 0});
const TextLocale kPoint{{}, '.'};

const std::vector<std::string> kSampleBlock = {
    "------------------------------------------------",
    "---------- 05.03.2024 09:27:42 ----------",
    "Тест остановлен...",
    "Имя компьютера: \"CLASS-PC7\"",
    "Имя пользователя компьютера: \"pupil\"",
    "Имя пользователя (тестируемого): \"Иванов Иван\"",
    "Группа (класс) пользователя (тестируемого): \"7-Б\"",
    "Название теста: \"Дроби\"",
    "Файл с тестом: \"/home/teacher/Дроби.tvf\"",
    "CRC Файла с тестом: \"0A1B2C3D\"",
    "Всего заданий в тесте: 2.",
    "Выполнено заданий: 2.",
    "Из них правильно: 1 (50.0% выполненых заданий).",
    "Из них ошибок: 1 (50.0% выполненых заданий).",
    "Результативность: 50.0%.",
    "Использовано подсказок: 1.",
    "Набрано баллов: 1.5 из 3 возможных. Ваш результат: 50.0%.",
    "Оценка: хорошо.",
    "Маска результата: \"1) + 2) - 3) * \".",
    "Маска времени обдумывания (в секундах): \"1) 12 2) 40 3) * \".",
    "Маска ответов: \"1) 3;1; 2) x=10; y=20 3)  \".",
    "Маска штрафов за подсказку: \"1) * 2) 1 3) * \".",
    "Время начала: 09:15:00.",
    "Время завершения: 09:27:41.",
    "Продолжительность: 00:12:41.",
    "------------------------------------------------",
};

std::string AsLogBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += Utf8ToCp1251(line) + "\r\n";
    return bytes;
}

TEST(ResultLog, BlockHasTheTwentySixLines) {
    const ResultLog log("unused", kPoint);
    EXPECT_EQ(log.BlockLines(SampleRecord(), kNow), kSampleBlock);
}

TEST(ResultLog, AppendsTheBlockInWindows1251WithCrLf) {
    TempFolder folder;
    const std::string path = folder.File("TevrixStudent_Result.txt");
    WriteWholeFile(path, "earlier\r\n");
    const ResultLog log(path, kPoint);
    EXPECT_TRUE(log.SaveResultLog(SampleRecord(), kNow).Ok());
    const std::string file = ReadWholeFile(path);
    EXPECT_EQ(file, "earlier\r\n" + AsLogBytes(kSampleBlock));
    // One line checked against its bytes by hand: "Оценка: хорошо."
    EXPECT_NE(file.find("\xCE\xF6\xE5\xED\xEA\xE0: \xF5\xEE\xF0\xEE\xF8\xEE.\r\n"),
              std::string::npos);
}

TEST(ResultLog, ARunWithoutEndReasonHasNoReasonLine) {
    TResultTest record = SampleRecord();
    record.EndReason = RunEndReason::Running;
    record.PromptCount = 0;
    const std::vector<std::string> lines = ResultLog("unused", kPoint).BlockLines(record, kNow);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[2], "Имя компьютера: \"CLASS-PC7\"");
    EXPECT_EQ(lines[14], "Использовано подсказок: 0."); // written also when 0
}

TEST(ResultLog, AnUnavailableResultIsWrittenWithItsNegativeCounts) {
    TResultTest record = SampleRecord();
    record.EndReason = RunEndReason::ProgramClosed;
    record.RightCount = -1;
    record.WrongCount = -1;
    record.Score = 0;
    record.Mark = -1;
    record.MarkName = "недоступно...";
    record.ResultMask.assign(3, -2);
    const std::vector<std::string> lines = ResultLog("unused", kPoint).BlockLines(record, kNow);
    EXPECT_EQ(lines[2], "Тест прерван - закрыта программа...");
    EXPECT_EQ(lines[12], "Из них правильно: -1 (-50.0% выполненых заданий).");
    EXPECT_EQ(lines[13], "Из них ошибок: -1 (-50.0% выполненых заданий).");
    EXPECT_EQ(lines[16], "Набрано баллов: 0.0 из 3 возможных. Ваш результат: 0.0%.");
    EXPECT_EQ(lines[17], "Оценка: недоступно....");
    EXPECT_EQ(lines[18], "Маска результата: \"1) ? 2) ? 3) ? \".");
}

TEST(ResultLog, EventLinesCarryTheDateAndTimeWithATrailingBlank) {
    const ResultLog log("unused", kPoint);
    EXPECT_EQ(log.ProgramStartLine(kNow), "05.03.2024 09:27:42 Запущена программа TevrixStudent.");
    EXPECT_EQ(log.ProgramCloseLine(kNow), "05.03.2024 09:27:42 Закрыта программа TevrixStudent.");
    EXPECT_EQ(log.RunStartLine(kNow, "Дроби"), "05.03.2024 09:27:42  Начат тест: \"Дроби\"");
}

// A station killed while appending leaves a line unfinished; what comes next
// starts a line of its own.
TEST(ResultLog, AnEntryAfterAnUnfinishedLineStartsALineOfItsOwn) {
    TempFolder folder;
    const std::string path = folder.File("TevrixStudent_Result.txt");
    WriteWholeFile(path, "earlier\r\n---- cut of");
    const ResultLog log(path, kPoint);
    EXPECT_TRUE(log.SaveResultLog(SampleRecord(), kNow).Ok());
    EXPECT_TRUE(log.AppendLogLine("next").Ok());
    EXPECT_EQ(ReadWholeFile(path),
              "earlier\r\n---- cut of\r\n" + AsLogBytes(kSampleBlock) + "next\r\n");
}

TEST(ResultLog, CreatesTheFileForTheFirstLine) {
    TempFolder folder;
    const std::string path = folder.File("log.txt");
    const ResultLog log(path, kPoint);
    EXPECT_TRUE(log.AppendLogLine(log.ProgramStartLine(kNow)).Ok());
    EXPECT_TRUE(log.AppendLogLine(log.RunStartLine(kNow, "Дроби")).Ok());
    EXPECT_EQ(ReadWholeFile(path),
              AsLogBytes({"05.03.2024 09:27:42 Запущена программа TevrixStudent.",
                          "05.03.2024 09:27:42  Начат тест: \"Дроби\""}));
}

TEST(ResultLog, AFailureToWriteReturnsTheMessage) {
    TempFolder folder;
    const ResultLog log(folder.File("missing-folder/log.txt"), kPoint);
    const PupilMessage expected{"Ошибка записи в файл результатов.", "Внимание!",
                                MessageIcon::Information};
    EXPECT_EQ(log.SaveResultLog(SampleRecord(), kNow).Message(), expected);
    EXPECT_EQ(log.AppendLogLine("line").Message(), expected);
}

} // namespace
} // namespace tevrix
