// SPDX-License-Identifier: GPL-3.0-or-later
// The user store over a file of fuzzed bytes: its values read, one written,
// one subkey replaced. The input gives the subkey, name and value first,
// then the bytes of the file.
#include "FuzzSupport.h"
#include "config/UserStore.h"

#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string subkey = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(256);
    const std::string file = input.ConsumeRemainingBytesAsString();

    const std::string& root = fuzz::PrivateTempRoot();
    const std::string path = root + "Student.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(file.data(), file.size());

    UserStore store(path);
    for (const auto& [key, stored] : store.Values(subkey))
        store.ReadString(subkey, key);
    store.Values(store.RootSection());

    if (store.WriteString(subkey, name, value))
        fuzz::Check(UserStore(path).ReadString(subkey, name) == value,
                    "a value written reads back");
    const std::vector<std::pair<std::string, std::string>> values{{name, value}};
    if (store.ReplaceSubkey(subkey, values)) {
        const auto now = store.Values(subkey);
        fuzz::Check(now.empty() || now == values, "a replaced subkey holds what was given");
    }
    fuzz::EmptyFolder(root);
    return 0;
}
