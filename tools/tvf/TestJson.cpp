// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestJson.h"

#include "Commands.h"
#include "platform/Files.h"
#include "text/Cp1251.h"

#include <cstdint>
#include <set>
#include <utility>

namespace tevrix::tool {
namespace {

// Reading: every field is optional and keeps the new object's default when
// absent; a field of the wrong type is an error naming it.

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw ToolError{where + ": " + what};
}

// Test files hold Windows-1251: a character it has no place for would
// silently become '?', so it is refused.
std::string Encodable(std::string text, const std::string& where) {
    if (Cp1251ToUtf8(Utf8ToCp1251(text)) != text)
        Fail(where, "holds a character that Windows-1251 cannot store");
    return text;
}

// A whole number that fits T; JSON's conversion of a fraction or of a number
// beyond T's range would be undefined.
template <typename T> T WholeNumber(const Json& value, const std::string& where) {
    if (value.is_number_unsigned()) {
        const uint64_t number = value.get<uint64_t>();
        if (std::in_range<T>(number))
            return static_cast<T>(number);
    } else if (value.is_number_integer()) {
        const int64_t number = value.get<int64_t>();
        if (std::in_range<T>(number))
            return static_cast<T>(number);
    } else {
        Fail(where, "wrong type");
    }
    Fail(where, "out of range");
}

template <typename T> T As(const Json& value, const std::string& where) {
    try {
        if constexpr (std::is_same_v<T, std::string>)
            return Encodable(value.get<std::string>(), where);
        else if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
            return WholeNumber<T>(value, where);
        else
            return value.get<T>();
    } catch (const nlohmann::json::exception&) {
        Fail(where, "wrong type");
    }
}

template <typename T>
void Take(const Json& object, const char* key, T& target, const std::string& where) {
    const auto it = object.find(key);
    if (it != object.end())
        target = As<T>(*it, where + "." + key);
}

RichText ReadRichText(const Json& value, const std::filesystem::path& baseDir,
                      const std::string& where) {
    if (value.is_string())
        return RichText{Utf8ToCp1251(As<std::string>(value, where))};
    if (value.is_object() && value.contains("File") && value["File"].is_string()) {
        const auto path = baseDir / value["File"].get<std::string>();
        try {
            const std::vector<uint8_t> bytes = ReadFileBytes(path.string());
            return RichText{std::string(bytes.begin(), bytes.end())};
        } catch (const IoError& error) {
            Fail(where, error.what());
        }
    }
    Fail(where, "a text or {\"File\": path} expected");
}

void TakeRich(const Json& object, const char* key, RichText& target,
              const std::filesystem::path& baseDir, const std::string& where) {
    if (object.contains(key))
        target = ReadRichText(object[key], baseDir, where + "." + key);
}

const Json& ArrayAt(const Json& object, const char* key, size_t limit, const std::string& where) {
    static const Json kEmpty = Json::array();
    if (!object.contains(key))
        return kEmpty;
    const Json& value = object[key];
    if (!value.is_array())
        Fail(where + "." + key, "an array expected");
    if (value.size() > limit)
        Fail(where + "." + key, "at most " + std::to_string(limit) + " entries");
    return value;
}

template <size_t N>
void TakeRichSlots(const Json& object, const char* key, std::array<RichText, N>& slots,
                   const std::filesystem::path& baseDir, const std::string& where) {
    const Json& values = ArrayAt(object, key, N, where);
    for (size_t i = 0; i < values.size(); ++i)
        slots[i] =
            ReadRichText(values[i], baseDir, where + "." + key + "[" + std::to_string(i) + "]");
}

// A text answer list may be one text (lines separated by CR LF) or an array
// of lines.
void TakeTextAnswers(const Json& object, TTask& task, const std::string& where) {
    if (!object.contains("TextAnswers"))
        return;
    const Json& value = object["TextAnswers"];
    if (value.is_string()) {
        task.TextAnswers = As<std::string>(value, where + ".TextAnswers");
        return;
    }
    if (!value.is_array())
        Fail(where + ".TextAnswers", "a text or an array of texts expected");
    std::string joined;
    for (size_t i = 0; i < value.size(); ++i) {
        if (!value[i].is_string())
            Fail(where + ".TextAnswers", "an array of texts expected");
        joined += (i ? "\r\n" : "") + As<std::string>(value[i], where + ".TextAnswers");
    }
    task.TextAnswers = joined;
}

void TaskFromJson(const Json& json, const std::filesystem::path& baseDir, TTask& task,
                  const std::string& where) {
    if (!json.is_object())
        Fail(where, "an object expected");
    int kind = 0;
    Take(json, "Kind", kind, where);
    if (kind < 0 || kind > 255)
        Fail(where + ".Kind", "0 to 255 expected");
    task.Kind = static_cast<TaskKind>(kind);
    TakeRich(json, "Question", task.Question, baseDir, where);
    Take(json, "PictureFile", task.PictureFile, where);
    Take(json, "MediaFile", task.MediaFile, where);
    Take(json, "Points", task.Points, where);
    Take(json, "TimeLimit", task.TimeLimit, where);
    TakeRich(json, "Introduction", task.Introduction, baseDir, where);
    TakeRich(json, "Prompt", task.Prompt, baseDir, where);
    Take(json, "PromptPenalty", task.PromptPenalty, where);
    TakeRich(json, "Explanation", task.Explanation, baseDir, where);
    Take(json, "ThemeKey", task.ThemeKey, where);

    TakeRichSlots(json, "Variants", task.Variants, baseDir, where);
    TakeRichSlots(json, "Matches", task.Matches, baseDir, where);
    const Json& values = ArrayAt(json, "VariantValues", TTask::kSlotCount, where);
    for (size_t i = 0; i < values.size(); ++i)
        task.VariantValues[i] = As<int32_t>(values[i], where + ".VariantValues");

    const Json& ranges = ArrayAt(json, "NumberRanges", TTask::kNumberSlotCount, where);
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (!ranges[i].is_array() || ranges[i].size() != 2 || !ranges[i][0].is_number() ||
            !ranges[i][1].is_number())
            Fail(where + ".NumberRanges", "[Low, High] pairs of numbers expected");
        task.NumberRanges[i] = {ranges[i][0].get<double>(), ranges[i][1].get<double>()};
    }
    const Json& labels = ArrayAt(json, "NumberLabels", TTask::kNumberSlotCount, where);
    for (size_t i = 0; i < labels.size(); ++i)
        task.NumberLabels[i] = As<std::string>(labels[i], where + ".NumberLabels");
    int numberCount = task.NumberCount;
    Take(json, "NumberCount", numberCount, where);
    if (numberCount < 1 || numberCount > static_cast<int>(TTask::kNumberSlotCount))
        Fail(where + ".NumberCount", "1 to 5 expected");
    task.NumberCount = static_cast<uint8_t>(numberCount);
    Take(json, "NumberOrderMatters", task.NumberOrderMatters, where);

    TakeTextAnswers(json, task, where);
    Take(json, "TextCaseSensitive", task.TextCaseSensitive, where);
    Take(json, "TextIsRegExp", task.TextIsRegExp, where);

    for (const Json& area : ArrayAt(json, "Areas", 10'000, where)) {
        if (!area.is_array() || area.size() != 4)
            Fail(where + ".Areas", "[Left, Top, Right, Bottom] expected");
        const auto side = [&](size_t i) { return As<int32_t>(area[i], where + ".Areas"); };
        task.Areas.push_back({side(0), side(1), side(2), side(3)});
    }
    Take(json, "Word", task.Word, where);
}

void MarksFromJson(const Json& json, TTest& test) {
    if (!json.contains("Marks"))
        return;
    const Json& marks = ArrayAt(json, "Marks", 10'000, "test");
    test.Marks.clear();
    for (size_t i = 0; i < marks.size(); ++i) {
        const std::string where = "test.Marks[" + std::to_string(i) + "]";
        if (!marks[i].is_object())
            Fail(where, "an object expected");
        TMark mark;
        mark.Value = static_cast<int32_t>(i + 1);
        Take(marks[i], "Value", mark.Value, where);
        Take(marks[i], "Percent", mark.Percent, where);
        Take(marks[i], "Name", mark.Name, where);
        test.Marks.push_back(mark);
    }
}

void ThemesFromJson(const Json& json, TTest& test) {
    const Json& themes = ArrayAt(json, "Themes", 10'000, "test");
    for (size_t i = 0; i < themes.size(); ++i) {
        const std::string where = "test.Themes[" + std::to_string(i) + "]";
        if (!themes[i].is_object())
            Fail(where, "an object expected");
        TTheme theme;
        Take(themes[i], "Key", theme.Key, where);
        Take(themes[i], "Name", theme.Name, where);
        Take(themes[i], "Comment", theme.Comment, where);
        Take(themes[i], "TakeCount", theme.TakeCount, where);
        Take(themes[i], "TakeLimited", theme.TakeLimited, where);
        test.SetTheme(theme.Key, theme.Name, theme.Comment, theme.TakeCount, theme.TakeLimited);
    }
}

void FilesFromJson(const Json& json, const std::filesystem::path& baseDir,
                   std::vector<EmbeddedFile>& files) {
    std::set<std::string> names;
    const Json& list = ArrayAt(json, "Files", 100'000, "test");
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string where = "test.Files[" + std::to_string(i) + "]";
        EmbeddedFile file;
        std::string path;
        if (!list[i].is_object())
            Fail(where, "an object expected");
        Take(list[i], "Name", file.Name, where);
        Take(list[i], "Path", path, where);
        if (path.empty())
            path = file.Name;
        if (!names.insert(file.Name).second)
            Fail(where + ".Name", "\"" + file.Name + "\" is embedded twice");
        try {
            file.Content = ReadFileBytes((baseDir / path).string());
        } catch (const IoError& error) {
            Fail(where + ".Path", error.what());
        }
        files.push_back(std::move(file));
    }
}

} // namespace

void TestFromJson(const Json& json, const std::filesystem::path& baseDir, TTest& test,
                  TTaskList& tasks, std::vector<EmbeddedFile>& files) {
    if (!json.is_object())
        Fail("test", "a JSON object expected");
    const std::string where = "test";
    Take(json, "Title", test.Title, where);
    Take(json, "Author", test.Author, where);
    TakeRich(json, "Description", test.Description, baseDir, where);
    TakeRich(json, "Instruction", test.Instruction, baseDir, where);
    Take(json, "ReservedText1", test.ReservedText1, where);
    Take(json, "RandomTaskOrder", test.RandomTaskOrder, where);
    Take(json, "RandomVariantOrder", test.RandomVariantOrder, where);
    Take(json, "TestTimeLimit", test.TestTimeLimit, where);
    Take(json, "TasksToAsk", test.TasksToAsk, where);
    Take(json, "ShowCorrectAnswer", test.ShowCorrectAnswer, where);
    Take(json, "PenalizeWrong", test.PenalizeWrong, where);
    Take(json, "AllowSkip", test.AllowSkip, where);
    Take(json, "ExclusiveMode", test.ExclusiveMode, where);
    Take(json, "ReportToServer", test.ReportToServer, where);
    Take(json, "ServerProgressFlag", test.ServerProgressFlag, where);
    Take(json, "ShowReport", test.ShowReport, where);
    Take(json, "ShowResult", test.ShowResult, where);
    Take(json, "SaveResult", test.SaveResult, where);
    Take(json, "SaveProtectedResult", test.SaveProtectedResult, where);
    Take(json, "ReservedText2", test.ReservedText2, where);
    Take(json, "OpenPassword", test.OpenPassword, where);
    Take(json, "StartPassword", test.StartPassword, where);
    Take(json, "ResultKey", test.ResultKey, where);
    MarksFromJson(json, test);
    Take(json, "WholeAnswerOnly", test.WholeAnswerOnly, where);
    ThemesFromJson(json, test);
    Take(json, "UseThemes", test.UseThemes, where);
    Take(json, "Created", test.Created, where);
    Take(json, "Saved", test.Saved, where);
    Take(json, "UId", test.UId, where);
    Take(json, "MaxRuns", test.MaxRuns, where);
    Take(json, "MinAnsweredPercent", test.MinAnsweredPercent, where);

    const Json& list = ArrayAt(json, "Tasks", 100'000, where);
    for (size_t i = 0; i < list.size(); ++i) {
        TTask task;
        TaskFromJson(list[i], baseDir, task, "test.Tasks[" + std::to_string(i) + "]");
        tasks.push_back(std::move(task));
    }
    FilesFromJson(json, baseDir, files);
}

std::string RawRichText(const RichText& text) {
    return Cp1251ToUtf8(text.Bytes);
}

namespace {

template <size_t N>
Json RichSlots(const std::array<RichText, N>& slots, int count, RichTextView richText) {
    Json out = Json::array();
    for (int i = 0; i < count; ++i)
        out.push_back(richText(slots[i]));
    return out;
}

Json TaskToJson(const TTask& task, RichTextView richText) {
    Json json;
    json["Kind"] = static_cast<int>(task.Kind);
    json["Question"] = richText(task.Question);
    json["PictureFile"] = task.PictureFile;
    json["MediaFile"] = task.MediaFile;
    json["Points"] = task.Points;
    json["TimeLimit"] = task.TimeLimit;
    json["Introduction"] = richText(task.Introduction);
    json["Prompt"] = richText(task.Prompt);
    json["PromptPenalty"] = task.PromptPenalty;
    json["Explanation"] = richText(task.Explanation);
    json["ThemeKey"] = task.ThemeKey;
    switch (task.Kind) {
    case TaskKind::tkSingleChoice:
    case TaskKind::tkMultipleChoice:
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse: {
        json["Variants"] = RichSlots(task.Variants, task.VariantCount(), richText);
        if (task.Kind == TaskKind::tkMatching)
            json["Matches"] = RichSlots(task.Matches, task.MatchCount(), richText);
        size_t values = task.VariantValues.size();
        while (values > 0 && task.VariantValues[values - 1] == 0)
            --values; // trailing zeros are the slots' defaults
        json["VariantValues"] =
            std::vector<int32_t>(task.VariantValues.begin(), task.VariantValues.begin() + values);
        break;
    }
    case TaskKind::tkNumberInput: {
        json["NumberCount"] = task.NumberCount;
        Json ranges = Json::array();
        Json labels = Json::array();
        for (int i = 0; i < task.NumberCount; ++i) {
            ranges.push_back({task.NumberRanges[i].Low, task.NumberRanges[i].High});
            labels.push_back(task.NumberLabels[i]);
        }
        json["NumberRanges"] = ranges;
        json["NumberLabels"] = labels;
        json["NumberOrderMatters"] = task.NumberOrderMatters;
        break;
    }
    case TaskKind::tkTextInput:
        json["TextAnswers"] = task.TextAnswers;
        json["TextCaseSensitive"] = task.TextCaseSensitive;
        json["TextIsRegExp"] = task.TextIsRegExp;
        break;
    case TaskKind::tkPointOnImage: {
        Json areas = Json::array();
        for (const TArea& area : task.Areas)
            areas.push_back({area.Left, area.Top, area.Right, area.Bottom});
        json["Areas"] = areas;
        break;
    }
    case TaskKind::tkComposeWord: json["Word"] = task.Word; break;
    default: break;
    }
    return json;
}

} // namespace

Json TestToJson(const TTest& test, const TTaskList& tasks, const std::vector<DumpedFile>& files,
                RichTextView richText) {
    Json json;
    json["Title"] = test.Title;
    json["Author"] = test.Author;
    json["Description"] = richText(test.Description);
    json["Instruction"] = richText(test.Instruction);
    json["ReservedText1"] = test.ReservedText1;
    json["RandomTaskOrder"] = test.RandomTaskOrder;
    json["RandomVariantOrder"] = test.RandomVariantOrder;
    json["TestTimeLimit"] = test.TestTimeLimit;
    json["TasksToAsk"] = test.TasksToAsk;
    json["ShowCorrectAnswer"] = test.ShowCorrectAnswer;
    json["PenalizeWrong"] = test.PenalizeWrong;
    json["AllowSkip"] = test.AllowSkip;
    json["ExclusiveMode"] = test.ExclusiveMode;
    json["ReportToServer"] = test.ReportToServer;
    json["ServerProgressFlag"] = test.ServerProgressFlag;
    json["ShowReport"] = test.ShowReport;
    json["ShowResult"] = test.ShowResult;
    json["SaveResult"] = test.SaveResult;
    json["SaveProtectedResult"] = test.SaveProtectedResult;
    json["ReservedText2"] = test.ReservedText2;
    json["OpenPassword"] = test.OpenPassword;
    json["StartPassword"] = test.StartPassword;
    json["ResultKey"] = test.ResultKey;
    json["Marks"] = Json::array();
    for (const TMark& mark : test.Marks)
        json["Marks"].push_back(
            {{"Value", mark.Value}, {"Percent", mark.Percent}, {"Name", mark.Name}});
    json["WholeAnswerOnly"] = test.WholeAnswerOnly;
    json["Themes"] = Json::array();
    for (const TTheme& theme : test.Themes)
        json["Themes"].push_back({{"Key", theme.Key},
                                  {"Name", theme.Name},
                                  {"Comment", theme.Comment},
                                  {"TakeCount", theme.TakeCount},
                                  {"TakeLimited", theme.TakeLimited}});
    json["UseThemes"] = test.UseThemes;
    json["Created"] = test.Created;
    json["Saved"] = test.Saved;
    json["UId"] = test.UId;
    json["MaxRuns"] = test.MaxRuns;
    json["MinAnsweredPercent"] = test.MinAnsweredPercent;
    json["FileCrc"] = test.FileCrc;
    json["AskCount"] = test.AskCount;
    json["Tasks"] = Json::array();
    for (const TTask& task : tasks)
        json["Tasks"].push_back(TaskToJson(task, richText));
    json["Files"] = Json::array();
    for (const DumpedFile& file : files) {
        Json entry{{"Name", file.Name}, {"Size", file.Size}};
        if (!file.Path.empty())
            entry["Path"] = file.Path;
        json["Files"].push_back(entry);
    }
    return json;
}

} // namespace tevrix::tool
