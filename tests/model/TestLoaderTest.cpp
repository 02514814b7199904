// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawTestFile.h"
#include "model/Crc32.h"
#include "model/TestFileWriter.h"
#include "model/TestLoader.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tevrix {
namespace {

// A test with every field away from its default.
void FillTest(TTest& test) {
    test.Title = "Контрольная № 1";
    test.Author = "Иванова М. П.";
    test.Description = {"{\\rtf1\\ansi\\ansicpg1251 \\'ce\\'ef\\'e8\\'f1\\'e0\\'ed\\'e8\\'e5}"};
    test.Instruction = {"Инструкция"};
    test.ReservedText1 = "r1";
    test.RandomTaskOrder = true;
    test.RandomVariantOrder = true;
    test.TestTimeLimit = 900;
    test.TasksToAsk = 2;
    test.ShowCorrectAnswer = true;
    test.PenalizeWrong = true;
    test.AllowSkip = true;
    test.ExclusiveMode = true;
    test.ReportToServer = false;
    test.ServerProgressFlag = false;
    test.ShowReport = true;
    test.ShowResult = false;
    test.SaveResult = false;
    test.SaveProtectedResult = true;
    test.ReservedText2 = "r2";
    test.StartPassword = "старт";
    test.ResultKey = "ключ";
    test.Marks = {{2, 0, "плохо"}, {3, 40, ""}, {4, 60, "хорошо"}, {5, 90, "отлично"}};
    test.WholeAnswerOnly = false;
    test.SetTheme(0, "Без темы", "общая", 1, true);
    test.SetTheme(3, "Тема 3", "к", 1, true);
    test.UseThemes = true;
    test.Created = 45000.25;
    test.Saved = 45001.5;
    test.UId = "{11111111-2222-3333-4444-555555555555}";
    test.MaxRuns = 3;
    test.MinAnsweredPercent = 40;
}

TTaskList SampleTasks() {
    TTaskList tasks(3);
    tasks[0].Kind = TaskKind::tkSingleChoice;
    tasks[0].Question = {"Вопрос 1"};
    tasks[0].Variants[0] = {"да"};
    tasks[0].Variants[1] = {"нет"};
    tasks[0].VariantValues[0] = 1;
    tasks[0].PictureFile = "pic.png";
    tasks[1].Kind = TaskKind::tkTextInput;
    tasks[1].TextAnswers = "ответ";
    tasks[1].ThemeKey = 3;
    tasks[2].Kind = TaskKind::tkComposeWord;
    tasks[2].Word = "СЛОВО";
    tasks[2].ThemeKey = 3;
    return tasks;
}

std::vector<EmbeddedFile> SampleFiles() {
    return {{"pic.png", std::vector<uint8_t>(3000, 0x89)},
            {"пусто.txt", {}},
            {"sound.wav", {'R', 'I', 'F', 'F'}}};
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_root + "tmp");
        fs::create_directories(SourceRoot());
    }

    std::string TempRoot() const { return m_root + "tmp/"; }
    // Where the tests' own source tests keep their folders, apart from the loader's.
    std::string SourceRoot() const { return m_root + "src/"; }
    bool NothingUnpacked() const { return fs::is_empty(TempRoot()); }

    std::string WriteFile(const std::vector<uint8_t>& bytes, const std::string& name = "t.tvf") {
        const std::string path = m_root + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    std::string WriteSample(TTest& test, const TTaskList& tasks = SampleTasks()) {
        return WriteFile(WriteTestFileBytes(test, tasks, SampleFiles()));
    }

    LoadTestOutcome Load(const std::string& path, PasswordPrompt prompt = {}) {
        return LoadTest(path, std::nullopt, prompt, TempRoot());
    }

    testing::TempFolder m_folder;
    const std::string m_root = m_folder.Path();
};

TEST_F(LoaderTest, ReadsBackEveryFieldTasksAndFiles) {
    TTest original(SourceRoot());
    FillTest(original);
    const std::string path = WriteSample(original);

    const LoadTestOutcome loaded = Load(path);
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    EXPECT_TRUE(!loaded.Result.Message());
    const TTest& test = *loaded.Test;
    EXPECT_EQ(test.FileName, path);
    EXPECT_EQ(test.Title, original.Title);
    EXPECT_EQ(test.Author, original.Author);
    EXPECT_EQ(test.Description, original.Description);
    EXPECT_EQ(test.Instruction, original.Instruction);
    EXPECT_EQ(test.ReservedText1, "r1");
    EXPECT_EQ(test.ReservedText2, "r2");
    EXPECT_TRUE(test.RandomTaskOrder && test.RandomVariantOrder && test.ShowCorrectAnswer &&
                test.PenalizeWrong && test.AllowSkip && test.ExclusiveMode && test.ShowReport &&
                test.SaveProtectedResult && test.UseThemes);
    EXPECT_FALSE(test.ReportToServer || test.ServerProgressFlag || test.ShowResult ||
                 test.SaveResult || test.WholeAnswerOnly);
    EXPECT_EQ(test.TestTimeLimit, 900);
    EXPECT_EQ(test.TasksToAsk, 2);
    EXPECT_EQ(test.StartPassword, "старт");
    EXPECT_EQ(test.ResultKey, "ключ");
    EXPECT_EQ(test.Marks, original.Marks);
    ASSERT_EQ(test.ThemeCount(), 2);
    EXPECT_EQ(test.GetTheme(0).Name, "Без темы"); // key 0 renamed, not added
    EXPECT_EQ(test.GetTheme(1).Key, 3);
    EXPECT_EQ(test.Created, 45000.25);
    EXPECT_EQ(test.Saved, 45001.5);
    EXPECT_EQ(test.UId, original.UId);
    EXPECT_EQ(test.MaxRuns, 3);
    EXPECT_EQ(test.MinAnsweredPercent, 40);
    EXPECT_EQ(test.FileCrc, FileCrc32(path));
    EXPECT_NE(test.FileCrc, 0u);
    EXPECT_EQ(test.AskCount, 1 + 1); // themes 0 and 3 each limited to one task
    EXPECT_EQ(test.GetTheme(1).TaskCount, 2);

    EXPECT_EQ(loaded.Tasks, SampleTasks());
    EXPECT_EQ(loaded.FileNames, (std::vector<std::string>{"pic.png", "пусто.txt", "sound.wav"}));
    for (const EmbeddedFile& file : SampleFiles()) {
        const std::string unpacked = test.TempDir + file.Name;
        ASSERT_TRUE(fs::is_regular_file(unpacked)) << file.Name;
        std::ifstream in(unpacked, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes, file.Content) << file.Name;
    }
}

TEST_F(LoaderTest, AReceivedTestKeepsTheChecksumOfItsBytes) {
    TTest original(SourceRoot());
    FillTest(original);
    const std::vector<uint8_t> bytes = WriteTestFileBytes(original, SampleTasks(), SampleFiles());
    const std::string path = WriteFile(bytes);
    const LoadTestOutcome received =
        LoadTest("с сервера.tvf", std::span<const uint8_t>(bytes), {}, TempRoot());
    ASSERT_EQ(received.Status, LoadTestStatus::Loaded);
    EXPECT_EQ(received.Test->FileName, "с сервера.tvf");
    EXPECT_EQ(received.Test->FileCrc, Crc32(bytes.data(), bytes.size()));
    EXPECT_EQ(received.Test->FileCrc, FileCrc32(path));
}

TEST_F(LoaderTest, ManyEmbeddedFilesAreEachListedOnceInFileOrder) {
    // How long this takes is measured by bench/LoadTestBench (many files).
    std::vector<EmbeddedFile> files;
    for (int i = 0; i < 5'000; ++i)
        files.push_back({"f" + std::to_string(i % 3'000), {uint8_t(i)}});
    TTest original(SourceRoot());
    const LoadTestOutcome loaded = Load(WriteFile(WriteTestFileBytes(original, {}, files)));
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    ASSERT_EQ(loaded.FileNames.size(), 3'000u);
    for (int i = 0; i < 3'000; ++i)
        ASSERT_EQ(loaded.FileNames[i], "f" + std::to_string(i));
    // A repeated name keeps its last content.
    std::ifstream last(loaded.Test->TempDir + "f1", std::ios::binary);
    EXPECT_EQ(last.get(), 3'001 % 256);
}

TEST_F(LoaderTest, TwoLoadsGiveTheSameModelInNewFolders) {
    TTest original(SourceRoot());
    FillTest(original);
    const std::string path = WriteSample(original);
    const LoadTestOutcome first = Load(path);
    const LoadTestOutcome second = Load(path);
    ASSERT_EQ(second.Status, LoadTestStatus::Loaded);
    EXPECT_NE(first.Test->TempDir, second.Test->TempDir);
    EXPECT_EQ(first.Tasks, second.Tasks);
    EXPECT_EQ(first.Test->FileCrc, second.Test->FileCrc);
    EXPECT_EQ(first.Test->Marks, second.Test->Marks);
    EXPECT_EQ(first.Test->Themes, second.Test->Themes);
}

TEST_F(LoaderTest, MissingFileOrEmptyNameDoesNothing) {
    for (const std::string& name : {std::string(), m_root + "absent.tvf"}) {
        const LoadTestOutcome outcome = Load(name);
        EXPECT_EQ(outcome.Status, LoadTestStatus::NotFound);
        EXPECT_TRUE(!outcome.Result.Message());
        EXPECT_FALSE(outcome.Test);
    }
    EXPECT_TRUE(NothingUnpacked()); // not even a temporary folder was made
}

TEST_F(LoaderTest, PasswordIsAskedOnlyWhenTheTestHasOne) {
    TTest open(SourceRoot());
    int asked = 0;
    const PasswordPrompt prompt = [&]() -> std::optional<std::string> {
        ++asked;
        return "x";
    };
    EXPECT_EQ(Load(WriteSample(open), prompt).Status, LoadTestStatus::Loaded);
    EXPECT_EQ(asked, 0);
}

struct PasswordCase {
    std::optional<std::string> Typed;
    LoadTestStatus Status;
    const char* Message;
};

class LoaderPasswordTest : public LoaderTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(LoaderPasswordTest, ComparesTheTypedPasswordExactly) {
    TTest protectedTest(SourceRoot());
    protectedTest.OpenPassword = "Секрет";
    const std::string path = WriteSample(protectedTest);
    const LoadTestOutcome outcome = Load(path, [&] { return GetParam().Typed; });
    EXPECT_EQ(outcome.Status, GetParam().Status);
    EXPECT_EQ(outcome.Result.MessageText(), GetParam().Message);
    if (outcome.Status == LoadTestStatus::Loaded) {
        EXPECT_EQ(outcome.Tasks.size(), 3u);
    } else {
        EXPECT_FALSE(outcome.Test);
        EXPECT_TRUE(outcome.Tasks.empty());
        EXPECT_TRUE(NothingUnpacked());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoaderPasswordTest,
    ::testing::Values(PasswordCase{"Секрет", LoadTestStatus::Loaded, ""},
                      PasswordCase{std::nullopt, LoadTestStatus::Cancelled, ""},
                      PasswordCase{"секрет", LoadTestStatus::WrongPassword, "Неверный пароль!"},
                      PasswordCase{"Секрет ", LoadTestStatus::WrongPassword, "Неверный пароль!"},
                      PasswordCase{"", LoadTestStatus::WrongPassword, "Неверный пароль!"}),
    testing::CaseName);

TEST_F(LoaderTest, NotATestFileIsTheWrongType) {
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'T', 'e', 'v'},
          std::vector<uint8_t>(100, 'T')}) {
        const LoadTestOutcome outcome = Load(WriteFile(bytes));
        EXPECT_EQ(outcome.Status, LoadTestStatus::WrongType);
        EXPECT_EQ(outcome.Result.MessageText(), "Неверный тип файла с тестом!");
    }
    EXPECT_TRUE(NothingUnpacked());
}

TEST_F(LoaderTest, DamagedCompressedDataFailsAndLeavesNothing) {
    TTest original(SourceRoot());
    std::vector<uint8_t> bytes = WriteTestFileBytes(original, SampleTasks(), SampleFiles());
    // Flip bytes well inside the zlib stream (the first 6 + 4 + 10 are the header).
    for (size_t i = 40; i < bytes.size(); i += 11)
        bytes[i] ^= 0xA5;
    const LoadTestOutcome outcome = Load(WriteFile(bytes));
    EXPECT_EQ(outcome.Status, LoadTestStatus::Failed);
    EXPECT_EQ(outcome.Result.MessageText(), "Ошибка загрузки теста!");
    EXPECT_TRUE(NothingUnpacked());
}

TEST_F(LoaderTest, TaskKindsWithoutABlockReadOnlyTheTrailingFields) {
    TTest test(SourceRoot());
    TTaskList tasks(2);
    tasks[0].Kind = TaskKind::None;
    tasks[0].Question = {"нулевой"};
    tasks[1].Kind = static_cast<TaskKind>(200);
    tasks[1].Points = 4;
    const LoadTestOutcome loaded = Load(WriteFile(WriteTestFileBytes(test, tasks, {})));
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    EXPECT_EQ(loaded.Tasks, tasks);
}

// The bytes of a test record with empty texts, with `marks` criteria and a
// theme list and anything else given by the caller's builder.
testing::BodyBuilder RecordHead() {
    testing::BodyBuilder b;
    b.Text("T").Text("").Text("").Text("").Byte(0).Text("").Byte(0).Byte(0).Int(0).Int(0);
    for (int i = 0; i < 10; ++i)
        b.Byte(i == 4 || i == 5 ? 1 : 0);
    b.Int(0).Text("").Text("").Text("").Text("");
    return b;
}

testing::BodyBuilder& RecordTail(testing::BodyBuilder& b) {
    return b.Byte(1).Double(1).Double(2).Text("uid").Int(0).Byte(0).Int(0).Int(0).Int(0);
}

std::vector<uint8_t> BodyWith(const std::function<void(testing::BodyBuilder&)>& rest,
                              int marks = 0) {
    testing::BodyBuilder b = RecordHead();
    b.Int(marks);
    RecordTail(b);
    rest(b);
    return b.Bytes();
}

void CommonTaskHead(testing::BodyBuilder& b, uint8_t kind) {
    b.Byte(kind).Text("Q").Text("").Text("").Int(1).Int(0).Text("").Text("").Int(0).Text("").Int(0);
}

struct BadBody {
    const char* Name;
    std::function<std::vector<uint8_t>()> Body;
};

class LoaderBadInputTest : public LoaderTest, public ::testing::WithParamInterface<BadBody> {};

TEST_P(LoaderBadInputTest, FailsCleanlyWithNothingUnpackedOrWrittenOutside) {
    const LoadTestOutcome outcome = Load(WriteFile(testing::WrapBody(GetParam().Body())));
    EXPECT_EQ(outcome.Status, LoadTestStatus::Failed);
    EXPECT_EQ(outcome.Result.MessageText(), "Ошибка загрузки теста!");
    EXPECT_FALSE(outcome.Test);
    EXPECT_TRUE(NothingUnpacked());
    EXPECT_FALSE(fs::exists(m_root + "x"));
    EXPECT_FALSE(fs::exists(m_root + "tmp/x"));
}

std::vector<uint8_t> FileEntry(const std::string& name, int32_t size, size_t present) {
    return BodyWith([&](testing::BodyBuilder& b) {
        b.Int(0).Int(2).Text("ok.bin").Int(1).Raw("1"); // a good file first
        b.Text(name).Int(size).Raw(std::string(present, 'x'));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoaderBadInputTest,
    ::testing::Values(
        BadBody{"EmptyBody", [] { return std::vector<uint8_t>{}; }},
        BadBody{"RecordCutShort",
                [] {
                    auto b = RecordHead().Bytes();
                    b.resize(b.size() - 3);
                    return b;
                }},
        BadBody{"NegativeCriteriaCount", [] { return BodyWith([](auto&) {}, -1); }},
        BadBody{"CriteriaMissing", [] { return BodyWith([](auto&) {}, 1000); }},
        BadBody{"NoTaskCount", [] { return BodyWith([](auto&) {}); }},
        BadBody{"TasksMissing", [] { return BodyWith([](auto& b) { b.Int(3); }); }},
        BadBody{
            "TextOf2GB",
            [] { return BodyWith([](auto& b) { b.Int(1).Byte(7).Int(0x7FFFFFF0).Raw("abc"); }); }},
        BadBody{"ElevenVariants",
                [] {
                    return BodyWith([](auto& b) {
                        b.Int(1);
                        CommonTaskHead(b, 1);
                        b.Int(11);
                        for (int i = 0; i < 11; ++i)
                            b.Text("v");
                        b.Int(0).Int(0).Byte(0).Int(0);
                    });
                }},
        BadBody{"ElevenValues",
                [] {
                    return BodyWith([](auto& b) {
                        b.Int(1);
                        CommonTaskHead(b, 2);
                        b.Int(0).Int(11);
                        for (int i = 0; i < 11; ++i)
                            b.Int(1);
                        b.Int(0).Byte(0).Int(0);
                    });
                }},
        BadBody{"SixNumbers",
                [] {
                    return BodyWith([](auto& b) {
                        b.Int(1);
                        CommonTaskHead(b, 6);
                        b.Byte(6);
                        for (int i = 0; i < 6; ++i)
                            b.Double(1).Double(2).Text("");
                        b.Byte(1).Int(0).Byte(0).Int(0);
                    });
                }},
        BadBody{"NegativeAreaCount",
                [] {
                    return BodyWith([](auto& b) {
                        b.Int(1);
                        CommonTaskHead(b, 8);
                        b.Int(-1).Int(0).Byte(0).Int(0);
                    });
                }},
        BadBody{"ParentFolderName", [] { return FileEntry("../x", 1, 1); }},
        BadBody{"AbsoluteName", [] { return FileEntry("/etc/x", 1, 1); }},
        BadBody{"NameWithAFolder", [] { return FileEntry("a/x", 1, 1); }},
        BadBody{"WindowsFolderName", [] { return FileEntry("..\\x", 1, 1); }},
        BadBody{"DotDotName", [] { return FileEntry("..", 1, 1); }},
        BadBody{"EmptyName", [] { return FileEntry("", 1, 1); }},
        BadBody{"NegativeFileSize", [] { return FileEntry("x", -5, 0); }},
        BadBody{"FileLongerThanTheData", [] { return FileEntry("x", 100000, 10); }},
        BadBody{"FileCountWithoutFiles",
                [] { return BodyWith([](auto& b) { b.Int(0).Int(2).Text("ok.bin").Int(0); }); }}),
    testing::CaseName);

TEST_F(LoaderTest, NegativeCountsOfTasksThemesAndFilesGiveNoEntries) {
    const auto body = [] {
        testing::BodyBuilder b = RecordHead();
        b.Int(0).Byte(1).Double(1).Double(2).Text("uid").Int(-4).Byte(0).Int(0).Int(0).Int(0);
        b.Int(-1).Int(-1);
        return b.Bytes();
    }();
    const LoadTestOutcome loaded = Load(WriteFile(testing::WrapBody(body)));
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    EXPECT_TRUE(loaded.Tasks.empty());
    EXPECT_EQ(loaded.Test->ThemeCount(), 1);
    EXPECT_TRUE(loaded.Test->Marks.empty());
    EXPECT_TRUE(fs::is_empty(loaded.Test->TempDir));
}

TEST_F(LoaderTest, BytesAfterTheLastFileAreNeverRead) {
    const auto body =
        BodyWith([](auto& b) { b.Int(0).Int(1).Text("a.txt").Int(2).Raw("hi").Raw("junk"); });
    const LoadTestOutcome loaded = Load(WriteFile(testing::WrapBody(body)));
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    EXPECT_EQ(fs::file_size(loaded.Test->TempDir + "a.txt"), 2u);
}

} // namespace
} // namespace tevrix
