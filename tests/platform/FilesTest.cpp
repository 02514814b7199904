// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

namespace fs = std::filesystem;

TEST(FileOutputStreamTest, NeverWritesThroughAPlantedLink) {
    const testing::TempFolder folder;
    testing::WriteWholeFile(folder.File("victim"), "untouched");
    fs::create_symlink(folder.File("victim"), folder.File("picture.png"));
    EXPECT_THROW(FileOutputStream(folder.File("picture.png")), IoError);
    EXPECT_EQ(testing::ReadWholeFile(folder.File("victim")), "untouched");
}

struct NameCase {
    std::string Name;
    bool Plain;
};

class PlainFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PlainFileNameTest, StaysInsideItsFolder) {
    EXPECT_EQ(IsPlainFileName(GetParam().Name), GetParam().Plain);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PlainFileNameTest,
    ::testing::Values(NameCase{"picture.png", true}, NameCase{"рисунок 1.png", true},
                      NameCase{"..picture", true}, NameCase{"", false}, NameCase{".", false},
                      NameCase{"..", false}, NameCase{"../picture.png", false},
                      NameCase{"/etc/passwd", false}, NameCase{"a/b", false},
                      NameCase{"a\\b", false}, NameCase{std::string("a\0b", 3), false}),
    testing::CaseName);

} // namespace
} // namespace tevrix
