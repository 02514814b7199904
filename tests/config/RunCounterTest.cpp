// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/RunCounter.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tevrix {
namespace {

// Interface texts as they are written (no catalogue).
const TextLocale kRussian{[](std::string_view text) { return std::string(text); }, ','};

constexpr const char* kUId = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

class RunCounterTest : public testing::ConfigFolderTest {
protected:
    std::string StorePath() const { return Root() + "TevrixX/Student.ini"; }
    std::string MarkerFolder() const { return Root() + "markers"; }

    // The station as it runs during the boot `bootId`.
    RunCounter Counter(const std::string& bootId) const {
        return RunCounter(UserStore(StorePath()), RebootMarkers(MarkerFolder(), bootId));
    }

    std::optional<std::string> StoredCount(const std::string& uid = kUId) const {
        return UserStore(StorePath()).ReadString(kRunCountSubkey, uid);
    }
};

TEST_F(RunCounterTest, CountsTheStartsBeforeThisOne) {
    RunCounter counter = Counter("boot-1");
    EXPECT_EQ(counter.CountTestRun(kUId), 0);
    EXPECT_EQ(StoredCount(), "1");
    EXPECT_EQ(counter.CountTestRun(kUId), 1);
    EXPECT_EQ(counter.CountTestRun(kUId), 2);
    EXPECT_EQ(StoredCount(), "3");
    // Other tests count on their own.
    EXPECT_EQ(counter.CountTestRun("{other}"), 0);
}

TEST_F(RunCounterTest, TheRefusalIsTranslatedBeforeTheCountGoesIn) {
    const TextLocale ukrainian{[](std::string_view text) {
                                   if (text == kMsgRunLimit)
                                       return std::string("Не більше %d разів.");
                                   return std::string(text == "Внимание!" ? "Увага!" : text);
                               },
                               ','};
    RunCounter counter = Counter("boot-1");
    ASSERT_TRUE(counter.CheckRunLimit(kUId, 1, ukrainian).Ok());
    EXPECT_EQ(counter.CheckRunLimit(kUId, 1, ukrainian).Message(),
              (PupilMessage{"Не більше 1 разів.", "Увага!", MessageIcon::Error}));
}

TEST_F(RunCounterTest, RefusesTheThirdStartOfATestAllowedTwice) {
    const int32_t maxRuns = 2;
    RunCounter counter = Counter("boot-1");
    EXPECT_TRUE(counter.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    EXPECT_TRUE(counter.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    const Outcome third = counter.CheckRunLimit(kUId, maxRuns, kRussian);
    EXPECT_TRUE(third.Failed());
    EXPECT_EQ(third.Message(),
              (PupilMessage{"Извините, но этот тест не может быть запущен более 2 раз \n\r"
                            "без перезагрузки компьютера.",
                            "Внимание!", MessageIcon::Error}));
    // A refused start is counted as well.
    EXPECT_FALSE(counter.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    EXPECT_EQ(StoredCount(), "4");
}

TEST_F(RunCounterTest, ARestartAllowsTheTestAgain) {
    const int32_t maxRuns = 1;
    EXPECT_TRUE(Counter("boot-1").CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    EXPECT_FALSE(Counter("boot-1").CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    RunCounter afterRestart = Counter("boot-2");
    EXPECT_TRUE(afterRestart.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    EXPECT_EQ(StoredCount(), "1");
    EXPECT_FALSE(afterRestart.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
}

TEST_F(RunCounterTest, ATestWithoutALimitIsNotCounted) {
    for (const int32_t maxRuns : {0, -1}) {
        RunCounter counter = Counter("boot-1");
        for (int start = 0; start < 3; ++start)
            EXPECT_TRUE(counter.CheckRunLimit(kUId, maxRuns, kRussian).Ok());
    }
    EXPECT_FALSE(std::filesystem::exists(StorePath()));
    EXPECT_FALSE(std::filesystem::exists(MarkerFolder()));
}

struct FallbackCase {
    std::string Name;
    std::optional<std::string> Stored; // nothing = the value was deleted
};

void PrintTo(const FallbackCase& c, std::ostream* os) {
    *os << c.Name;
}

class RunCounterFallbackTest : public RunCounterTest,
                               public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(RunCounterFallbackTest, AnUnusableCountCountsAsAHundred) {
    Counter("boot-1").CountTestRun(kUId);
    UserStore store(StorePath());
    ASSERT_TRUE(store.ReplaceSubkey(kRunCountSubkey, {}));
    if (GetParam().Stored) {
        ASSERT_TRUE(store.WriteString(kRunCountSubkey, kUId, *GetParam().Stored));
    }

    RunCounter counter = Counter("boot-1");
    EXPECT_FALSE(counter.CheckRunLimit(kUId, 100, kRussian).Ok());
    EXPECT_EQ(StoredCount(), "101");
    EXPECT_FALSE(counter.CheckRunLimit(kUId, 2, kRussian).Ok());
    EXPECT_TRUE(counter.CheckRunLimit(kUId, 103, kRussian).Ok());
}

INSTANTIATE_TEST_SUITE_P(Cases, RunCounterFallbackTest,
                         ::testing::Values(FallbackCase{"Deleted", std::nullopt},
                                           FallbackCase{"NoNumber", "abc"},
                                           FallbackCase{"Empty", ""}),
                         testing::CaseName);

TEST_F(RunCounterTest, TheCountStopsAtTheLargestNumber) {
    Counter("boot-1").CountTestRun(kUId);
    ASSERT_TRUE(UserStore(StorePath()).WriteString(kRunCountSubkey, kUId, "2147483647"));
    EXPECT_EQ(Counter("boot-1").CountTestRun(kUId), 2147483647);
    EXPECT_EQ(StoredCount(), "2147483647");
}

TEST_F(RunCounterTest, AMarkerNeverLeavesItsFolder) {
    const std::vector<std::string> uids = {"../../escape", "/etc/passwd", "a/b", ".", ""};
    RunCounter counter = Counter("boot-1");
    for (const std::string& uid : uids)
        counter.CountTestRun(uid);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(MarkerFolder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"run-", "run-2e", "run-2e2e2f2e2e2f657363617065",
                                               "run-2f6574632f706173737764", "run-612f62"}));
    EXPECT_FALSE(std::filesystem::exists(Root() + "escape"));
}

TEST_F(RunCounterTest, TheCurrentUsersCounterLivesInTheConfigurationHome) {
    const testing::ScopedVariable home("XDG_CONFIG_HOME", Root().c_str());
    RunCounter counter = RunCounter::ForCurrentUser();
    EXPECT_EQ(counter.CountTestRun("AB"), 0);
    EXPECT_EQ(counter.CountTestRun("AB"), 1);
    EXPECT_EQ(StoredCount("AB"), "2");
    EXPECT_EQ(testing::ReadWholeFile(Root() + "TevrixX/RunMarkers/run-4142"), CurrentBootId());
}

TEST(RebootMarkersTest, WithoutAFolderThereAreNoMarkers) {
    RebootMarkers markers("", "boot-1");
    EXPECT_FALSE(markers.Create(kUId));
    EXPECT_FALSE(markers.Exists(kUId));
}

TEST(RebootMarkersTest, AMarkerOfAnEarlierBootIsNoMarker) {
    const testing::TempFolder root;
    const std::string folder = root.File("markers");
    RebootMarkers firstBoot(folder, "boot-1");
    EXPECT_FALSE(firstBoot.Exists(kUId));
    ASSERT_TRUE(firstBoot.Create(kUId));
    EXPECT_TRUE(firstBoot.Exists(kUId));
    EXPECT_FALSE(firstBoot.Exists("{another}"));
    const RebootMarkers secondBoot(folder, "boot-2");
    EXPECT_FALSE(secondBoot.Exists(kUId));
}

TEST(RebootMarkersTest, TheKernelGivesABootId) {
    // xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx, the same for the whole boot.
    const std::string id = CurrentBootId();
    ASSERT_EQ(id.size(), 36u);
    EXPECT_EQ(id[8], '-');
    EXPECT_EQ(id[23], '-');
    EXPECT_EQ(CurrentBootId(), id);
}

} // namespace
} // namespace tevrix
