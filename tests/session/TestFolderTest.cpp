// SPDX-License-Identifier: GPL-3.0-or-later
// The open test's folder goes with the test, and a folder that cannot be
// deleted is reported wherever the test goes.
#include "support/SessionTest.h"

#include <filesystem>

namespace tevrix {
namespace {

using namespace tevrix::testing;

enum class TestGoes { Closed, AnotherLoads };

class TestFolderTest : public SessionTest, public ::testing::WithParamInterface<TestGoes> {
protected:
    void LetTheTestGo() {
        if (GetParam() == TestGoes::Closed)
            m_session->Engine().CloseTest();
        else
            m_session->Engine().BeginLoadingTest();
    }
};

TEST_P(TestFolderTest, TheFolderIsDeletedSilently) {
    auto test = NewTest(m_folder.Path());
    const std::string folder = test->TempDir;
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    Open(std::move(test), ChoiceTasks(1));
    LetTheTestGo();
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(m_session->Engine().State(), ProgramState::NoTest);
    EXPECT_EQ(m_session->Engine().Test(), nullptr);
    EXPECT_TRUE(m_session->Log().OfKind("message").empty());
}

TEST_P(TestFolderTest, AFolderThatCannotBeDeletedIsReported) {
    auto test = NewTest(m_folder.Path());
    test->DeleteTempDir();
    // Entries of /proc can be neither removed nor have their modes changed,
    // by anyone.
    test->TempDir = "/proc/self/fdinfo/";
    Open(std::move(test), ChoiceTasks(1));
    LetTheTestGo();
    EXPECT_EQ(m_session->Engine().State(), ProgramState::NoTest);
    EXPECT_EQ(m_session->Engine().Test(), nullptr);
    const std::vector<TranscriptEvent> messages = m_session->Log().OfKind("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].Text.empty());
    EXPECT_EQ(messages[0].Outcome, "no icon, OK");
}

INSTANTIATE_TEST_SUITE_P(Ways, TestFolderTest,
                         ::testing::Values(TestGoes::Closed, TestGoes::AnotherLoads),
                         [](const auto& info) {
                             return info.param == TestGoes::Closed ? "Closed" : "AnotherLoads";
                         });

} // namespace
} // namespace tevrix
