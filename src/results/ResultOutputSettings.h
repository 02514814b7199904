// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Paths.h"

#include <string>

namespace tevrix {

// The station's settings that the result outputs read, with the station's
// defaults. The settings store fills it from its own values; each switch
// works together with the matching permission of the test.
struct ResultOutputSettings {
    bool IsSaveResult = true;            // the result log (with the test's SaveResult)
    bool IsSaveProtectionResult = false; // the protected file (with SaveProtectedResult)
    bool IsSendResult = false;           // the RESULT report (with ReportToServer)
    bool IsShowUserResult = true;        // the result window (with ShowResult)
    bool IsShowDetailReport = true;      // the detailed report (with ShowReport)
    bool IsUseSound = true;
    bool IsUseDefaultSound = true;
    std::string SoundFileName;
    std::string SoundFileDir;
    std::string DirForResult;
    std::string ResultFileName = "TevrixStudent_Result.txt";
    std::string ProtectionResultPrefix;
    // The folder of the program, ending with '/': the result folder when
    // DirForResult is empty, and the sound folder when SoundFileDir is.
    std::string ProgramDir = ExecutableDir();

    // A file of the result folder: DirForResult + "/" + name when
    // DirForResult is set (as typed, a trailing '/' or not), else the
    // program's folder + name. Empty, so that writing fails, for a name that
    // would leave the folder ("../x", "a/b", "/etc/x").
    std::string ResultFilePath(const std::string& fileName) const {
        if (!IsPlainFileName(fileName))
            return {};
        return DirForResult.empty() ? ProgramDir + fileName : DirForResult + "/" + fileName;
    }

    // The sound file played at the end of a run when the built-in one is not.
    std::string EndSoundPath() const {
        return WithTrailingSlash(SoundFileDir.empty() ? ProgramDir : SoundFileDir) + SoundFileName;
    }
};

} // namespace tevrix
