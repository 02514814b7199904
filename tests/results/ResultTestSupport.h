// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"
#include "text/ByteStream.h"
#include "text/DateTime.h"
#include "text/ZlibInputStream.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace tevrix::testing {

// A folder of its own below the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tevrix-results-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending with '/'.
    std::string Dir() const { return m_path + "/"; }
    std::string File(const std::string& name) const { return Dir() + name; }

private:
    std::string m_path;
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Little-endian bytes laid out by hand, to check formats independently of
// the writers under test.
class ByteBuilder {
public:
    ByteBuilder& Int32(int32_t value) { return UInt32(static_cast<uint32_t>(value)); }
    ByteBuilder& UInt32(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        return *this;
    }
    ByteBuilder& Byte(uint8_t value) {
        m_bytes += static_cast<char>(value);
        return *this;
    }
    ByteBuilder& Double(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            m_bytes += static_cast<char>(bits >> (8 * i) & 0xFF);
        return *this;
    }
    // A text given as its stored (Windows-1251) bytes.
    ByteBuilder& Text(const std::string& bytes) {
        Int32(static_cast<int32_t>(bytes.size()));
        return Raw(bytes);
    }
    ByteBuilder& Raw(const std::string& bytes) {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

inline std::string RecordBytes(const TResultTest& record) {
    MemoryOutputStream out;
    record.SaveToStream(out);
    return {out.Bytes().begin(), out.Bytes().end()};
}

inline TResultTest RecordFromBytes(const std::string& bytes) {
    MemoryInputStream in(AsBytes(bytes));
    TResultTest record;
    record.LoadFromStream(in);
    return record;
}

// The decompressed content of a protected result file (after its 22-byte
// signature).
inline std::string InflateAfterSignature(const std::string& file) {
    const std::string compressed = file.substr(22);
    MemoryInputStream source(AsBytes(compressed));
    ZlibInputStream inflate(source);
    std::string content;
    uint8_t buffer[4096];
    while (const size_t got = inflate.Read(buffer, sizeof buffer))
        content.append(reinterpret_cast<const char*>(buffer), got);
    return content;
}

// A record of a 3-task test as a finished run leaves it, every serialised
// field set, Cyrillic texts included.
inline TResultTest SampleRecord(const std::string& userName = "Иванов Иван") {
    TResultTest record = TResultTest::Create(3);
    record.UserName = userName;
    record.UserGroup = "7-Б";
    record.ComputerName = "CLASS-PC7";
    record.ComputerUserName = "pupil";
    record.Reserved1 = "r1";
    record.TimeBegin = EncodeOleDate({2024, 3, 5, 9, 15, 0, 0});
    record.TimeEnd = EncodeOleDate({2024, 3, 5, 9, 27, 41, 0});
    record.Duration = 761;
    record.ResultDate = record.TimeEnd;
    record.TestTitle = "Дроби";
    record.TestFileName = "/home/teacher/Дроби.tvf";
    record.TestFileCRC = 0x0A1B2C3D;
    record.TestUId = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
    record.ResultMask = {2, 0, -1};
    record.TimeMask = {12, 40, -1};
    record.AnswerMask = {"3;1;", "x=10; y=20", ""};
    record.PenaltyMask = {-1, 1, -1};
    record.EndReason = RunEndReason::Stopped;
    record.Mark = 4;
    record.MarkName = "хорошо";
    record.MarkCount = 5;
    record.TaskCount = 2;
    record.DoneCount = 2;
    record.RightCount = 1;
    record.WrongCount = 1;
    record.NoAnswerCount = 0;
    record.PromptCount = 1;
    record.MaxScore = 3;
    record.Score = 1.5;
    record.Reserved2 = "r2";
    return record;
}

} // namespace tevrix::testing
