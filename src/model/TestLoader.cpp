// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TestLoader.h"

#include "io/BinaryReader.h"
#include "io/ZlibInputStream.h"
#include "model/BackgroundDescrambler.h"
#include "model/Crc32.h"
#include "model/Scrambler.h"
#include "model/TestFileFormat.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace tevrix {
namespace {

LoadTestOutcome Ended(LoadTestStatus status, const char* message = nullptr) {
    LoadTestOutcome outcome;
    outcome.Status = status;
    if (status != LoadTestStatus::Loaded)
        outcome.Result = Outcome::Failure(
            message ? std::optional(PupilMessage{message, kCaptionError, MessageIcon::Error})
                    : std::nullopt);
    return outcome;
}

// Copies the next `size` bytes of the body into a new file.
void UnpackFile(BinaryReader& body, const std::string& path, size_t size) {
    FileOutputStream file(path);
    std::vector<uint8_t> chunk(std::min<size_t>(size, 1024 * 1024));
    for (size_t left = size; left > 0;) {
        const size_t slice = std::min(left, chunk.size());
        body.ReadExact(chunk.data(), slice);
        file.Write(chunk.data(), slice);
        left -= slice;
    }
    file.Close();
}

void UnpackFiles(BinaryReader& body, const std::string& folder, std::vector<std::string>& names) {
    const int32_t count = body.ReadInt32();
    if (count > tvf::kMaxFiles)
        throw FormatError("too many embedded files");
    std::unordered_set<std::string> listed(names.begin(), names.end());
    for (int32_t i = 0; i < count; ++i) {
        const int32_t nameLength = body.ReadInt32();
        if (nameLength <= 0 || nameLength > tvf::kMaxFileNameLength)
            throw FormatError("bad embedded file name");
        const std::string name = Cp1251ToUtf8(body.ReadBytes(static_cast<size_t>(nameLength)));
        if (!IsPlainFileName(name))
            throw FormatError("embedded file name leaves its folder");
        const int32_t size = body.ReadInt32();
        if (size < 0)
            throw FormatError("negative embedded file size");
        UnpackFile(body, folder + name, static_cast<size_t>(size));
        if (listed.insert(name).second)
            names.push_back(name);
    }
}

void ReadTasks(BinaryReader& body, InputStream& input, TTaskList& tasks) {
    const int32_t count = body.ReadInt32();
    if (count > tvf::kMaxTasks)
        throw FormatError("too many tasks");
    for (int32_t i = 0; i < count; ++i) {
        TTask task;
        task.LoadFromStream(input);
        tasks.push_back(std::move(task));
    }
}

} // namespace

LoadTestOutcome LoadTest(const std::string& name, std::optional<std::span<const uint8_t>> received,
                         const PasswordPrompt& askPassword) {
    return LoadTest(name, received, askPassword, TempRoot());
}

LoadTestOutcome LoadTest(const std::string& name, std::optional<std::span<const uint8_t>> received,
                         const PasswordPrompt& askPassword, const std::string& tempRoot) {
    if (name.empty() || (!received && !FileExists(name)))
        return Ended(LoadTestStatus::NotFound);

    auto test = std::make_unique<TTest>(tempRoot);
    test->FileName = name;
    TTaskList tasks;
    std::vector<std::string> fileNames;
    try {
        std::vector<uint8_t> bytes = received
                                         ? std::vector<uint8_t>(received->begin(), received->end())
                                         : ReadFileBytes(name);
        BackgroundDescrambler plain(bytes, TestFileKey());
        BinaryReader layer2(plain);

        uint8_t magic[tvf::kMagic.size()];
        if (layer2.ReadSome(magic, sizeof magic) != sizeof magic ||
            std::memcmp(magic, tvf::kMagic.data(), sizeof magic) != 0)
            return Ended(LoadTestStatus::WrongType, kMsgWrongTestFileType);
        layer2.ReadText(); // header text, not used

        ZlibInputStream body(plain);
        BinaryReader bodyReader(body);
        test->LoadFromStream(body);

        if (!test->OpenPassword.empty()) {
            const std::optional<std::string> typed =
                askPassword ? askPassword() : std::optional<std::string>();
            if (!typed)
                return Ended(LoadTestStatus::Cancelled);
            if (*typed != test->OpenPassword)
                return Ended(LoadTestStatus::WrongPassword, kMsgWrongPassword);
        }

        ReadTasks(bodyReader, body, tasks);
        UnpackFiles(bodyReader, test->TempDir, fileNames);
    } catch (const std::exception&) { // damaged data, a file not written, out of memory
        return Ended(LoadTestStatus::Failed, kMsgTestLoadError);
    }

    test->FileCrc = received ? Crc32(received->data(), received->size()) : FileCrc32(name);
    test->RecountThemes(tasks);
    LoadTestOutcome outcome = Ended(LoadTestStatus::Loaded);
    outcome.Test = std::move(test);
    outcome.Tasks = std::move(tasks);
    outcome.FileNames = std::move(fileNames);
    return outcome;
}

} // namespace tevrix
