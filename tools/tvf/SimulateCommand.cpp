// SPDX-License-Identifier: GPL-3.0-or-later
// tvf simulate TEST.tvf --script RUN.json --station DIR: takes a whole run of
// a test headless, with the pupil's actions read from a script, through the
// station's own session engine, scoring, results and settings. DIR is the
// station's folder: its configuration file is read, and the result log and
// the protected result file are written as the station writes them. Every
// message box and window of the run is printed, then the graded figures.
// The script format is described in docs/simulate.md.
#include "Commands.h"
#include "SimulateScript.h"
#include "config/RebootMarkers.h"
#include "config/RunCounter.h"
#include "config/SettingsFile.h"
#include "config/UserStore.h"
#include "headless/ScriptedSession.h"
#include "model/TestLoader.h"
#include "net/ServerRunReporter.h"
#include "net/TcpConnector.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "results/ResultFigures.h"
#include "text/Format.h"
#include "text/Strings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

namespace tevrix::tool {
namespace {

using Json = nlohmann::json;

// The store of the run counter and its markers live in the station folder,
// so that simulated runs never count against the teacher's own station.
constexpr const char* kUserStoreName = "TevrixStudent_UserStore.ini";
constexpr const char* kMarkerFolder = "TevrixStudent_RunMarkers";

struct SimulateOptions {
    std::string TestFile;
    std::string Script;
    std::string Station;
};

SimulateOptions ParseSimulateOptions(const Arguments& args) {
    SimulateOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--script" && i + 1 < args.size())
            options.Script = args[++i];
        else if (args[i] == "--station" && i + 1 < args.size())
            options.Station = args[++i];
        else if (options.TestFile.empty() && !args[i].empty() && args[i][0] != '-')
            options.TestFile = args[i];
        else
            throw UsageError{"unexpected argument \"" + args[i] + "\""};
    }
    if (options.TestFile.empty() || options.Script.empty() || options.Station.empty())
        throw UsageError{"the test file, --script and --station are all needed"};
    return options;
}

// ---------------------------------------------------------------------------
// The script

[[noreturn]] void ScriptError(const std::string& where, const std::string& what) {
    throw ToolError{"script: " + where + ": " + what};
}

double ParseStart(const std::string& text) {
    DateTimeParts parts;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d:%d%c", &parts.Day, &parts.Month, &parts.Year,
                    &parts.Hour, &parts.Minute, &parts.Second, &tail) != 6 ||
        parts.Month < 1 || parts.Month > 12 || parts.Day < 1 || parts.Day > 31 || parts.Hour > 23 ||
        parts.Minute > 59 || parts.Second > 59)
        ScriptError("start", "expected \"dd.mm.yyyy hh:nn:ss\", got \"" + text + "\"");
    return EncodeOleDate(parts);
}

std::optional<MessageReply> ParseButton(const std::string& text, const std::string& where) {
    if (text == "yes")
        return MessageReply::Yes;
    if (text == "no")
        return MessageReply::No;
    if (text == "ok")
        return std::nullopt;
    ScriptError(where, "a button is \"yes\", \"no\" or \"ok\", not \"" + text + "\"");
}

int ParseCount(const Json& json, const std::string& where) {
    if (!json.is_number_integer() || json.get<long long>() < 0 || json.get<long long>() > 1'000'000)
        ScriptError(where, "expected a whole number from 0 to 1000000");
    return json.get<int>();
}

// "yes" / "no" / "ok", or {"button": ..., "seconds": N}.
ScriptReply ParseReply(const Json& json, const std::string& where) {
    ScriptReply reply;
    if (json.is_string())
        return {ParseButton(json.get<std::string>(), where), 0};
    if (!json.is_object())
        ScriptError(where, "a reply is a button name or {\"button\": ..., \"seconds\": ...}");
    if (json.contains("button")) {
        if (!json["button"].is_string())
            ScriptError(where + ".button", "expected \"yes\", \"no\" or \"ok\"");
        reply.Button = ParseButton(json["button"].get<std::string>(), where + ".button");
    }
    if (json.contains("seconds"))
        reply.Seconds = ParseCount(json["seconds"], where + ".seconds");
    return reply;
}

std::vector<ScriptReply> ParseReplies(const Json& json, const std::string& where) {
    if (!json.is_array())
        ScriptError(where, "expected a list of replies");
    std::vector<ScriptReply> replies;
    for (size_t i = 0; i < json.size(); ++i)
        replies.push_back(ParseReply(json[i], where + "[" + std::to_string(i) + "]"));
    return replies;
}

// One element of an answer list, read for every kind that takes a list:
// the entry of kinds 3 and 4 (a number from 1, 0 or null for none), the
// entry of kind 5 ("да", "нет", "" or true, false, null), the text of a
// number field of kind 6 (a string).
void ParseListElement(const Json& element, ScriptedAnswer& answer, const std::string& where) {
    constexpr int none = ChosenEntriesAnswer::kNoEntry;
    if (element.is_null()) {
        answer.Entries.push_back(none);
        answer.Numbers.emplace_back();
    } else if (element.is_number_integer()) {
        const int number = element.get<int>();
        answer.Entries.push_back(number > 0 ? number - 1 : none);
        answer.Ticked.push_back(number - 1);
        answer.Numbers.push_back(std::to_string(number));
    } else if (element.is_boolean()) {
        answer.Entries.push_back(element.get<bool>() ? 1 : 2);
        answer.Numbers.emplace_back();
    } else if (element.is_string()) {
        const std::string text = element.get<std::string>();
        const std::string upper = UpperCase(Trim(text));
        answer.Entries.push_back(upper == "ДА" ? 1 : upper == "НЕТ" ? 2 : upper.empty() ? 0 : none);
        answer.Numbers.push_back(text);
    } else {
        ScriptError(where, "a list holds numbers, strings, true, false or null");
    }
}

// The value of an answer; its shape says what it is (see docs/simulate.md).
ScriptedAnswer ParseAnswer(const Json& json, const std::string& where) {
    ScriptedAnswer answer;
    if (json.is_null())
        return answer;
    if (json.is_number_integer()) {
        answer.Choice = json.get<int>() - 1;
    } else if (json.is_string()) {
        answer.Text = json.get<std::string>();
    } else if (json.is_array()) {
        for (size_t i = 0; i < json.size(); ++i)
            ParseListElement(json[i], answer, where + "[" + std::to_string(i) + "]");
    } else if (json.is_object() && json.contains("x") && json.contains("y") &&
               json["x"].is_number_integer() && json["y"].is_number_integer()) {
        answer.Point = PointAnswer::Point{json["x"].get<int>(), json["y"].get<int>()};
    } else {
        ScriptError(where, "an answer is a number, a string, a list, {\"x\": X, \"y\": Y} or null");
    }
    return answer;
}

const std::map<std::string, ScriptAction>& Actions() {
    static const std::map<std::string, ScriptAction> actions = {
        {"answer", ScriptAction::Answer}, {"enter", ScriptAction::Enter},
        {"check", ScriptAction::Check},   {"dontknow", ScriptAction::IDoNotKnow},
        {"skip", ScriptAction::Skip},     {"jump", ScriptAction::Jump},
        {"prompt", ScriptAction::Prompt}, {"instruction", ScriptAction::Instruction},
        {"wait", ScriptAction::Wait},     {"stop", ScriptAction::Stop},
        {"close", ScriptAction::Close},
    };
    return actions;
}

ScriptStep ParseStep(const Json& json, const std::string& where) {
    if (!json.is_object() || !json.contains("action") || !json["action"].is_string())
        ScriptError(where, "a step is an object with an \"action\"");
    const std::string name = json["action"].get<std::string>();
    const auto found = Actions().find(name);
    if (found == Actions().end())
        ScriptError(where + ".action", "unknown action \"" + name + "\"");
    ScriptStep step;
    step.Action = found->second;
    if (step.Action == ScriptAction::Answer || step.Action == ScriptAction::Enter) {
        if (!json.contains("value"))
            ScriptError(where, "\"" + name + "\" needs a \"value\"");
        step.Answer = ParseAnswer(json["value"], where + ".value");
    }
    if (step.Action == ScriptAction::Jump) {
        if (!json.contains("position"))
            ScriptError(where, "\"jump\" needs a \"position\"");
        step.Position = ParseCount(json["position"], where + ".position");
    }
    if (step.Action == ScriptAction::Wait) {
        if (!json.contains("seconds"))
            ScriptError(where, "\"wait\" needs \"seconds\"");
        step.Seconds = ParseCount(json["seconds"], where + ".seconds");
    }
    if (json.contains("replies"))
        step.Replies = ParseReplies(json["replies"], where + ".replies");
    return step;
}

std::optional<std::string> OptionalText(const Json& json, const char* key) {
    if (!json.contains(key) || json[key].is_null())
        return std::nullopt;
    if (!json[key].is_string())
        ScriptError(key, "expected a string");
    return json[key].get<std::string>();
}

} // namespace

ToolScript ParseScript(const Json& json) {
    if (!json.is_object())
        ScriptError("top", "a script is a JSON object");
    ToolScript script;
    RunScript& run = script.Run;
    if (const auto start = OptionalText(json, "start"))
        run.Start = ParseStart(*start);
    if (json.contains("seed"))
        run.Seed = uint32_t(ParseCount(json["seed"], "seed"));
    script.OpenPassword = OptionalText(json, "open_password");
    run.Password = OptionalText(json, "password");
    run.Name = OptionalText(json, "name");
    run.Group = OptionalText(json, "group");
    if (json.contains("identify")) {
        if (!json["identify"].is_boolean())
            ScriptError("identify", "expected true or false");
        run.Identify = json["identify"].get<bool>();
    }
    if (const auto server = OptionalText(json, "server")) {
        if (*server != "up" && *server != "down")
            ScriptError("server", "expected \"up\" or \"down\"");
        script.ServerDown = *server == "down";
    }
    if (json.contains("replies"))
        run.StartReplies = ParseReplies(json["replies"], "replies");
    if (json.contains("steps")) {
        if (!json["steps"].is_array())
            ScriptError("steps", "expected a list of steps");
        for (size_t i = 0; i < json["steps"].size(); ++i)
            run.Steps.push_back(ParseStep(json["steps"][i], "steps[" + std::to_string(i) + "]"));
    }
    return script;
}

namespace {

ToolScript ReadScript(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw ToolError{"cannot read " + path};
    try {
        return ParseScript(Json::parse(file));
    } catch (const Json::exception& error) {
        throw ToolError{path + ": " + error.what()};
    }
}

// ---------------------------------------------------------------------------
// The run

std::unique_ptr<TTest> OpenTest(const std::string& path, const ToolScript& script,
                                TTaskList& tasks) {
    LoadTestOutcome loaded = LoadTest(path, std::nullopt, [&] { return script.OpenPassword; });
    if (loaded.Status != LoadTestStatus::Loaded) {
        const std::string why =
            loaded.Result.Message() ? loaded.Result.MessageText() : "no such test file";
        throw ToolError{"cannot open " + path + ": " + why};
    }
    tasks = std::move(loaded.Tasks);
    return std::move(loaded.Test);
}

Settings StationSettings(const std::string& stationDir) {
    Settings settings;
    const Outcome outcome = LoadSettings(settings, stationDir + kConfigFileName);
    if (outcome.Failed())
        std::fprintf(stderr, "tvf simulate: %s: %s\n", (stationDir + kConfigFileName).c_str(),
                     outcome.MessageText().c_str());
    return settings;
}

std::string Percent1(double value) {
    return FormatFixed(value, 1, '.');
}

void PrintResult(const TResultTest& result) {
    const ResultFigures figures = ResultFigures::Of(result);
    std::printf("result: end reason %d\n", int(result.EndReason));
    std::printf(
        "tasks: %d, done: %d, right: %d (%s%%), wrong: %d (%s%%), no answer: %d, prompts: %d\n",
        result.TaskCount, result.DoneCount, result.RightCount, Percent1(figures.ShareRight).c_str(),
        result.WrongCount, Percent1(figures.ShareWrong).c_str(), result.NoAnswerCount,
        result.PromptCount);
    std::printf("score: %s of %d (%s%%), effectiveness: %s%%, mark: %s\n",
                FormatFixed(result.Score, 2, '.').c_str(), result.MaxScore,
                Percent1(figures.Result).c_str(), Percent1(figures.Effectiveness).c_str(),
                figures.MarkText.c_str());
    std::printf("duration: %s\n", figures.DurationText.c_str());
    std::printf("result mask: %s\n", result.ResultMaskText().c_str());
    std::printf("time mask: %s\n", result.TimeMaskText().c_str());
    std::printf("answer mask: %s\n", result.AnswerMaskText().c_str());
    std::printf("penalty mask: %s\n", result.PenaltyMaskText().c_str());
}

} // namespace

int SimulateCommand(const Arguments& args) {
    const SimulateOptions options = ParseSimulateOptions(args);
    const ToolScript script = ReadScript(options.Script);
    if (!std::filesystem::is_directory(options.Station))
        throw ToolError{"no station folder " + options.Station};
    const std::string stationDir = WithTrailingSlash(options.Station);

    TTaskList tasks;
    std::unique_ptr<TTest> test = OpenTest(options.TestFile, script, tasks);
    RunCounter counter(UserStore(stationDir + kUserStoreName),
                       RebootMarkers(stationDir + kMarkerFolder, CurrentBootId()));
    Settings settings = StationSettings(stationDir);
    const TextLocale locale{{}, SystemDecimalSeparator()};
    // With IsSendResult on, the run's reports go to the teacher's server of
    // the station's configuration (RemoteHost, RemotePort), as at the station.
    // Without it the run reports to the scripted server, which sends nothing
    // and writes the reports into the transcript instead.
    TcpConnector connector;
    ServerClient client(connector, locale);
    decltype(SimulationStation::MakeReporter) sendToServer;
    if (settings.IsSendResult)
        sendToServer = [&](SessionDialogs& dialogs) -> std::unique_ptr<RunReporter> {
            return std::make_unique<ServerRunReporter>(client, settings, dialogs);
        };
    else
        settings.IsSendResult = true;
    SimulationStation station{settings,       stationDir,         counter,           locale,
                              ComputerName(), ComputerUserName(), script.ServerDown, nullptr,
                              sendToServer};
    ScriptedSession session(script.Run, std::move(station));
    session.Open(std::move(test), std::move(tasks));
    session.RunToEnd();

    std::fputs(session.Log().Print().c_str(), stdout);
    if (const TResultTest* result = session.Engine().LastResult())
        PrintResult(*result);
    return 0;
}

} // namespace tevrix::tool
