// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RecentFiles.h"

#include "text/Strings.h"

#include <algorithm>

namespace tevrix {
namespace {

// The form in which two captions are compared: '&' (a menu accelerator
// marker) removed, upper-cased.
std::string ComparisonForm(std::string caption) {
    std::erase(caption, '&');
    return UpperCase(caption);
}

} // namespace

void RecentFiles::AddRecentFile(const std::string& path) {
    const std::string wanted = ComparisonForm(path);
    const auto same = std::find_if(m_items.begin(), m_items.end(), [&](const std::string& item) {
        return ComparisonForm(item) == wanted;
    });
    if (same != m_items.end())
        m_items.erase(same);
    m_items.insert(m_items.begin(), path);
    if (m_items.size() > kMaxItems)
        m_items.pop_back();
}

void RecentFiles::LoadRecentFiles(const UserStore& store) {
    const auto values = store.Values(kRecentFilesSubkey);
    for (auto value = values.rbegin(); value != values.rend(); ++value)
        AddRecentFile(value->second);
}

bool RecentFiles::SaveRecentFiles(UserStore& store) const {
    std::vector<std::pair<std::string, std::string>> values;
    for (size_t i = 0; i < m_items.size(); ++i)
        values.emplace_back(std::to_string(i + 1), m_items[i]);
    return store.ReplaceSubkey(kRecentFilesSubkey, values);
}

} // namespace tevrix
