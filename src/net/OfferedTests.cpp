// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/OfferedTests.h"

#include "text/Format.h"

namespace tevrix {

std::string OfferedTestFileName(std::string_view line) {
    const size_t separator = line.find_last_of("\\:/");
    return std::string(separator == std::string_view::npos ? line : line.substr(separator + 1));
}

std::vector<std::string> OfferedTestItems(const std::vector<std::string>& lines) {
    std::vector<std::string> items;
    items.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        items.push_back(
            Format("%d) %s", {static_cast<long long>(i + 1), OfferedTestFileName(lines[i])}, '.'));
    return items;
}

} // namespace tevrix
