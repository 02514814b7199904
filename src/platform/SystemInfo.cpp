// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemInfo.h"

#include "text/Cp1251.h"

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace tevrix {

std::string FitSystemName(std::string_view name) {
    size_t characters = 0;
    for (size_t position = 0; position < name.size(); ++characters)
        DecodeUtf8(name, position);
    return characters <= kMaxSystemNameLength ? std::string(name) : std::string();
}

std::string ComputerName() {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    const std::string_view host(buffer);
    return FitSystemName(host.substr(0, host.find('.')));
}

std::string ComputerUserName() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return FitSystemName(found->pw_name);
}

} // namespace tevrix
