// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tevrix {

// The blocks of the run reports, laid out as ServerProtocol.h gives them.
// Texts are written in Windows-1251.

// INFOBEGIN: the record as filled at the start of the run.
std::vector<uint8_t> InfoBeginBlock(std::string_view runId, const TResultTest& record);

// INFOPROCESS: the record after a check; 71 bytes with a 38-character RunId.
std::vector<uint8_t> InfoProcessBlock(std::string_view runId, bool serverProgressFlag,
                                      const TResultTest& record);

// RESULT: the result record stream of the graded record.
std::vector<uint8_t> ResultRecordBlock(const TResultTest& record);

} // namespace tevrix
