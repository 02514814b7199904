// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built tvf tool (or any shell command) for the tool's tests.

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace tevrix {

struct ShellRun {
    int Status = -1; // exit code, -1 when the command did not exit normally
    std::string Out; // what it wrote on stdout
};

inline ShellRun Shell(const std::string& command) {
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> chunk{};
    for (size_t got; (got = fread(chunk.data(), 1, chunk.size(), pipe)) > 0;)
        run.Out.append(chunk.data(), got);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The path of the tvf tool built with the tests.
inline std::string Tool() {
    return TEVRIX_TVF_TOOL;
}

} // namespace tevrix
