// SPDX-License-Identifier: GPL-3.0-or-later
// tvf pack TEST.json -o TEST.tvf: builds a test file from its JSON form.
#include "Commands.h"
#include "TestJson.h"
#include "platform/Files.h"

#include <fstream>

namespace tevrix::tool {

int PackCommand(const Arguments& args) {
    std::string input;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (input.empty() && !args[i].empty() && args[i][0] != '-')
            input = args[i];
        else
            throw UsageError{"unexpected argument \"" + args[i] + "\""};
    }
    if (input.empty() || output.empty())
        throw UsageError{input.empty() ? "no JSON file given" : "no output file given (-o)"};

    std::ifstream file(input, std::ios::binary);
    if (!file)
        throw ToolError{"cannot open " + input};
    Json json;
    try {
        json = Json::parse(file);
    } catch (const nlohmann::json::parse_error& error) {
        throw ToolError{input + ": " + error.what()};
    }

    TTest test;
    TTaskList tasks;
    std::vector<EmbeddedFile> files;
    TestFromJson(json, std::filesystem::path(input).parent_path(), test, tasks, files);
    const std::vector<uint8_t> bytes = WriteTestFileBytes(test, tasks, files);
    try {
        WriteFileAtomically(
            output, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const IoError& error) {
        throw ToolError{error.what()};
    }
    return 0;
}

} // namespace tevrix::tool
