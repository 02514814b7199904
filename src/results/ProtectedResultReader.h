// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"
#include "io/ZlibInputStream.h"
#include "results/ResultTest.h"

#include <memory>
#include <string>
#include <vector>

namespace tevrix {

// The test a protected result file belongs to (UTF-8).
struct ProtectedResultIdentity {
    std::string UId;
    std::string ResultKey;
};

// Reads a protected result file front to back, in three steps so that a
// caller can stop after each: the signature, the test's identity, the runs.
class ProtectedResultReader {
public:
    explicit ProtectedResultReader(InputStream& file) : m_file(file) {}

    // False when the file does not start with the signature (or is shorter).
    bool ReadSignature();
    // The head of the compressed content. Throws FormatError.
    ProtectedResultIdentity ReadIdentity();
    // The count and the records after it. Throws FormatError for damaged or
    // truncated content, a negative count or one above tvpr::kMaxRecords.
    std::vector<TResultTest> ReadRecords();

private:
    InputStream& m_file;
    std::unique_ptr<ZlibInputStream> m_content;
};

} // namespace tevrix
