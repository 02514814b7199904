// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/UserStore.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tevrix {

// The user store's subkey of the list; its values are named "1", "2", ...
inline constexpr const char* kRecentFilesSubkey = "PreviousFiles";

// The recently opened test files, most recent first, as the "Предыдущие
// файлы" menu shows them (one item per path, the caption being the path).
class RecentFiles {
public:
    static constexpr size_t kMaxItems = 5;

    const std::vector<std::string>& Items() const { return m_items; }

    // Puts `path` on top. An item equal to it when letter case and '&' are
    // ignored is removed first; beyond kMaxItems the last item goes.
    void AddRecentFile(const std::string& path);

    // Adds the subkey's values from the last listed to the first, so the
    // first listed ends on top; the value names play no part in the order.
    void LoadRecentFiles(const UserStore& store);
    // Replaces the subkey by one value per item from the top, named "1",
    // "2", ...; false when the store could not be written.
    bool SaveRecentFiles(UserStore& store) const;

private:
    std::vector<std::string> m_items;
};

} // namespace tevrix
