// SPDX-License-Identifier: GPL-3.0-or-later
// tvf dump TEST.tvf [--password P] [--extract DIR] [--plain]: prints a test
// file as the JSON that `tvf pack` reads, and can extract the embedded files.
// With --plain every rich text is shown as its plain text, for proofreading.
#include "Commands.h"
#include "TestJson.h"
#include "model/TestLoader.h"
#include "richtext/RichToPlain.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace tevrix::tool {
namespace {

struct DumpOptions {
    std::string Input;
    std::optional<std::string> Password;
    std::string ExtractDir;
    bool Plain = false;
};

DumpOptions ParseDumpOptions(const Arguments& args) {
    DumpOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--password" && i + 1 < args.size())
            options.Password = args[++i];
        else if (args[i] == "--extract" && i + 1 < args.size())
            options.ExtractDir = args[++i];
        else if (args[i] == "--plain")
            options.Plain = true;
        else if (options.Input.empty() && !args[i].empty() && args[i][0] != '-')
            options.Input = args[i];
        else
            throw UsageError{"unexpected argument \"" + args[i] + "\""};
    }
    if (options.Input.empty())
        throw UsageError{"no test file given"};
    return options;
}

std::vector<DumpedFile> ListFiles(const LoadTestOutcome& loaded, const std::string& extractDir) {
    std::vector<DumpedFile> files;
    if (!extractDir.empty())
        fs::create_directories(extractDir);
    for (const std::string& name : loaded.FileNames) {
        const fs::path unpacked = fs::path(loaded.Test->TempDir) / name;
        DumpedFile file{name, fs::file_size(unpacked), ""};
        if (!extractDir.empty()) {
            const fs::path target = fs::path(extractDir) / name;
            fs::copy_file(unpacked, target, fs::copy_options::overwrite_existing);
            file.Path = target.string();
        }
        files.push_back(file);
    }
    return files;
}

} // namespace

int DumpCommand(const Arguments& args) {
    const DumpOptions options = ParseDumpOptions(args);
    const auto askPassword = [&]() { return options.Password; };
    LoadTestOutcome loaded = LoadTest(options.Input, std::nullopt, askPassword);
    switch (loaded.Status) {
    case LoadTestStatus::Loaded: break;
    case LoadTestStatus::NotFound: throw ToolError{"no such file: " + options.Input};
    case LoadTestStatus::Cancelled:
        throw ToolError{"the test is protected by a password; give it with --password"};
    default: throw ToolError(loaded.Result.MessageText());
    }
    RichTextView richText = RawRichText;
    if (options.Plain)
        richText = RichToPlain;
    const Json json =
        TestToJson(*loaded.Test, loaded.Tasks, ListFiles(loaded, options.ExtractDir), richText);
    std::printf("%s\n", json.dump(2).c_str());
    return 0;
}

} // namespace tevrix::tool
