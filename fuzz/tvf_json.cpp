// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON form of a test as `tvf pack` reads it. A JSON that is taken packs
// into a test file that loads again with as many tasks. Rich texts and
// embedded files named by path are read relative to an empty folder; inputs
// with a text naming the system's device or process folders are left out,
// since reading /dev/zero is no fault of the parser.
#include "Commands.h"
#include "FuzzSupport.h"
#include "TestJson.h"
#include "model/TestLoader.h"

using namespace tevrix;

namespace {

bool NamesSystemFolder(const tool::Json& json) {
    if (json.is_string()) {
        const std::string& text = json.get_ref<const std::string&>();
        for (const char* folder : {"/dev", "/proc", "/sys", "/run"})
            if (text.find(folder) != std::string::npos)
                return true;
        return false;
    }
    if (json.is_object())
        for (const auto& [key, value] : json.items())
            if (NamesSystemFolder(key) || NamesSystemFolder(value))
                return true;
    if (json.is_array())
        for (const auto& element : json)
            if (NamesSystemFolder(element))
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& root = fuzz::PrivateTempRoot();
    const std::string base = root + "base";
    std::filesystem::create_directory(base);

    tool::Json json;
    try {
        json = tool::Json::parse(fuzz::AsText(data, size));
    } catch (const tool::Json::exception&) {
        return 0;
    }
    if (NamesSystemFolder(json))
        return 0;
    {
        TTest test(root);
        TTaskList tasks;
        std::vector<EmbeddedFile> files;
        std::vector<uint8_t> packed;
        try {
            tool::TestFromJson(json, base, test, tasks, files);
            packed = WriteTestFileBytes(test, tasks, files);
        } catch (const tool::ToolError&) {
            packed.clear();
        } catch (const FormatError&) {
            packed.clear();
        } catch (const tool::Json::exception&) {
            packed.clear();
        }
        if (!packed.empty()) {
            const std::string password = test.OpenPassword;
            const LoadTestOutcome loaded = LoadTest(
                "packed.tvf", std::span<const uint8_t>(packed),
                [&] { return std::optional<std::string>(password); }, root);
            // A password that Windows-1251 cannot hold is stored otherwise.
            fuzz::Check(loaded.Status == LoadTestStatus::Loaded ||
                            (!password.empty() && loaded.Status == LoadTestStatus::WrongPassword),
                        "a packed test loads");
            if (loaded.Status == LoadTestStatus::Loaded)
                fuzz::Check(loaded.Tasks.size() == tasks.size(), "a packed test keeps its tasks");
        }
    }
    fuzz::EmptyFolder(root);
    return 0;
}
