// SPDX-License-Identifier: GPL-3.0-or-later
// The run script of `tvf simulate`. A script is taken or refused with a
// ToolError naming the field; nothing else may escape.
#include "Commands.h"
#include "FuzzSupport.h"
#include "SimulateScript.h"

using namespace tevrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(fuzz::AsText(data, size));
    } catch (const nlohmann::json::exception&) {
        return 0;
    }
    try {
        const tool::ToolScript script = tool::ParseScript(json);
        fuzz::Check(script.Run.Steps.size() <= size, "no more steps than the script gives");
    } catch (const tool::ToolError&) {
    }
    return 0;
}
