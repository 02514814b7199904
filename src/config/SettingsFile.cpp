// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/SettingsFile.h"

#include "config/IniFileAccess.h"
#include "config/ProfileInteger.h"

#include <string_view>

namespace tevrix {
namespace {

// Calls visit(section, key, member) for every setting of the file, in the
// order of the file's sections and keys. `S` is Settings or const Settings.
template <class S, class Visit> void ForEachFileSetting(S& s, Visit&& visit) {
    visit("Save", "IsSaveResult", s.IsSaveResult);
    visit("Save", "IsSaveProtectionResult", s.IsSaveProtectionResult);
    visit("Save", "IsSaveConfig", s.IsSaveConfig);
    visit("Save", "IsUseWindowSettings", s.IsUseWindowSettings);
    visit("Net", "IsSendResult", s.IsSendResult);
    visit("Net", "RemotePort", s.RemotePort);
    visit("Net", "RemoteHost", s.RemoteHost);
    visit("Net", "IsAutoGetTestFromStart", s.IsAutoGetTestFromStart);
    visit("Dir", "InitialDirOpenTest", s.InitialDirOpenTest);
    visit("Dir", "DirForResult", s.DirForResult);
    visit("Colors", "ColorCorrect", s.ColorCorrect);
    visit("Colors", "ColorError", s.ColorError);
    for (size_t i = 0; i < s.ColorCollation.size(); ++i)
        visit("Colors", "ColorCollation" + std::to_string(i + 1), s.ColorCollation[i]);
    visit("DefaultUser", "TitleUserName", s.TitleUserName);
    visit("DefaultUser", "TitleUserGroup", s.TitleUserGroup);
    visit("DefaultUser", "DefaultUserName", s.DefaultUserName);
    visit("DefaultUser", "DefaultUserGroup", s.DefaultUserGroup);
    visit("DefaultUser", "UserNameExpression", s.UserNameExpression);
    visit("DefaultUser", "UserGroupExpression", s.UserGroupExpression);
    visit("DefaultUser", "UserNameExample", s.UserNameExample);
    visit("DefaultUser", "UserGroupExample", s.UserGroupExample);
    visit("DefaultUser", "IsSaveLastUser", s.IsSaveLastUser);
    visit("ResultUser", "IsShowUserResult", s.IsShowUserResult);
    visit("ResultUser", "IsShowDetailReport", s.IsShowDetailReport);
    visit("Sound", "IsUseSound", s.IsUseSound);
    visit("Sound", "IsUseDefaultSound", s.IsUseDefaultSound);
    visit("Sound", "SoundFileName", s.SoundFileName);
    visit("Sound", "SoundFileDir", s.SoundFileDir);
}

class SettingReader {
public:
    explicit SettingReader(const IniDocument& document) : m_document(document) {}

    void operator()(std::string_view section, std::string_view key, std::string& value) const {
        if (auto text = m_document.ReadValue(section, key))
            value = std::move(*text);
    }
    void operator()(std::string_view section, std::string_view key, int32_t& value) const {
        if (const auto number = ReadNumber(section, key))
            value = *number;
    }
    // A bool is read as a number: anything but 0 is true.
    void operator()(std::string_view section, std::string_view key, bool& value) const {
        if (const auto number = ReadNumber(section, key))
            value = *number != 0;
    }

private:
    std::optional<int32_t> ReadNumber(std::string_view section, std::string_view key) const {
        const auto text = m_document.ReadValue(section, key);
        return text ? ParseProfileInteger(*text) : std::nullopt;
    }

    const IniDocument& m_document;
};

// Stops writing at the first value that cannot be written.
class SettingWriter {
public:
    explicit SettingWriter(IniDocument& document) : m_document(document) {}

    void operator()(std::string_view section, std::string_view key, const std::string& value) {
        Write(section, key, value);
    }
    void operator()(std::string_view section, std::string_view key, int32_t value) {
        Write(section, key, std::to_string(value));
    }
    void operator()(std::string_view section, std::string_view key, bool value) {
        Write(section, key, value ? "1" : "0");
    }
    bool Ok() const { return m_ok; }

private:
    void Write(std::string_view section, std::string_view key, std::string_view text) {
        m_ok = m_ok && m_document.WriteValue(section, key, text);
    }

    IniDocument& m_document;
    bool m_ok = true;
};

Outcome SaveFailed() {
    return Outcome::Failure(PupilMessage{kMsgSaveSettingsError, {}, MessageIcon::None});
}

} // namespace

void ReadSettings(const IniDocument& document, Settings& settings) {
    ForEachFileSetting(settings, SettingReader(document));
}

bool WriteSettings(const Settings& settings, IniDocument& document) {
    SettingWriter writer(document);
    ForEachFileSetting(settings, writer);
    return writer.Ok();
}

Outcome LoadSettings(Settings& settings, const std::string& path) {
    const IniFileContent file = ReadIniFile(path);
    if (file.Status == IniFileStatus::Failed)
        return Outcome::Failure(PupilMessage{kMsgLoadSettingsError, {}, MessageIcon::None});
    ReadSettings(file.Document, settings);
    return {};
}

Outcome SaveSettings(const Settings& settings, const std::string& path) {
    // The file's other lines are kept, so a file that is there but cannot be
    // read must not be overwritten.
    IniFileContent file = ReadIniFile(path);
    if (file.Status == IniFileStatus::Failed)
        return SaveFailed();
    if (!WriteSettings(settings, file.Document) || !WriteIniFile(path, file.Document))
        return SaveFailed();
    return {};
}

} // namespace tevrix
