// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Test.h"

#include "io/BinaryReader.h"
#include "io/BinaryWriter.h"
#include "model/TestFileFormat.h"
#include "platform/Paths.h"
#include "text/Cp1251.h"
#include "text/DateTime.h"
#include "text/Guid.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace tevrix {
namespace {

// Reads an int32 count that a damaged file could make absurd.
int32_t ReadBoundedCount(BinaryReader& reader, int32_t limit) {
    const int32_t count = reader.ReadInt32();
    if (count > limit)
        throw FormatError("count out of range");
    return count;
}

std::string ReadPlainText(BinaryReader& reader) {
    return Cp1251ToUtf8(reader.ReadText());
}

void WritePlainText(BinaryWriter& writer, const std::string& text) {
    writer.WriteText(Utf8ToCp1251(text));
}

} // namespace

TTest::TTest() : TTest(TempRoot()) {}

TTest::TTest(const std::string& tempRoot) {
    CreateTempDir(tempRoot);
    SetMarkCount(5);
    SetMark(3, 50, "");
    SetMark(4, 70, "");
    SetMark(5, 85, "");
    WholeAnswerOnly = true;
    SetTheme(0, kGeneralThemeName, kGeneralThemeComment, 0, false);
    ReportToServer = true;
    ShowResult = true;
    SaveResult = true;
    ServerProgressFlag = true;
    Created = NowOleDate();
    Modified = false;
}

TTest::~TTest() {
    DeleteTempDir();
}

void TTest::CreateTempDir(const std::string& tempRoot) {
    // A folder of our own, never one that is there already (whatever stands
    // at a name is someone else's and is neither written to nor deleted).
    // One level only; another failure shows later, when a file cannot be
    // written.
    for (int attempt = 0; attempt < 8; ++attempt) {
        TempDir = WithTrailingSlash(tempRoot) + NewGuidText() + "/";
        if (::mkdir(TempDir.c_str(), 0700) == 0 || errno != EEXIST)
            return;
    }
}

Outcome TTest::DeleteTempDir() {
    if (TempDir.empty())
        return {};
    std::error_code error;
    const fs::path dir = TempDir;
    if (fs::exists(dir, error)) {
        // Read-only files and folders must go too: give the owner write access.
        for (auto it = fs::recursive_directory_iterator(dir, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            // A link is removed, never followed: what it points to stays as it is.
            std::error_code ignored;
            if (!it->is_symlink(ignored))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        error.clear();
        fs::remove_all(dir, error);
    }
    TempDir.clear();
    if (error)
        return Outcome::Failure(PupilMessage{error.message(), {}, MessageIcon::None});
    return {};
}

void TTest::SetMarkCount(int count) {
    if (count == MarkCount())
        return;
    Marks.assign(static_cast<size_t>(std::max(count, 0)), TMark{});
    for (size_t i = 0; i < Marks.size(); ++i)
        Marks[i].Value = static_cast<int32_t>(i + 1);
    Modified = true;
}

void TTest::SetMark(int index, int32_t percent, const std::string& name) {
    if (index < 1 || index > MarkCount())
        return;
    TMark& mark = Marks[index - 1];
    if (mark.Percent != percent || mark.Name != name)
        Modified = true;
    mark.Percent = percent;
    mark.Name = name;
}

void TTest::SetTheme(int32_t key, const std::string& name, const std::string& comment,
                     int32_t takeCount, bool takeLimited) {
    auto it = std::find_if(Themes.begin(), Themes.end(),
                           [key](const TTheme& theme) { return theme.Key == key; });
    if (it == Themes.end()) {
        Themes.push_back(TTheme{});
        it = Themes.end() - 1;
        it->Key = key;
    }
    it->Name = name;
    it->Comment = comment;
    it->TakeCount = takeLimited ? takeCount : 0;
    it->TakeLimited = takeLimited;
    Modified = true;
}

void TTest::RecountThemes(const TTaskList& tasks) {
    if (!UseThemes) {
        AskCount = static_cast<int32_t>(tasks.size());
        return;
    }
    AskCount = 0;
    for (TTheme& theme : Themes) {
        theme.TaskCount = static_cast<int32_t>(
            std::count_if(tasks.begin(), tasks.end(),
                          [&theme](const TTask& task) { return task.ThemeKey == theme.Key; }));
        // A limited theme gives at most its tasks and never fewer than none:
        // the run skips a theme whose TakeCount is 0 or negative. So the sum
        // stays within the number of tasks.
        AskCount +=
            theme.TakeLimited ? std::clamp(theme.TakeCount, 0, theme.TaskCount) : theme.TaskCount;
    }
}

void TTest::LoadFromStream(InputStream& input) {
    BinaryReader reader(input);
    Title = ReadPlainText(reader);
    Author = ReadPlainText(reader);
    Description.Bytes = reader.ReadText();
    Instruction.Bytes = reader.ReadText();
    reader.ReadByte(); // reserved
    ReservedText1 = ReadPlainText(reader);
    RandomTaskOrder = reader.ReadBool();
    RandomVariantOrder = reader.ReadBool();
    TestTimeLimit = reader.ReadInt32();
    TasksToAsk = reader.ReadInt32();
    ShowCorrectAnswer = reader.ReadBool();
    PenalizeWrong = reader.ReadBool();
    AllowSkip = reader.ReadBool();
    ExclusiveMode = reader.ReadBool();
    ShowResult = reader.ReadBool();
    SaveResult = reader.ReadBool();
    SaveProtectedResult = reader.ReadBool();
    ReportToServer = reader.ReadBool();
    ServerProgressFlag = reader.ReadBool();
    ShowReport = reader.ReadBool();
    MinAnsweredPercent = reader.ReadInt32();
    ReservedText2 = ReadPlainText(reader);
    OpenPassword = ReadPlainText(reader);
    StartPassword = ReadPlainText(reader);
    ResultKey = ReadPlainText(reader);

    const int32_t markCount = ReadBoundedCount(reader, tvf::kMaxMarks);
    if (markCount < 0)
        throw FormatError("negative criteria count");
    std::vector<TMark> marks;
    for (int32_t i = 0; i < markCount; ++i) {
        TMark mark;
        mark.Value = reader.ReadInt32();
        mark.Percent = reader.ReadInt32();
        mark.Name = ReadPlainText(reader);
        marks.push_back(std::move(mark));
    }
    Marks = std::move(marks);

    WholeAnswerOnly = reader.ReadBool();
    Created = reader.ReadDouble();
    Saved = reader.ReadDouble();
    UId = ReadPlainText(reader);

    const int32_t themeCount = ReadBoundedCount(reader, tvf::kMaxThemes);
    for (int32_t i = 0; i < themeCount; ++i) {
        const int32_t key = reader.ReadInt32();
        const std::string name = ReadPlainText(reader);
        const std::string comment = ReadPlainText(reader);
        const int32_t takeCount = reader.ReadInt32();
        const bool takeLimited = reader.ReadBool();
        SetTheme(key, name, comment, takeCount, takeLimited);
    }
    UseThemes = reader.ReadBool();
    MaxRuns = reader.ReadInt32();
    reader.ReadInt32(); // reserved
    reader.ReadInt32(); // reserved
}

void TTest::SaveToStream(OutputStream& output) const {
    BinaryWriter writer(output);
    WritePlainText(writer, Title);
    WritePlainText(writer, Author);
    writer.WriteText(Description.Bytes);
    writer.WriteText(Instruction.Bytes);
    writer.WriteByte(0);
    WritePlainText(writer, ReservedText1);
    writer.WriteBool(RandomTaskOrder);
    writer.WriteBool(RandomVariantOrder);
    writer.WriteInt32(TestTimeLimit);
    writer.WriteInt32(TasksToAsk);
    writer.WriteBool(ShowCorrectAnswer);
    writer.WriteBool(PenalizeWrong);
    writer.WriteBool(AllowSkip);
    writer.WriteBool(ExclusiveMode);
    writer.WriteBool(ShowResult);
    writer.WriteBool(SaveResult);
    writer.WriteBool(SaveProtectedResult);
    writer.WriteBool(ReportToServer);
    writer.WriteBool(ServerProgressFlag);
    writer.WriteBool(ShowReport);
    writer.WriteInt32(MinAnsweredPercent);
    WritePlainText(writer, ReservedText2);
    WritePlainText(writer, OpenPassword);
    WritePlainText(writer, StartPassword);
    WritePlainText(writer, ResultKey);
    writer.WriteInt32(MarkCount());
    for (const TMark& mark : Marks) {
        writer.WriteInt32(mark.Value);
        writer.WriteInt32(mark.Percent);
        WritePlainText(writer, mark.Name);
    }
    writer.WriteBool(WholeAnswerOnly);
    writer.WriteDouble(Created);
    writer.WriteDouble(Saved);
    WritePlainText(writer, UId);
    writer.WriteInt32(ThemeCount());
    for (const TTheme& theme : Themes) {
        writer.WriteInt32(theme.Key);
        WritePlainText(writer, theme.Name);
        WritePlainText(writer, theme.Comment);
        writer.WriteInt32(theme.TakeCount);
        writer.WriteBool(theme.TakeLimited);
    }
    writer.WriteBool(UseThemes);
    writer.WriteInt32(MaxRuns);
    writer.WriteInt32(0);
    writer.WriteInt32(0);
}

} // namespace tevrix
