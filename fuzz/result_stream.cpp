// SPDX-License-Identifier: GPL-3.0-or-later
// A result record stream through TResultTest::LoadFromStream. Damage may
// only fail as FormatError; a record that was read writes and reads back to
// the same bytes.
#include "FuzzSupport.h"
#include "results/ResultTest.h"

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TResultTest record;
    try {
        MemoryInputStream input(std::span<const uint8_t>(data, size));
        record.LoadFromStream(input);
    } catch (const FormatError&) {
        return 0;
    }
    MemoryOutputStream first;
    record.SaveToStream(first);
    TResultTest again;
    try {
        MemoryInputStream input(first.Bytes());
        again.LoadFromStream(input);
        fuzz::Check(input.Remaining() == 0, "a record reads to its end");
    } catch (const FormatError&) {
        fuzz::Check(false, "a record written reads back");
    }
    MemoryOutputStream second;
    again.SaveToStream(second);
    fuzz::Check(first.Bytes() == second.Bytes(), "a record round-trips to the same bytes");
    return 0;
}
