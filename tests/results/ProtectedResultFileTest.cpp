// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ZlibOutputStream.h"
#include "platform/Files.h"
#include "results/ProtectedResultFile.h"
#include "support/ByteBuilder.h"
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace tevrix {
namespace {

using testing::ByteBuilder;
using testing::InflateAfterSignature;
using testing::ReadWholeFile;
using testing::RecordBytes;
using testing::SampleRecord;
using testing::TempFolder;
using testing::WriteWholeFile;

const std::string kUId = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
const std::string kFileName = "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.tvpr";
const ProtectedResultIdentity kTest{kUId, "Ключ"};
const std::string kKeyBytes = "\xCA\xEB\xFE\xF7"; // "Ключ" in Windows-1251

struct FileNameCase {
    const char* Prefix;
    const char* UId;
    const char* Expected;
};

class ProtectedFileName : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(ProtectedFileName, IsPrefixAndUIdWithoutItsEnds) {
    EXPECT_EQ(ProtectedResultFileName(GetParam().Prefix, GetParam().UId), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Names, ProtectedFileName,
                         ::testing::Values(FileNameCase{"", "{ABC-1}", "ABC-1.tvpr"},
                                           FileNameCase{"7A_", "{ABC-1}", "7A_ABC-1.tvpr"},
                                           FileNameCase{"", "«Тест»",
                                                        "Тест.tvpr"}, // characters, not bytes
                                           FileNameCase{"", "{}", ""}, FileNameCase{"x", "{", ""},
                                           FileNameCase{"x", "", ""}),
                         testing::CaseName);

class ProtectedResultFileTest : public ::testing::Test {
protected:
    ProtectedResultFileTest() { m_settings.ProgramDir = m_folder.Path(); }

    ProtectedWriteOutcome Write(const TResultTest& record,
                                const ProtectedResultIdentity& identity = kTest) {
        return WriteProtectedResult(m_settings, identity, record, TextLocale{});
    }
    std::string Path() const { return m_folder.File(kFileName); }
    size_t FilesInFolder() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                          std::filesystem::directory_iterator()));
    }

    TempFolder m_folder;
    ResultOutputSettings m_settings;
};

TEST_F(ProtectedResultFileTest, TheFirstRunCreatesTheFileWithOneRecord) {
    const TResultTest record = SampleRecord();
    const ProtectedWriteOutcome outcome = Write(record);
    EXPECT_EQ(outcome.Status, ProtectedWriteStatus::Written);
    EXPECT_EQ(outcome.Result.Message(), std::nullopt);
    EXPECT_EQ(outcome.Path, Path());

    const std::string file = ReadWholeFile(Path());
    EXPECT_EQ(file.substr(0, 22), "TevrixProtectionResult");
    // zlib header of the best compression: CMF 0x78, FLG 0xDA.
    EXPECT_EQ(file.substr(22, 2), "\x78\xDA");
    EXPECT_EQ(InflateAfterSignature(file),
              ByteBuilder().Text(kUId).Text(kKeyBytes).Int32(1).Raw(RecordBytes(record)).Bytes());
    EXPECT_EQ(FilesInFolder(), 1u); // no temporary file left behind
}

TEST_F(ProtectedResultFileTest, ASecondRunIsAddedAfterTheFirst) {
    const TResultTest first = SampleRecord("Первый");
    const TResultTest second = SampleRecord("Второй");
    ASSERT_EQ(Write(first).Status, ProtectedWriteStatus::Written);
    ASSERT_EQ(Write(second).Status, ProtectedWriteStatus::Written);
    EXPECT_EQ(InflateAfterSignature(ReadWholeFile(Path())), ByteBuilder()
                                                                .Text(kUId)
                                                                .Text(kKeyBytes)
                                                                .Int32(2)
                                                                .Raw(RecordBytes(first))
                                                                .Raw(RecordBytes(second))
                                                                .Bytes());

    FileInputStream file(Path());
    ProtectedResultReader reader(file);
    ASSERT_TRUE(reader.ReadSignature());
    const ProtectedResultIdentity identity = reader.ReadIdentity();
    EXPECT_EQ(identity.UId, kUId);
    EXPECT_EQ(identity.ResultKey, "Ключ");
    const std::vector<TResultTest> runs = reader.ReadRecords();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].UserName, "Первый");
    EXPECT_EQ(runs[1].UserName, "Второй");
}

TEST_F(ProtectedResultFileTest, GoesIntoTheResultFolderWithThePrefix) {
    TempFolder results;
    m_settings.DirForResult = results.Path().substr(0, results.Path().size() - 1); // no slash
    m_settings.ProtectionResultPrefix = "7A_";
    EXPECT_EQ(Write(SampleRecord()).Status, ProtectedWriteStatus::Written);
    EXPECT_TRUE(FileExists(results.File("7A_" + kFileName)));
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(ProtectedResultFileTest, ATestWithoutUIdWritesNothing) {
    EXPECT_EQ(Write(SampleRecord(), {"{}", "k"}).Status, ProtectedWriteStatus::NoUId);
    EXPECT_EQ(Write(SampleRecord(), {"", "k"}).Result.Message(), std::nullopt);
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(ProtectedResultFileTest, AUIdOrPrefixNeverLeadsOutOfTheResultFolder) {
    TempFolder results;
    m_settings.DirForResult = results.File("inner");
    std::filesystem::create_directory(m_settings.DirForResult);
    const std::pair<const char*, const char*> cases[] = {{"", "{../escaped}"}, {"", "{..}"},
                                                         {"", "{a/b}"},        {"../", "{ABC}"},
                                                         {"/tmp/", "{ABC}"},   {"a\\", "{ABC}"}};
    for (const auto& [prefix, uid] : cases) {
        m_settings.ProtectionResultPrefix = prefix;
        const ProtectedWriteOutcome outcome = Write(SampleRecord(), {uid, "k"});
        EXPECT_EQ(outcome.Status, ProtectedWriteStatus::WriteFailed) << prefix << uid;
        EXPECT_EQ(outcome.Result.Message()->Text, "Ошибка записи в защищенный файл результатов.");
    }
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(results.Path()),
                            std::filesystem::recursive_directory_iterator()),
              1); // the inner folder alone
}

TEST_F(ProtectedResultFileTest, AFileWithoutTheSignatureIsNeverOverwritten) {
    for (const std::string& foreign :
         {std::string("TevrixProtectionResulX") + "rest", std::string("Tevrix"), std::string()}) {
        WriteWholeFile(Path(), foreign);
        const ProtectedWriteOutcome outcome = Write(SampleRecord());
        EXPECT_EQ(outcome.Status, ProtectedWriteStatus::WrongSignature);
        EXPECT_EQ(outcome.Result.Message(),
                  (PupilMessage{"Неверный тип файла!", "Ошибка!", MessageIcon::Error}));
        EXPECT_EQ(ReadWholeFile(Path()), foreign);
    }
}

TEST_F(ProtectedResultFileTest, AFileOfAnotherTestIsLeftSilently) {
    ASSERT_EQ(Write(SampleRecord()).Status, ProtectedWriteStatus::Written);
    const std::string before = ReadWholeFile(Path());
    // Same file name, other identity: UId differs in its braces, or the key in case.
    for (const ProtectedResultIdentity& other :
         {ProtectedResultIdentity{"[" + kUId.substr(1, kUId.size() - 2) + "]", "Ключ"},
          ProtectedResultIdentity{kUId, "ключ"}}) {
        const ProtectedWriteOutcome outcome = Write(SampleRecord(), other);
        EXPECT_EQ(outcome.Status, ProtectedWriteStatus::OtherTest);
        EXPECT_EQ(outcome.Result.Message(), std::nullopt);
        EXPECT_EQ(ReadWholeFile(Path()), before);
    }
}

std::string Compressed(const std::string& content) {
    const std::vector<uint8_t> bytes =
        ZlibCompress(reinterpret_cast<const uint8_t*>(content.data()), content.size(), 9);
    return std::string("TevrixProtectionResult") + std::string(bytes.begin(), bytes.end());
}

struct DamagedFileCase {
    const char* Name;
    std::string File;
};

class DamagedProtectedFile : public ProtectedResultFileTest,
                             public ::testing::WithParamInterface<DamagedFileCase> {};

TEST_P(DamagedProtectedFile, IsLeftAsItWasAndTheRunNotAdded) {
    WriteWholeFile(Path(), GetParam().File);
    const ProtectedWriteOutcome outcome = Write(SampleRecord());
    EXPECT_EQ(outcome.Status, ProtectedWriteStatus::ReadFailed);
    EXPECT_EQ(outcome.Result.Message(),
              (PupilMessage{"Ошибка записи в защищенный файл результатов.", "Внимание!",
                            MessageIcon::Information}));
    EXPECT_EQ(ReadWholeFile(Path()), GetParam().File);
    EXPECT_EQ(FilesInFolder(), 1u);
}

ByteBuilder Head() {
    return ByteBuilder().Text(kUId).Text(kKeyBytes);
}

INSTANTIATE_TEST_SUITE_P(
    HostileFiles, DamagedProtectedFile,
    ::testing::Values(
        DamagedFileCase{"no_zlib_stream", "TevrixProtectionResult"},
        DamagedFileCase{"not_zlib", "TevrixProtectionResult" + std::string(40, 'x')},
        DamagedFileCase{
            "truncated_zlib",
            Compressed(Head().Int32(1).Raw(RecordBytes(SampleRecord())).Bytes()).substr(0, 120)},
        DamagedFileCase{"negative_count", Compressed(Head().Int32(-1).Bytes())},
        DamagedFileCase{"huge_count", Compressed(Head().Int32(0x7FFFFFFF).Bytes())},
        DamagedFileCase{"fewer_records_than_counted",
                        Compressed(Head().Int32(3).Raw(RecordBytes(SampleRecord())).Bytes())},
        DamagedFileCase{
            "torn_record",
            Compressed(Head().Int32(1).Raw(RecordBytes(SampleRecord()).substr(0, 90)).Bytes())},
        DamagedFileCase{"no_count", Compressed(Head().Bytes())}),
    testing::CaseName);

TEST_F(ProtectedResultFileTest, AMissingResultFolderFailsWithTheMessage) {
    m_settings.DirForResult = m_folder.File("missing");
    const ProtectedWriteOutcome outcome = Write(SampleRecord());
    EXPECT_EQ(outcome.Status, ProtectedWriteStatus::WriteFailed);
    EXPECT_EQ(outcome.Result.Message()->Text, "Ошибка записи в защищенный файл результатов.");
}

// A full disk, simulated by a file size limit in a child process: the new
// content cannot be written, and the old file must survive whole.
TEST_F(ProtectedResultFileTest, AFailedWriteLeavesTheOldFileIntact) {
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(Write(SampleRecord("Ученик " + std::to_string(i))).Status,
                  ProtectedWriteStatus::Written);
    const std::string before = ReadWholeFile(Path());

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const ProtectedWriteOutcome outcome = Write(SampleRecord("Лишний"));
        std::_Exit(static_cast<int>(outcome.Status));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ProtectedWriteStatus::WriteFailed));
    EXPECT_EQ(ReadWholeFile(Path()), before);
    EXPECT_EQ(FilesInFolder(), 1u);
}

} // namespace
} // namespace tevrix
