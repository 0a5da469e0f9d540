#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// File access of the user lists: whole-file reads and single-record appends.
namespace azimora {

// The lines of a text file (ended by CR LF, LF or a lone CR; a last line
// without a break counts), decoded to UTF-8; nullopt when there is no such
// file (a folder of that name counts as none). Throws FileOpenError
// "Cannot open file "<full path>". <cause>" when it exists but cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> ReadListFileLines(const std::filesystem::path& file);

// Appends one line plus CR LF to file, creating the file, and its folder one
// level up when missing. The line reaches the file in a single write on a
// file opened for appending, so existing lines are never touched and records
// of programs saving at the same time do not interleave. Throws InOutError.
void AppendListFileLine(const std::filesystem::path& file, std::string_view line);

// The input/output code of an operating system error number.
[[nodiscard]] int InOutCodeOfErrno(int error) noexcept;

// Splits a text into lines at CR LF, LF or a lone CR.
[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text);

}  // namespace azimora
