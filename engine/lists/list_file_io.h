// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"

// File access of the user lists: whole-file reads and single-record appends.
namespace azimora {

// Lines longer than this are not records: a name that long freezes the
// window that shows it. They are skipped on loading and never written.
inline constexpr std::size_t kMaxListLineBytes = 64 * 1024;

// A list file larger than this is refused whole rather than read.
inline constexpr long long kMaxListFileBytes = 1LL << 30;

// How long a save waits for another program that holds the list locked.
inline constexpr std::chrono::milliseconds kListLockPatience{1500};
inline constexpr const char* kListInUseMessage = "Nothing was saved: the list is in use by another program";

struct ListLine {
    std::string text;      // decoded to UTF-8; empty when overlong
    bool overlong = false; // more than kMaxListLineBytes in the file
};

// The lines of a text file (ended by CR LF, LF or a lone CR; a last line
// without a break counts), each decoded to UTF-8 on its own, a leading byte
// order mark dropped; nullopt when there is no such file (a folder of that
// name counts as none, and so does a path through a plain file). Throws
// FileOpenError "Cannot open file "<full path>". <cause>" when it exists but
// cannot be read, when it is no regular file, and when its folder cannot be
// searched; ListTooLargeError when it is over kMaxListFileBytes.
[[nodiscard]] std::optional<std::vector<ListLine>> ReadListFileLines(const std::filesystem::path& file);
// The same line by line, each handed on as it is read: the file is never
// held whole. False when there is no such file.
bool ForEachListFileLine(const std::filesystem::path& file, const std::function<void(ListLine&&)>& each);

// The records a list loads at most: more would take the memory of many
// times the file (a record of a few bytes becomes a node of the tree); a
// list of that many satellites or places is no list a person keeps.
inline constexpr std::size_t kMaxListRecords = 1000000;

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

// The input/output code of an operating system error number: one of the
// fixed codes where the meaning is the same, otherwise kOtherInOutCodeBase
// plus the number.
[[nodiscard]] int InOutCodeOfErrno(int error) noexcept;

// The InOutError of an operating system error number; one without a fixed
// code carries the system's description of it.
[[nodiscard]] InOutError InOutErrorOfErrno(int error);

}  // namespace azimora
