// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "headless/RunScript.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tevrix::tool {

// A run script as the tool reads it: the run itself and what only the tool
// needs.
struct ToolScript {
    RunScript Run;
    std::optional<std::string> OpenPassword;
    bool ServerDown = false;
};

// The script of `tvf simulate` from its JSON (docs/simulate.md). Throws
// ToolError naming the field that is wrong.
ToolScript ParseScript(const nlohmann::json& json);

} // namespace tevrix::tool
