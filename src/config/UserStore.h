// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tevrix {

// The registry key of the station's own values.
inline constexpr const char* kStationKey = "Software\\TevrixX\\Student";

// The current user's store of the station's own values, where Windows keeps
// the registry key "Software\TevrixX\Student": an INI file (by default
// $XDG_CONFIG_HOME/TevrixX/Student.ini). Subkeys are sections of the same
// names ("PreviousFiles", "CountRunTest", "StudentMainForm"); values of the
// key itself (such as "Password") live in the section named after the file
// ("Student"). Every value is a string.
//
// Each operation reads the file afresh and each change replaces it
// atomically, so several copies of the station see each other's values. A
// file that is there but cannot be read is never overwritten. The file and
// its folders are created on the first change.
class UserStore {
public:
    explicit UserStore(std::string path);
    // The store of kStationKey below ConfigHome().
    static UserStore ForCurrentUser();

    const std::string& Path() const { return m_path; }
    // The section of the values of the key itself.
    const std::string& RootSection() const { return m_rootSection; }

    std::optional<std::string> ReadString(std::string_view subkey, std::string_view name) const;
    // False when the value could not be stored.
    bool WriteString(std::string_view subkey, std::string_view name, std::string_view value);
    // Removes the value; true when it is gone (also when it was not there).
    bool DeleteValue(std::string_view subkey, std::string_view name);
    // The subkey's values in stored order; nothing for a missing subkey. A
    // line without '=' is a value with empty content.
    std::vector<std::pair<std::string, std::string>> Values(std::string_view subkey) const;
    // Deletes the subkey with all its values, then writes `values` in order,
    // as one change of the file; an empty list just deletes the subkey.
    // Values that cannot be stored are left out. False when the file could
    // not be read or written.
    bool ReplaceSubkey(std::string_view subkey,
                       const std::vector<std::pair<std::string, std::string>>& values);

    // $XDG_CONFIG_HOME when set to an absolute path, else $HOME/.config.
    static std::string ConfigHome();
    // The file that stands for a key of the current user's registry branch:
    // "Software\TevrixX\Student" is <configHome>/TevrixX/Student.ini (the
    // leading "Software\" is optional). Empty when the key names no file
    // safely (an empty part, "." or "..", a '/') or configHome is empty.
    static std::string PathForKey(const std::string& configHome, std::string_view key);

private:
    std::string m_path;
    std::string m_rootSection;
};

} // namespace tevrix
