// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ProtectedResultFile.h"

#include "io/BinaryWriter.h"
#include "io/ZlibOutputStream.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "results/ProtectedResultFormat.h"
#include "text/Cp1251.h"

#include <memory>

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

// Reads the runs already recorded in `path` into `records`; returns the
// failure that leaves the file alone, or Written when the runs were read.
ProtectedWriteStatus ReadRecordedRuns(const std::string& path,
                                      const ProtectedResultIdentity& identity,
                                      std::vector<TResultTest>& records) {
    try {
        FileInputStream file(path);
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
    } catch (const IoError&) {
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

} // namespace

std::string ProtectedResultFileName(const std::string& prefix, const std::string& uid) {
    const std::string middle = UIdMiddle(uid);
    return middle.empty() ? std::string() : prefix + middle + std::string(tvpr::kExtension);
}

void WriteProtectedResultBody(OutputStream& output, const ProtectedResultIdentity& identity,
                              const std::vector<TResultTest>& records) {
    BinaryWriter writer(output);
    writer.WriteText(Utf8ToCp1251(identity.UId));
    writer.WriteText(Utf8ToCp1251(identity.ResultKey));
    writer.WriteInt32(static_cast<int32_t>(records.size()));
    for (const TResultTest& record : records)
        record.SaveToStream(output);
}

void WriteProtectedResultContent(OutputStream& output, const ProtectedResultIdentity& identity,
                                 const std::vector<TResultTest>& records) {
    output.Write(reinterpret_cast<const uint8_t*>(tvpr::kSignature.data()),
                 tvpr::kSignature.size());
    ZlibOutputStream content(output, tvpr::kCompressionLevel);
    WriteProtectedResultBody(content, identity, records);
    content.Finish();
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
    std::vector<TResultTest> records;
    if (FileExists(path)) {
        const ProtectedWriteStatus read = ReadRecordedRuns(path, identity, records);
        if (read != ProtectedWriteStatus::Written)
            return Failure(read, path, locale);
    }
    records.push_back(record);
    try {
        MemoryOutputStream bytes;
        WriteProtectedResultContent(bytes, identity, records);
        const std::vector<uint8_t>& content = bytes.Bytes();
        WriteFileAtomically(
            path, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
    } catch (const std::exception&) {
        return Failure(ProtectedWriteStatus::WriteFailed, path, locale);
    }
    return {ProtectedWriteStatus::Written, Outcome(), path};
}

} // namespace tevrix
