// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"
#include "model/Task.h"
#include "model/Test.h"

#include <string>
#include <vector>

namespace tevrix {

// A file to embed in a test: its plain name and its bytes.
struct EmbeddedFile {
    std::string Name;
    std::vector<uint8_t> Content;
};

// Writes a whole test file (the editor's side): magic, header text, and the
// zlib-compressed body of test record, tasks and embedded files, all
// scrambled with the test file key. Throws FormatError for an embedded file
// name that is not a plain name or a file too large for the format.
void WriteTestFile(OutputStream& output, const TTest& test, const TTaskList& tasks,
                   const std::vector<EmbeddedFile>& files);
std::vector<uint8_t> WriteTestFileBytes(const TTest& test, const TTaskList& tasks,
                                        const std::vector<EmbeddedFile>& files);

} // namespace tevrix
