// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"

// File access of the user lists: whole-file reads and single-record appends.
namespace azimora {

// Lines longer than this are not records: a name that long freezes the
// window that shows it. They are skipped on loading and never written.
inline constexpr std::size_t kMaxListLineBytes = 64 * 1024;

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
// searched.
[[nodiscard]] std::optional<std::vector<ListLine>> ReadListFileLines(const std::filesystem::path& file);

// Appends one line plus CR LF to file, creating the file, and its folder one
// level up when missing. The record is written whole or not at all: a failed
// write is cut off again. It starts on a line of its own when the file's last
// line has no break. Saves of programs running at the same time take turns.
// Only regular files (or links to them) are written; nothing blocks. Throws
// InOutError.
void AppendListFileLine(const std::filesystem::path& file, std::string_view line);

// The input/output code of an operating system error number: one of the
// fixed codes where the meaning is the same, otherwise kOtherInOutCodeBase
// plus the number.
[[nodiscard]] int InOutCodeOfErrno(int error) noexcept;

// The InOutError of an operating system error number; one without a fixed
// code carries the system's description of it.
[[nodiscard]] InOutError InOutErrorOfErrno(int error);

// Splits a text into lines at CR LF, LF or a lone CR.
[[nodiscard]] std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace azimora
