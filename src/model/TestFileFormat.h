// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Constants of the test file (.tvf).
//
// Layer 1: every byte of the file is scrambled (see Scrambler.h).
// Layer 2, after descrambling:
//   6 bytes   "Tevrix"
//   text      header text, read and discarded
//   rest      a zlib stream (RFC 1950) holding the body; bytes after its end
//             are never read
// Layer 3, the body:
//   the test record (TTest::LoadFromStream)
//   int32 T, then T task records (TTask::LoadFromStream)
//   int32 F, then F embedded files: int32 N, N name bytes, int32 S, S bytes
//
// Texts are int32 length + bytes, integers little-endian, flags one byte.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tevrix::tvf {

inline constexpr std::string_view kMagic = "Tevrix";
inline constexpr std::string_view kHeaderText = "TevrixTest";

// The scrambling key is derived from these two constants (Scrambler.h).
inline constexpr int32_t kKeySeed = 1846280517;
inline constexpr uint16_t kKeyDivisor = 40503;

// The editor writes all ten slots of a kind 1 to 5 list; a count above that
// or above five numbers cannot come from an intact test file and fails the load.
inline constexpr int32_t kMaxSlots = 10;
inline constexpr int32_t kMaxNumbers = 5;

// Bounds on counts that a damaged or hostile file could inflate without
// limit; real tests stay far below them.
inline constexpr int32_t kMaxTasks = 100'000;
inline constexpr int32_t kMaxMarks = 10'000;
inline constexpr int32_t kMaxThemes = 10'000;
inline constexpr int32_t kMaxAreas = 10'000;
inline constexpr int32_t kMaxFiles = 100'000;
inline constexpr int32_t kMaxFileNameLength = 255;

} // namespace tevrix::tvf
