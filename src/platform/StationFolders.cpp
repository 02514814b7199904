// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StationFolders.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace tevrix {
namespace {

// An installation puts the program in <prefix>/bin and its data in
// <prefix>/share/tevrix-student; the build says where, relative to the
// program's folder.
constexpr const char* kDataDirFromExecutable = TEVRIX_DATA_DIR_FROM_EXECUTABLE;

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::string InstalledDataDirBeside(const std::string& executableDir) {
    const std::string candidate =
        (std::filesystem::path(executableDir) / kDataDirFromExecutable).lexically_normal();
    return IsDirectory(candidate) ? WithTrailingSlash(candidate) : std::string();
}

void CopyUnlessPresent(const std::string& source, const std::string& folder) {
    const std::string target = folder + std::filesystem::path(source).filename().string();
    if (FileExists(target) || !FileExists(source))
        return;
    try {
        const std::vector<uint8_t> bytes = ReadFileBytes(source);
        WriteFileAtomically(
            target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const IoError&) {
        // The station starts from its defaults instead.
    }
}

} // namespace

StationFolders ChooseStationFolders(const StationFolderFacts& facts) {
    const bool portable = facts.ExecutableDirWritable && facts.InstalledDataDir.empty();
    if (portable || facts.DataHome.empty())
        return {facts.ExecutableDir, facts.ExecutableDir, false};
    const std::string data =
        facts.InstalledDataDir.empty() ? facts.ExecutableDir : facts.InstalledDataDir;
    return {WithTrailingSlash(facts.DataHome) + kStationFolderName + "/", data, true};
}

StationFolderFacts StationFolderFactsOfThisProcess() {
    StationFolderFacts facts;
    facts.ExecutableDir = ExecutableDir();
    facts.ExecutableDirWritable = ::access(facts.ExecutableDir.c_str(), W_OK) == 0;
    facts.InstalledDataDir = InstalledDataDirBeside(facts.ExecutableDir);
    facts.DataHome = XdgBaseDir("XDG_DATA_HOME", ".local/share");
    return facts;
}

bool PrepareStationFolder(const StationFolders& folders,
                          const std::vector<std::string>& startingFiles) {
    if (!folders.Installed)
        return true;
    std::error_code error;
    std::filesystem::create_directories(folders.Station, error);
    if (!IsDirectory(folders.Station))
        return false;
    for (const std::string& file : startingFiles)
        CopyUnlessPresent(file, folders.Station);
    return true;
}

} // namespace tevrix
