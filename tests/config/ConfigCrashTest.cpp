// SPDX-License-Identifier: GPL-3.0-or-later
// A writer killed at any moment must leave the configuration file, the user
// store and the recent files either as they were or as they were meant to
// become, readable, with the lines it does not own still in place.
#include "ConfigTestSupport.h"
#include "config/RecentFiles.h"
#include "config/SettingsFile.h"
#include "config/UserStore.h"
#include "support/KilledWriter.h"

#include <stdexcept>

namespace tevrix {
namespace {

using testing::KilledWriterReport;
using testing::KilledWriterRun;
using testing::RunKilledWriters;

class ConfigCrash : public ::testing::Test {
protected:
    const std::string& Root() const { return m_folder.Path(); }

    void ExpectKillsLandedAndWritesCompleted(const KilledWriterReport& report) {
        EXPECT_GT(report.KilledMidWrite, 0);
        EXPECT_GT(report.RoundsWithNewState, 0);
    }

private:
    testing::TempFolder m_folder{testing::KilledWriterBase()};
};

constexpr int kBasePort = 1000;

TEST_F(ConfigCrash, TheConfigurationFileIsOldOrNew) {
    const std::string path = Root() + kConfigFileName;
    // Lines the station does not own must survive every save.
    testing::WriteWholeFile(path,
                            testing::ReadWholeFile(testing::FixturePath("foreign_lines.txt")));
    KilledWriterRun run;
    run.Folder = Root();
    run.Keep = {kConfigFileName};
    run.Write = [&](int n) {
        Settings settings;
        settings.RemotePort = kBasePort + n;
        SaveSettings(settings, path);
    };
    run.Read = [&] {
        const std::string bytes = testing::ReadWholeFile(path);
        if (bytes.find("Extra=keep me") == std::string::npos)
            throw std::runtime_error("a foreign line is gone");
        Settings settings;
        if (LoadSettings(settings, path).Failed())
            throw std::runtime_error("unreadable");
        return settings.RemotePort - kBasePort;
    };
    ExpectKillsLandedAndWritesCompleted(RunKilledWriters(run));
}

TEST_F(ConfigCrash, TheUserStoreIsOldOrNew) {
    const std::string path = Root() + "Student.ini";
    ASSERT_TRUE(UserStore(path).WriteString("Student", "Password", "секрет"));
    KilledWriterRun run;
    run.Folder = Root();
    run.Keep = {"Student.ini"};
    run.Write = [&](int n) {
        UserStore(path).WriteString("CountRunTest", "{UID}", std::to_string(n));
    };
    run.Read = [&] {
        const UserStore store(path);
        if (store.ReadString("Student", "Password") != "секрет")
            throw std::runtime_error("another value is gone");
        const std::optional<std::string> count = store.ReadString("CountRunTest", "{UID}");
        if (!count)
            throw std::runtime_error("the value is gone");
        return std::stoi(*count);
    };
    ExpectKillsLandedAndWritesCompleted(RunKilledWriters(run));
}

std::string TestPath(int n) {
    return "/home/pupil/Тест " + std::to_string(n) + ".tvf";
}

TEST_F(ConfigCrash, TheRecentFilesAreOldOrNew) {
    const std::string path = Root() + "Student.ini";
    KilledWriterRun run;
    run.Folder = Root();
    run.Keep = {"Student.ini"};
    // State n is the list of the tests n, n-1, ... opened last, n on top.
    run.Write = [&](int n) {
        RecentFiles recent;
        recent.LoadRecentFiles(UserStore(path));
        recent.AddRecentFile(TestPath(n));
        UserStore store(path);
        recent.SaveRecentFiles(store);
    };
    run.Read = [&] {
        RecentFiles recent;
        recent.LoadRecentFiles(UserStore(path));
        const std::vector<std::string>& items = recent.Items();
        if (items.empty())
            throw std::runtime_error("the list is gone");
        const int top = std::stoi(items[0].substr(items[0].find(' ') + 1));
        const size_t expected = std::min<size_t>(RecentFiles::kMaxItems, top + 1);
        if (items.size() != expected)
            throw std::runtime_error("the list lost items");
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] != TestPath(top - int(i)))
                throw std::runtime_error("the list is mixed up: " + items[i]);
        return top;
    };
    ExpectKillsLandedAndWritesCompleted(RunKilledWriters(run));
}

} // namespace
} // namespace tevrix
