// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SettingsMapping.h"

namespace tevrix {

ResultOutputSettings ResultOutputSettingsOf(const Settings& settings,
                                            const std::string& programDir) {
    ResultOutputSettings outputs;
    outputs.IsSaveResult = settings.IsSaveResult;
    outputs.IsSaveProtectionResult = settings.IsSaveProtectionResult;
    outputs.IsSendResult = settings.IsSendResult;
    outputs.IsShowUserResult = settings.IsShowUserResult;
    outputs.IsShowDetailReport = settings.IsShowDetailReport;
    outputs.IsUseSound = settings.IsUseSound;
    outputs.IsUseDefaultSound = settings.IsUseDefaultSound;
    outputs.SoundFileName = settings.SoundFileName;
    outputs.SoundFileDir = settings.SoundFileDir;
    outputs.DirForResult = settings.DirForResult;
    outputs.ResultFileName = settings.ResultFileName;
    outputs.ProtectionResultPrefix = settings.ProtectionResultPrefix;
    outputs.ProgramDir = programDir;
    return outputs;
}

AnswerColors AnswerColorsOf(const Settings& settings) {
    AnswerColors colors;
    colors.Correct = ColorValue(settings.ColorCorrect);
    colors.Error = ColorValue(settings.ColorError);
    for (size_t i = 0; i < colors.Collation.size(); ++i)
        colors.Collation[i] = ColorValue(settings.ColorCollation[i]);
    return colors;
}

} // namespace tevrix
