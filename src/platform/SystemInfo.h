// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// The names a result record keeps of the station and its user. Both are
// asked with room for 15 characters, so a longer name is not cut but left
// empty, as it is when the system cannot tell it.
inline constexpr size_t kMaxSystemNameLength = 15;

// The host name up to its first '.', the short name that names the
// computer on a school network.
std::string ComputerName();
// The login name of the user running the program.
std::string ComputerUserName();

// `name` when it has at most kMaxSystemNameLength characters, else empty.
std::string FitSystemName(std::string_view name);

} // namespace tevrix
