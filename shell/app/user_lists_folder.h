// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

// Where the user's two lists live (the folder that holds "data/").
//
// A program running from its build tree, or from any folder the user may
// write to (a portable copy), keeps them beside itself, as it always has.
// An installed program (in the install prefix's bin/, or in a folder the
// user may not write to) keeps them in $XDG_DATA_HOME/azimora, by default
// ~/.local/share/azimora: deleting a build no longer deletes them, and a
// user who may not write to /usr/bin can still save. Root running the
// installed program gets its own home's folder, never /usr/bin/data.
namespace azimora::shell {

struct ListsFolderFacts {
    std::filesystem::path programFolder;
    std::filesystem::path installBinFolder;  // the prefix's bin/ this program was built for
    bool programFolderWritable = false;
    std::string xdgDataHome;  // $XDG_DATA_HOME, empty when unset
    std::string home;         // $HOME
};

[[nodiscard]] std::filesystem::path UserListsFolder(const ListsFolderFacts& facts);

// The facts of this process: its folder, the compiled-in bin/, the environment.
[[nodiscard]] ListsFolderFacts ThisProgramsFacts(const std::filesystem::path& programFolder);

}  // namespace azimora::shell
