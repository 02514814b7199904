// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"
#include "results/ProtectedResultReader.h"
#include "results/ResultMessage.h"
#include "results/ResultOutputSettings.h"
#include "results/ResultTest.h"
#include "text/TextLocale.h"

#include <optional>
#include <string>
#include <vector>

namespace tevrix {

// The file name of a test's protected results: `prefix`, the UId without its
// first and last character, ".tvpr". Empty when that middle part is.
std::string ProtectedResultFileName(const std::string& prefix, const std::string& uid);

// Writes the content that the file keeps compressed: identity, count, records.
void WriteProtectedResultBody(OutputStream& output, const ProtectedResultIdentity& identity,
                              const std::vector<TResultTest>& records);

// Writes a whole protected result file: the signature, then the body
// compressed at level 9.
void WriteProtectedResultContent(OutputStream& output, const ProtectedResultIdentity& identity,
                                 const std::vector<TResultTest>& records);

enum class ProtectedWriteStatus {
    Written,        // the run was added
    NoUId,          // the test's UId names no file: nothing done
    WrongSignature, // an existing file is no protected result file: untouched
    OtherTest,      // the file holds another UId or ResultKey: untouched
    ReadFailed,     // the existing file is damaged or unreadable: untouched
    WriteFailed,    // the new file could not be written: the old one is intact
};

struct ProtectedWriteOutcome {
    ProtectedWriteStatus Status = ProtectedWriteStatus::Written;
    Outcome Result;   // Ok when Written; a failure may show nothing
    std::string Path; // the file, when the UId named one
};

// Adds `record` to the protected result file of the test `identity` in the
// result folder of `settings`. The file is never rewritten in place: the new
// content goes to a temporary file that replaces the old one only once it is
// complete and on disk, so a failure or a crash at any moment leaves the old
// file as it was. Stations writing into one shared folder take turns (the
// file is locked from reading to replacing), so none loses another's run. A UId whose middle part could not name a file of the result
// folder ("." or "..", a '/' in it) is a write failure: a test file must not
// steer results into another folder.
ProtectedWriteOutcome WriteProtectedResult(const ResultOutputSettings& settings,
                                           const ProtectedResultIdentity& identity,
                                           const TResultTest& record, const TextLocale& locale);

} // namespace tevrix
