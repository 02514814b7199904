// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The protected result file (.tvpr), one per test, every run of that test
// recorded on this station, oldest first:
//   0   22 bytes  "TevrixProtectionResult", no length, no terminator
//   22  to end    a zlib stream (RFC 1950), written at level 9 with full
//                 flush points after N and after the last record (see
//                 AppendableZlib.h), holding:
//                   text   the test's UId
//                   text   the test's ResultKey
//                   int32  N, the number of records
//                   N result record streams (TResultTest), one after another
// Texts are int32 byte length + Windows-1251 bytes; integers little-endian.

#include <cstdint>
#include <string_view>

namespace tevrix::tvpr {

inline constexpr std::string_view kSignature = "TevrixProtectionResult";
inline constexpr int kCompressionLevel = 9;
inline constexpr std::string_view kExtension = ".tvpr";

// No station records this many runs of one test; a larger count is damage
// and is refused before anything is read for it.
inline constexpr int32_t kMaxRecords = 1'000'000;

} // namespace tevrix::tvpr
