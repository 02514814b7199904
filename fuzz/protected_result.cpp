// SPDX-License-Identifier: GPL-3.0-or-later
// A protected result file through ProtectedResultReader. The first byte
// chooses how the rest is used:
//   even: the rest is the whole file;
//   odd:  the rest is the content, compressed behind the signature, so that
//         mutations reach the identity and the records.
// Damage may only fail as FormatError.
#include "FuzzSupport.h"
#include "results/ProtectedResultFormat.h"
#include "results/ProtectedResultReader.h"

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<uint8_t> file;
    if (data[0] & 1) {
        file.assign(tvpr::kSignature.begin(), tvpr::kSignature.end());
        const std::vector<uint8_t> packed = ZlibCompress(data + 1, size - 1, 1);
        file.insert(file.end(), packed.begin(), packed.end());
    } else {
        file.assign(data + 1, data + size);
    }
    MemoryInputStream input(file);
    ProtectedResultReader reader(input);
    if (!reader.ReadSignature())
        return 0;
    try {
        reader.ReadIdentity();
        for (const TResultTest& run : reader.ReadRecords()) {
            MemoryOutputStream record;
            run.SaveToStream(record);
        }
    } catch (const FormatError&) {
    }
    return 0;
}
