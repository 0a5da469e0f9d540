// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The writing of the user lists: records appended whole or not at all.
namespace azimora {

// Appends lines, each plus CR LF, to file, creating the file, and its folder
// one level up when missing. The lines land all together or not at all, also
// when the process dies at any point of the save: the old content and the
// new lines go to a new file beside the old one, which is synced and renamed
// over it (at the link's target, when the list is a symbolic link; with the
// old file's permissions). The first line starts on a line of its own when
// the file's last line has no break. Saves of programs running at the same
// time take turns; a save waits kListLockPatience for another program's
// lock, then throws Error kListInUseMessage. Only regular files (or links to
// them) are written. A list that can be written but not read is appended to
// in place. Throws InOutError.
void AppendListFileLines(const std::filesystem::path& file, std::span<const std::string> lines);
void AppendListFileLine(const std::filesystem::path& file, std::string_view line);

}  // namespace azimora
