// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tevrix {

// A colour as 0x00BBGGRR (red in the low byte), stored as a signed decimal.
using TColor = int32_t;

// The station's settings, each named as its key in the configuration file
// and holding its built-in default. Members are in their historic order.
struct Settings {
    std::string RemoteHost = "127.0.0.1";
    int32_t RemotePort = 5005;
    std::string InitialDirOpenTest;
    std::string DirForResult;
    // Kept only while the program runs: never read from or written to the
    // configuration file.
    std::string ResultFileName = "TevrixStudent_Result.txt";
    std::string ProtectionResultPrefix;
    bool IsSaveResult = true;
    bool IsSaveProtectionResult = false;
    bool IsSendResult = false;
    bool IsShowUserResult = true;
    bool IsShowDetailReport = true;
    bool IsSaveConfig = false;
    bool IsAutoGetTestFromStart = false;
    TColor ColorCorrect = 14218716; // RGB 220, 245, 216
    TColor ColorError = 13428479;   // RGB 255, 230, 204
    // The colours of the pairs of a matching task; entry i is the key
    // "ColorCollation<i + 1>".
    std::array<TColor, 10> ColorCollation = {
        15718645, // RGB 245, 216, 239
        14216949, // RGB 245, 238, 216
        14218734, // RGB 238, 245, 216
        14218719, // RGB 223, 245, 216
        14677464, // RGB 216, 245, 223
        15660504, // RGB 216, 245, 238
        16117464, // RGB 216, 238, 245
        16113624, // RGB 216, 223, 245
        16111839, // RGB 223, 216, 245
        16111854, // RGB 238, 216, 245
    };
    std::string TitleUserName;
    std::string TitleUserGroup;
    std::string DefaultUserName = "Фамилия Имя";
    std::string DefaultUserGroup = "Класс";
    std::string UserNameExpression = "^[А-Я]{1}[а-я]{1,} [А-Я]{1}[а-я]{1,}$";
    std::string UserGroupExpression = "^[1-9]{1}[0-1]{0,1} [А-Яа-я]{1}$";
    std::string UserNameExample = "Иванов Иван";
    std::string UserGroupExample = "10 А";
    bool IsSaveLastUser = true;
    bool IsUseSound = true;
    bool IsUseDefaultSound = true;
    std::string SoundFileName;
    std::string SoundFileDir;
    bool IsUseWindowSettings = false;

    bool operator==(const Settings&) const = default;
};

// Every setting back to its default.
void SetDefaultSettings(Settings& settings);

} // namespace tevrix
