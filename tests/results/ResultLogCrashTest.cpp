// SPDX-License-Identifier: GPL-3.0-or-later
// A station killed while it appends to the result log may leave the block it
// was writing incomplete, but never loses or damages a block that was
// complete, and the blocks written after it are whole again.
#include "results/ResultLog.h"
#include "support/FileBytes.h"
#include "support/KilledWriter.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"
#include "text/DateTime.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace tevrix {
namespace {

using testing::KilledWriterRun;
using testing::RunKilledWriters;
using testing::SampleRecord;
using testing::TempFolder;

const double kNow = EncodeOleDate({2024, 3, 5, 9, 30, 0, 0});

std::string Pupil(int n) {
    return "Ученик " + std::to_string(n);
}

// The bytes of pupil n's block as the log holds it.
std::string BlockBytes(const ResultLog& log, int n) {
    std::string bytes;
    for (const std::string& line : log.BlockLines(SampleRecord(Pupil(n)), kNow))
        bytes += Utf8ToCp1251(line) + "\r\n";
    return bytes;
}

TEST(ResultLogCrash, AKilledWriterNeverLosesACompletedBlock) {
    TempFolder folder(testing::KilledWriterBase());
    const std::string path = folder.File("TevrixStudent_Result.txt");
    const ResultLog log(path, TextLocale{});

    // The log up to the end of the last block found, and how many there are.
    std::string checked;
    int blocks = 0;
    KilledWriterRun run;
    run.Folder = folder.Path();
    run.Keep = {"TevrixStudent_Result.txt"};
    run.Write = [&](int n) { log.SaveResultLog(SampleRecord(Pupil(n)), kNow); };
    // Blocks are found in order, each starting a line; what lies between
    // them can only be the beginning of a block a killed writer left.
    run.Read = [&] {
        const std::string bytes = testing::ReadWholeFile(path);
        if (bytes.compare(0, checked.size(), checked) != 0)
            throw std::runtime_error("a completed block changed");
        size_t at = checked.size();
        for (;;) {
            const std::string block = BlockBytes(log, blocks);
            const size_t found = bytes.find(block, at);
            if (found == std::string::npos)
                break;
            if (found > 0 && bytes[found - 1] != '\n')
                throw std::runtime_error("block " + std::to_string(blocks) +
                                         " does not start a line");
            const std::string between = bytes.substr(at, found - at);
            if (!between.empty() && block.rfind(between.substr(0, between.size() - 2), 0) != 0)
                throw std::runtime_error("something else before block " + std::to_string(blocks));
            at = found + block.size();
            ++blocks;
        }
        checked = bytes.substr(0, at);
        return blocks - 1;
    };
    const testing::KilledWriterReport report = RunKilledWriters(run);
    EXPECT_GT(report.RoundsWithNewState, 0);
    // The log is only appended to: a killed writer leaves no temporary file.
    EXPECT_EQ(report.KilledMidWrite, 0);
}

} // namespace
} // namespace tevrix
