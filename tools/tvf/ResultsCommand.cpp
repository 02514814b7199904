// SPDX-License-Identifier: GPL-3.0-or-later
// tvf results FILE.tvpr [--json]: prints every run of a protected result
// file, one CSV row per run (a header row first), or the whole file as JSON.
#include "Commands.h"
#include "platform/Files.h"
#include "results/ProtectedResultReader.h"
#include "text/DateTime.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace tevrix::tool {
namespace {

using Json = nlohmann::ordered_json;

struct ResultsOptions {
    std::string Input;
    bool AsJson = false;
};

ResultsOptions ParseResultsOptions(const Arguments& args) {
    ResultsOptions options;
    for (const std::string& arg : args) {
        if (arg == "--json")
            options.AsJson = true;
        else if (options.Input.empty() && !arg.empty() && arg[0] != '-')
            options.Input = arg;
        else
            throw UsageError{"unexpected argument \"" + arg + "\""};
    }
    if (options.Input.empty())
        throw UsageError{"no result file given"};
    return options;
}

struct ProtectedResults {
    ProtectedResultIdentity Identity;
    std::vector<TResultTest> Runs;
};

ProtectedResults ReadResults(const std::string& path) {
    try {
        FileInputStream file(path);
        ProtectedResultReader reader(file);
        if (!reader.ReadSignature())
            throw ToolError{path + " is not a protected result file (no signature)"};
        ProtectedResults results;
        results.Identity = reader.ReadIdentity();
        results.Runs = reader.ReadRecords();
        return results;
    } catch (const IoError& error) {
        throw ToolError{"cannot read " + std::string(error.what())};
    } catch (const FormatError& error) {
        throw ToolError{path + " is damaged: " + error.what()};
    }
}

std::string HexCrc(uint32_t crc) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(crc));
    return buffer;
}

// The fields of a run in record order. `readable` gives the CSV form: dates as
// "dd.mm.yyyy hh:nn:ss", the checksum in hexadecimal, masks as their texts;
// otherwise dates stay OLE numbers and masks arrays, as the file holds them.
Json RunFields(const TResultTest& run, bool readable) {
    const auto date = [&](double value) {
        return readable ? Json(FormatDateTime("dd.mm.yyyy hh:nn:ss", value)) : Json(value);
    };
    Json fields;
    fields["UserName"] = run.UserName;
    fields["UserGroup"] = run.UserGroup;
    fields["ComputerName"] = run.ComputerName;
    fields["ComputerUserName"] = run.ComputerUserName;
    fields["Reserved1"] = run.Reserved1;
    fields["TimeBegin"] = date(run.TimeBegin);
    fields["TimeEnd"] = date(run.TimeEnd);
    fields["Duration"] = run.Duration;
    fields["ResultDate"] = date(run.ResultDate);
    fields["TestTitle"] = run.TestTitle;
    fields["TestFileName"] = run.TestFileName;
    fields["TestFileCRC"] = readable ? Json(HexCrc(run.TestFileCRC)) : Json(run.TestFileCRC);
    fields["TestUId"] = run.TestUId;
    fields["ResultMask"] = readable ? Json(run.ResultMaskText()) : Json(run.ResultMask);
    fields["TimeMask"] = readable ? Json(run.TimeMaskText()) : Json(run.TimeMask);
    fields["AnswerMask"] = readable ? Json(run.AnswerMaskText()) : Json(run.AnswerMask);
    fields["PenaltyMask"] = readable ? Json(run.PenaltyMaskText()) : Json(run.PenaltyMask);
    fields["EndReason"] = static_cast<int>(run.EndReason);
    fields["Mark"] = run.Mark;
    fields["MarkName"] = run.MarkName;
    fields["MarkCount"] = run.MarkCount;
    fields["TaskCount"] = run.TaskCount;
    fields["DoneCount"] = run.DoneCount;
    fields["RightCount"] = run.RightCount;
    fields["WrongCount"] = run.WrongCount;
    fields["NoAnswerCount"] = run.NoAnswerCount;
    fields["PromptCount"] = run.PromptCount;
    fields["MaxScore"] = run.MaxScore;
    fields["Score"] = run.Score;
    fields["Reserved2"] = run.Reserved2;
    return fields;
}

// One CSV field: quoted when it holds a comma, a quote or a line break, with
// quotes doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

void PrintCsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i)
        row += (i ? "," : "") + CsvField(fields[i]);
    std::printf("%s\n", row.c_str());
}

void PrintCsv(const ProtectedResults& results) {
    std::vector<std::string> header;
    const Json names = RunFields(TResultTest(), true);
    for (const auto& field : names.items())
        header.push_back(field.key());
    PrintCsvRow(header);
    for (const TResultTest& run : results.Runs) {
        const Json fields = RunFields(run, true);
        std::vector<std::string> row;
        for (const auto& field : fields.items())
            row.push_back(field.value().is_string() ? field.value().get<std::string>()
                                                    : field.value().dump());
        PrintCsvRow(row);
    }
}

void PrintJson(const ProtectedResults& results) {
    Json json;
    json["UId"] = results.Identity.UId;
    json["ResultKey"] = results.Identity.ResultKey;
    json["Runs"] = Json::array();
    for (const TResultTest& run : results.Runs)
        json["Runs"].push_back(RunFields(run, false));
    std::printf("%s\n", json.dump(2).c_str());
}

} // namespace

int ResultsCommand(const Arguments& args) {
    const ResultsOptions options = ParseResultsOptions(args);
    const ProtectedResults results = ReadResults(options.Input);
    if (options.AsJson)
        PrintJson(results);
    else
        PrintCsv(results);
    return 0;
}

} // namespace tevrix::tool
