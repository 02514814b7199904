// SPDX-License-Identifier: GPL-3.0-or-later
// A test file through LoadTest into a temporary folder, as a test received
// from the server arrives. The first byte chooses how the rest is used:
//   even: the rest is the whole file, scrambled, as it would be on disk;
//   odd:  the rest is the body, wrapped into a sound scrambled header, so
//         that mutations reach the test record, the tasks and the files.
// A password asked for is "secret". After a failed load nothing unpacked
// may be left; after a success the embedded files listed are in the test's
// folder and nothing else is, and destroying the test removes it.
#include "FuzzSupport.h"
#include "model/TestLoader.h"
#include "platform/Paths.h"

#include <algorithm>

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string& root = fuzz::PrivateTempRoot();
    const std::span<const uint8_t> rest(data + 1, size - 1);
    const std::vector<uint8_t> file =
        (data[0] & 1) ? fuzz::WrapTestBody(rest) : std::vector<uint8_t>(rest.begin(), rest.end());
    {
        LoadTestOutcome outcome = LoadTest(
            "fuzzed.tvf", std::span<const uint8_t>(file),
            [] { return std::optional<std::string>("secret"); }, root);
        if (outcome.Status != LoadTestStatus::Loaded) {
            fuzz::Check(outcome.Result.Failed(), "a load that did not succeed says so");
            fuzz::Check(!outcome.Test, "a failed load keeps no test");
            fuzz::Check(fuzz::EntryCount(root) == 0, "a failed load leaves nothing unpacked");
        } else {
            fuzz::Check(outcome.Test != nullptr, "a load keeps its test");
            fuzz::Check(fuzz::EntryCount(root) == 1, "a load makes one folder");
            const std::string& folder = outcome.Test->TempDir;
            fuzz::Check(folder.rfind(root, 0) == 0, "the test's folder is below the root");
            fuzz::Check(fuzz::EntryCount(folder) == outcome.FileNames.size(),
                        "the folder holds the files listed and nothing else");
            for (const std::string& name : outcome.FileNames) {
                fuzz::Check(IsPlainFileName(name), "an unpacked name is plain");
                fuzz::Check(std::filesystem::is_regular_file(folder + name),
                            "an unpacked file is there");
            }
            fuzz::Check(outcome.Test->AskCount >= 0, "no negative count of tasks to ask");
        }
    }
    fuzz::Check(fuzz::EntryCount(root) == 0, "a test removes its folder");
    fuzz::EmptyFolder(root);
    return 0;
}
