// SPDX-License-Identifier: GPL-3.0-or-later
// An INI text through IniDocument: read, written and read again, and one
// value written into it. The input gives the section, key and value first,
// then the text of the file.
#include "FuzzSupport.h"
#include "config/IniDocument.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(256);
    const std::string file = input.ConsumeRemainingBytesAsString();

    IniDocument document = IniDocument::FromBytes(file);
    const std::string written = document.ToBytes();
    fuzz::Check(IniDocument::FromBytes(written).ToBytes() == written,
                "a written text reads back the same");
    for (const std::string& name : document.KeyNames(section))
        document.ReadValue(section, name);

    if (document.WriteValue(section, key, value)) {
        fuzz::Check(document.ReadValue(section, key) == value, "a value written reads back");
        fuzz::Check(IniDocument::FromBytes(document.ToBytes()).ReadValue(section, key) == value,
                    "a value written reads back from the file");
    }
    document.EraseSection(section);
    fuzz::Check(!document.ReadValue(section, key), "an erased section has no values");
    fuzz::Check(document.KeyNames(section).empty(), "an erased section has no keys");
    return 0;
}
