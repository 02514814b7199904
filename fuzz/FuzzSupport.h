// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: a private temporary folder, a check that
// aborts (so the fuzzer reports it), and wrapping a mutated body into a
// scrambled test file.

#include "io/BinaryWriter.h"
#include "io/ByteStream.h"
#include "io/ZlibOutputStream.h"
#include "model/Scrambler.h"
#include "model/TestFileFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tevrix::fuzz {

// Aborts with a message when a property does not hold.
inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// A folder of this process below the system's temporary folder, made the
// temporary folder of everything that asks for one (TMPDIR), so that the
// loader's test folders land in it and nothing else does. Removed at exit.
inline const std::string& PrivateTempRoot() {
    static const std::string root = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tevrix-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
        ::setenv("TMPDIR", pattern.c_str(), 1);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(std::getenv("TMPDIR"), ignored);
        });
        return pattern + "/";
    }();
    return root;
}

// How many entries the folder holds (0 when it is gone).
inline size_t EntryCount(const std::string& folder) {
    std::error_code error;
    size_t count = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        ++count;
    return count;
}

// Empties the folder, so one input's leftovers never blame the next one.
inline void EmptyFolder(const std::string& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        std::filesystem::remove_all(it->path(), error);
}

// A body (the bytes inside the zlib stream) wrapped into a scrambled test
// file with a sound magic and header, as the editor writes one.
inline std::vector<uint8_t> WrapTestBody(std::span<const uint8_t> body) {
    MemoryOutputStream plain;
    BinaryWriter writer(plain);
    writer.WriteBytes(tvf::kMagic);
    writer.WriteText(std::string(tvf::kHeaderText));
    const std::vector<uint8_t> packed = ZlibCompress(body.data(), body.size(), 1);
    plain.Write(packed.data(), packed.size());
    std::vector<uint8_t> bytes = plain.TakeBytes();
    Scrambler(TestFileKey()).Scramble(bytes.data(), bytes.size());
    return bytes;
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace tevrix::fuzz
