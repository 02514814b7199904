// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/NiceSettings.h"

#include "config/UserStore.h"
#include "platform/Paths.h"
#include "text/Strings.h"

namespace tevrix {

TNiceSettings::TNiceSettings(PropertyOwner& owner, NiceSettingsPlaces places)
    : m_owner(owner), m_places(std::move(places)) {}

std::string TNiceSettings::StorePath() const {
    if (StoreTarget == TStoreTarget::stRegistry)
        return UserStore::PathForKey(m_places.ConfigHome, RegKey);
    if (!IsPlainFileName(IniFile))
        return {};
    return WithTrailingSlash(m_places.ExecutableDir) + IniFile;
}

std::optional<TNiceSettings::Target> TNiceSettings::Resolve(std::string_view name) {
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return Target{&m_owner, std::string(name), std::string(name)};
    const std::string_view child = name.substr(0, dot);
    const std::string property(name.substr(dot + 1));
    if (child.empty())
        return Target{&m_owner, property, property};
    PropertyOwner* component = m_owner.FindChild(child);
    if (!component)
        return std::nullopt;
    return Target{component, property, std::string(child) + "." + property};
}

void TNiceSettings::LoadProps() {
    const std::string path = StorePath();
    if (StoredProps.empty() || path.empty())
        return;
    const UserStore store(path);
    for (const auto& [name, text] : store.Values(m_owner.ComponentName())) {
        if (name.empty() || text.empty())
            continue;
        if (const auto target = Resolve(name))
            target->Component->SetProperty(target->Property, text);
    }
}

void TNiceSettings::SaveProps() {
    const std::string path = StorePath();
    if (StoredProps.empty() || path.empty())
        return;
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& line : StoredProps) {
        const std::string name = Trim(line);
        const auto target = name.empty() ? std::nullopt : Resolve(name);
        if (!target)
            continue;
        if (auto text = target->Component->GetProperty(target->Property))
            values.emplace_back(target->StoredName, std::move(*text));
    }
    UserStore store(path);
    store.ReplaceSubkey(m_owner.ComponentName(), values);
}

} // namespace tevrix
