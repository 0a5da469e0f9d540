// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The reading of the user lists: a file's lines, whole or one by one.
namespace azimora {

// Lines longer than this are not records: a name that long freezes the
// window that shows it. They are skipped on loading and never written.
inline constexpr std::size_t kMaxListLineBytes = 64 * 1024;

// A list file larger than this is refused whole rather than read.
inline constexpr long long kMaxListFileBytes = 1LL << 30;

// The records a list loads at most: more would take the memory of many
// times the file (a record of a few bytes becomes a node of the tree); a
// list of that many satellites or places is no list a person keeps.
inline constexpr std::size_t kMaxListRecords = 1000000;

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

}  // namespace azimora
