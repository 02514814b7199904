// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// The file-name part of an offered test's line, as the pupil sees it: the
// text after the last backslash, colon or slash; the whole line when it has
// none. The server may run on Windows ("C:\Tests\a.tvf") or not
// ("/srv/tests/a.tvf").
std::string OfferedTestFileName(std::string_view line);

// The items of the select-test list: "%d) %s" with the number counted from
// 1 and the file-name part of each line, in the order received.
std::vector<std::string> OfferedTestItems(const std::vector<std::string>& lines);

} // namespace tevrix
