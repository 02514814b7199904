// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ProtectedResultFile.h"

#include "io/BinaryReader.h"
#include "io/BinaryWriter.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "results/AppendableZlib.h"
#include "results/ProtectedResultFormat.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

namespace tevrix {
namespace {

// The UId less its first and last character (code points, as the UId is
// UTF-8 here).
std::string UIdMiddle(const std::string& uid) {
    if (uid.empty())
        return {};
    size_t afterFirst = 0;
    DecodeUtf8(uid, afterFirst);
    size_t last = uid.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(uid[last]) & 0xC0) == 0x80)
        --last;
    return last > afterFirst ? uid.substr(afterFirst, last - afterFirst) : std::string();
}

ProtectedWriteOutcome Failure(ProtectedWriteStatus status, const std::string& path,
                              const TextLocale& locale) {
    ProtectedWriteOutcome outcome;
    outcome.Status = status;
    outcome.Path = path;
    if (status == ProtectedWriteStatus::WrongSignature)
        outcome.Result = Outcome::Failure(PupilMessage{
            locale.Tr(kMsgWrongFileType), locale.Tr(kResultCaptionError), MessageIcon::Error});
    else if (status == ProtectedWriteStatus::OtherTest)
        outcome.Result = Outcome::Failure();
    else
        outcome.Result = Outcome::Failure(PupilMessage{locale.Tr(kMsgProtectedWriteError),
                                                       locale.Tr(kResultCaptionAttention),
                                                       MessageIcon::Information});
    return outcome;
}

// Reads and checks the runs recorded in the file `bytes` into `records`;
// returns the failure that leaves the file alone, or Written.
ProtectedWriteStatus ReadRecordedRuns(std::span<const uint8_t> bytes,
                                      const ProtectedResultIdentity& identity,
                                      std::vector<TResultTest>& records) {
    try {
        MemoryInputStream file(bytes);
        ProtectedResultReader reader(file);
        if (!reader.ReadSignature())
            return ProtectedWriteStatus::WrongSignature;
        const ProtectedResultIdentity found = reader.ReadIdentity();
        if (found.UId != identity.UId || found.ResultKey != identity.ResultKey)
            return ProtectedWriteStatus::OtherTest;
        records = reader.ReadRecords();
        return ProtectedWriteStatus::Written;
    } catch (const FormatError&) {
        return ProtectedWriteStatus::ReadFailed;
    }
}

// Stations that share a result folder add their runs one at a time: each
// holds a lock on the file from reading its runs until its new file has
// replaced it. A lock won on a file that another station replaced meanwhile
// guards nothing, so it is taken again on the file the path names now.
std::unique_ptr<ExclusiveFileLock> LockCurrentFile(const std::string& path) {
    constexpr int kAttempts = 100;
    std::unique_ptr<ExclusiveFileLock> lock;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        lock = std::make_unique<ExclusiveFileLock>(path);
        if (!lock->Locked() || lock->StillNames(path))
            break;
    }
    return lock;
}

// What the stream holds before the records: identity and record count.
std::vector<uint8_t> HeadBytes(const ProtectedResultIdentity& identity, size_t count) {
    MemoryOutputStream head;
    BinaryWriter writer(head);
    writer.WriteText(Utf8ToCp1251(identity.UId));
    writer.WriteText(Utf8ToCp1251(identity.ResultKey));
    writer.WriteInt32(static_cast<int32_t>(count));
    return head.TakeBytes();
}

void WriteSignature(OutputStream& output) {
    output.Write(reinterpret_cast<const uint8_t*>(tvpr::kSignature.data()),
                 tvpr::kSignature.size());
}

// The file `bytes` with `added` (a record's bytes) as its last run, when the
// file has the appendable shape: its runs are read and checked, and their
// compressed bytes are kept as they are. Nothing when the file has another
// shape, holds anything but its runs, or is not this test's: the caller then
// reads it the ordinary way.
std::optional<std::vector<uint8_t>> AppendedInPlace(std::span<const uint8_t> bytes,
                                                    const ProtectedResultIdentity& identity,
                                                    std::span<const uint8_t> added) {
    if (bytes.size() < tvpr::kSignature.size() ||
        !std::equal(tvpr::kSignature.begin(), tvpr::kSignature.end(), bytes.begin()))
        return std::nullopt;
    const std::span<const uint8_t> stream = bytes.subspan(tvpr::kSignature.size());
    const std::optional<ZlibBody> body = FindZlibBody(stream, HeadBytes(identity, 0).size());
    if (!body)
        return std::nullopt;
    try {
        MemoryInputStream head(body->Head);
        BinaryReader headReader(head);
        const std::string uid = Cp1251ToUtf8(headReader.ReadText());
        const std::string resultKey = Cp1251ToUtf8(headReader.ReadText());
        const int32_t count = headReader.ReadInt32();
        if (uid != identity.UId || resultKey != identity.ResultKey || count < 0 ||
            count >= tvpr::kMaxRecords)
            return std::nullopt;
        MemoryInputStream runs(body->Content);
        for (int32_t i = 0; i < count; ++i)
            TResultTest().LoadFromStream(runs);
        if (runs.Remaining() != 0)
            return std::nullopt;
        std::vector<uint8_t> content(tvpr::kSignature.begin(), tvpr::kSignature.end());
        const std::vector<uint8_t> appended =
            AppendToZlibStream(stream, *body, HeadBytes(identity, size_t(count) + 1), added);
        content.insert(content.end(), appended.begin(), appended.end());
        return content;
    } catch (const FormatError&) {
        return std::nullopt; // read again the ordinary way, which names the failure
    }
}

// The new content of the file `bytes` (empty: none yet) with `record` added,
// or the failure that leaves the file as it is.
ProtectedWriteStatus ContentWithRun(std::span<const uint8_t> bytes,
                                    const ProtectedResultIdentity& identity,
                                    const TResultTest& record, std::vector<uint8_t>& content) {
    MemoryOutputStream added;
    record.SaveToStream(added);
    if (!bytes.empty()) {
        if (std::optional<std::vector<uint8_t>> appended =
                AppendedInPlace(bytes, identity, added.Bytes())) {
            content = std::move(*appended);
            return ProtectedWriteStatus::Written;
        }
    }
    // A new file, or one of another shape: written whole, in the shape that
    // takes the next run quickly.
    std::vector<TResultTest> records;
    if (!bytes.empty()) {
        const ProtectedWriteStatus read = ReadRecordedRuns(bytes, identity, records);
        if (read != ProtectedWriteStatus::Written)
            return read;
    }
    records.push_back(record);
    MemoryOutputStream whole;
    WriteProtectedResultContent(whole, identity, records);
    content = whole.TakeBytes();
    return ProtectedWriteStatus::Written;
}

} // namespace

std::string ProtectedResultFileName(const std::string& prefix, const std::string& uid) {
    const std::string middle = UIdMiddle(uid);
    return middle.empty() ? std::string() : prefix + middle + std::string(tvpr::kExtension);
}

void WriteProtectedResultBody(OutputStream& output, const ProtectedResultIdentity& identity,
                              const std::vector<TResultTest>& records) {
    const std::vector<uint8_t> head = HeadBytes(identity, records.size());
    output.Write(head.data(), head.size());
    for (const TResultTest& record : records)
        record.SaveToStream(output);
}

void WriteProtectedResultContent(OutputStream& output, const ProtectedResultIdentity& identity,
                                 const std::vector<TResultTest>& records) {
    MemoryOutputStream body;
    for (const TResultTest& record : records)
        record.SaveToStream(body);
    WriteSignature(output);
    const std::vector<uint8_t> stream =
        AppendableZlibStream(HeadBytes(identity, records.size()), body.Bytes());
    output.Write(stream.data(), stream.size());
}

ProtectedWriteOutcome WriteProtectedResult(const ResultOutputSettings& settings,
                                           const ProtectedResultIdentity& identity,
                                           const TResultTest& record, const TextLocale& locale) {
    const std::string middle = UIdMiddle(identity.UId);
    if (middle.empty())
        return {ProtectedWriteStatus::NoUId, Outcome::Failure(), std::string()};
    // The prefix comes from the configuration and the UId from the test
    // file: neither may lead out of the result folder.
    const std::string path = settings.ResultFilePath(
        ProtectedResultFileName(settings.ProtectionResultPrefix, identity.UId));
    if (!IsPlainFileName(middle) || path.empty())
        return Failure(ProtectedWriteStatus::WriteFailed, std::string(), locale);

    const std::unique_ptr<ExclusiveFileLock> lock = LockCurrentFile(path);
    std::vector<uint8_t> content;
    try {
        const std::vector<uint8_t> file =
            FileExists(path) ? ReadFileBytes(path) : std::vector<uint8_t>();
        if (FileExists(path) && file.empty())
            return Failure(ProtectedWriteStatus::WrongSignature, path, locale);
        const ProtectedWriteStatus made = ContentWithRun(file, identity, record, content);
        if (made != ProtectedWriteStatus::Written)
            return Failure(made, path, locale);
    } catch (const IoError&) {
        return Failure(ProtectedWriteStatus::ReadFailed, path, locale);
    }
    try {
        WriteFileAtomically(
            path, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
    } catch (const std::exception&) {
        return Failure(ProtectedWriteStatus::WriteFailed, path, locale);
    }
    return {ProtectedWriteStatus::Written, Outcome(), path};
}

} // namespace tevrix
