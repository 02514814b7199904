// SPDX-License-Identifier: GPL-3.0-or-later
// The regular-expression wrapper: a pattern (with the Cyrillic ranges
// widened) compiled and searched in a subject. The input gives the pattern
// first, then the subject. Nothing throws; an invalid pattern says why and
// matches nothing.
#include "text/RegExp.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(256);
    const std::string subject = input.ConsumeRemainingBytesAsString();
    WidenCyrillicRanges(pattern);
    const RegExp expression(pattern);
    fuzz::Check(expression.IsValid() == expression.Error().empty(),
                "an invalid pattern, and only one, carries a message");
    const bool found = expression.Search(subject);
    fuzz::Check(expression.IsValid() || !found, "an invalid pattern matches nothing");
    return 0;
}
