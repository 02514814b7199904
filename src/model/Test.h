// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "io/ByteStream.h"
#include "model/Task.h"
#include "richtext/RichText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tevrix {

// One grading criterion.
struct TMark {
    int32_t Value = 0;
    int32_t Percent = 0;
    std::string Name;
    friend bool operator==(const TMark&, const TMark&) = default;
};

// One theme of a test. Key 0 is the general list of tasks without a theme.
struct TTheme {
    int32_t Key = 0;
    std::string Name;
    std::string Comment;
    int32_t TakeCount = 0;
    bool TakeLimited = false;
    int32_t TaskCount = 0; // computed by RecountThemes, never stored
    friend bool operator==(const TTheme&, const TTheme&) = default;
};

inline constexpr const char* kGeneralThemeName = "Общий список заданий (без темы)";
inline constexpr const char* kGeneralThemeComment = "Основная тема. Ее удалить нельзя.";

// The test. It owns a temporary folder, created with it and deleted with it,
// into which the loader unpacks the embedded files. Plain texts are UTF-8.
class TTest {
public:
    // Creates the temporary folder below `tempRoot` (TempRoot() by default).
    TTest();
    explicit TTest(const std::string& tempRoot);
    ~TTest();
    TTest(const TTest&) = delete;
    TTest& operator=(const TTest&) = delete;

    std::string FileName;
    std::string TempDir; // always ends with '/'
    bool Modified = false;
    std::string Title;
    std::string Author;
    RichText Description;
    RichText Instruction;
    std::string ReservedText1;
    bool RandomTaskOrder = false;
    bool RandomVariantOrder = false;
    int32_t TestTimeLimit = 0;
    int32_t TasksToAsk = 0;
    bool ShowCorrectAnswer = false;
    bool PenalizeWrong = false;
    bool AllowSkip = false;
    bool ExclusiveMode = false;
    bool ReportToServer = true;
    bool ServerProgressFlag = true;
    bool ShowReport = false;
    bool ShowResult = true;
    bool SaveResult = true;
    bool SaveProtectedResult = false;
    std::string ReservedText2;
    std::string OpenPassword;
    std::string StartPassword;
    std::string ResultKey;
    std::vector<TMark> Marks;
    bool WholeAnswerOnly = true;
    std::vector<TTheme> Themes;
    bool UseThemes = false;
    uint32_t FileCrc = 0;
    double Created = 0;
    double Saved = 0;
    std::string UId;
    int32_t MaxRuns = 0;
    int32_t MinAnsweredPercent = 0;
    int32_t AskCount = 0;

    // Reads the test record of a test file's body; throws FormatError.
    void LoadFromStream(InputStream& input);
    // Writes the test record as LoadFromStream reads it (the editor's side).
    void SaveToStream(OutputStream& output) const;

    int MarkCount() const { return static_cast<int>(Marks.size()); }
    TMark GetMark(int index) const { return Marks[index]; }
    void SetMarkCount(int count);
    // `index` counts from 1; out of range is ignored.
    void SetMark(int index, int32_t percent, const std::string& name);

    int ThemeCount() const { return static_cast<int>(Themes.size()); }
    const TTheme& GetTheme(int index) const { return Themes[index]; }
    void SetTheme(int32_t key, const std::string& name, const std::string& comment,
                  int32_t takeCount, bool takeLimited);
    void SetModified(bool flag) { Modified = flag; }

    // Computes every theme's TaskCount (with themes) and AskCount.
    void RecountThemes(const TTaskList& tasks);

    // Deletes the temporary folder with everything in it. Fails with the
    // system's text for the last failure in a plain box. The destructor does
    // the same silently when it was not done before.
    Outcome DeleteTempDir();

private:
    void CreateTempDir(const std::string& tempRoot);
};

} // namespace tevrix
