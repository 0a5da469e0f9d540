// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/user_lists_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace azimora::shell {
namespace {

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return !ec ? same : a.lexically_normal() == b.lexically_normal();
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::filesystem::path UserListsFolder(const ListsFolderFacts& facts) {
    const bool installed = SameFolder(facts.programFolder, facts.installBinFolder) || !facts.programFolderWritable;
    if (!installed) return facts.programFolder;
    // XDG's base directory rules ignore a relative XDG_DATA_HOME.
    const std::filesystem::path xdg(facts.xdgDataHome);
    if (!facts.xdgDataHome.empty() && xdg.is_absolute()) return xdg / "azimora";
    if (!facts.home.empty()) return std::filesystem::path(facts.home) / ".local" / "share" / "azimora";
    return facts.programFolder;  // nowhere better to go
}

ListsFolderFacts ThisProgramsFacts(const std::filesystem::path& programFolder) {
#ifdef AZIMORA_INSTALL_BINDIR
    const std::filesystem::path installBin = AZIMORA_INSTALL_BINDIR;
#else
    const std::filesystem::path installBin;
#endif
    return {programFolder, installBin, ::access(programFolder.c_str(), W_OK) == 0, Environment("XDG_DATA_HOME"),
            Environment("HOME")};
}

}  // namespace azimora::shell
