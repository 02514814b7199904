// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tevrix {

std::string WithTrailingSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string ExecutableDir() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return WithTrailingSlash(exe.parent_path().string());
}

std::string CatalogueDir() {
    return ExecutableDir() + "locale/";
}

std::string TempRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return WithTrailingSlash(tmp && *tmp ? tmp : "/tmp");
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

} // namespace tevrix
