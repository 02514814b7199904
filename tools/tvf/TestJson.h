// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "model/Test.h"
#include "model/TestFileWriter.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tevrix::tool {

using Json = nlohmann::ordered_json;

// Fills a new test, its tasks and its embedded files from the JSON form of a
// test. Paths (embedded files, rich texts given as {"File": ...}) are read
// relative to `baseDir`. Throws ToolError with a message naming the field.
void TestFromJson(const Json& json, const std::filesystem::path& baseDir, TTest& test,
                  TTaskList& tasks, std::vector<EmbeddedFile>& files);

// The JSON form of a loaded test. `files` lists the embedded files found in
// the test's folder, each with its size and, when extracted, its path.
struct DumpedFile {
    std::string Name;
    uint64_t Size = 0;
    std::string Path; // empty when not extracted
};
// `richText` turns each rich text into the JSON string shown for it.
using RichTextView = std::string (*)(const RichText&);
Json TestToJson(const TTest& test, const TTaskList& tasks, const std::vector<DumpedFile>& files,
                RichTextView richText);

// The raw bytes of a rich text as a JSON string (Windows-1251 decoded, so
// the bytes come back unchanged).
std::string RawRichText(const RichText& text);

} // namespace tevrix::tool
