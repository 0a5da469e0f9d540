// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace azimora {

// One line of a user list file as UTF-8. A line that is valid UTF-8 is taken
// as it is; any other line is taken as Windows-1252, the code page such lists
// were made in on Windows. Decided line by line: lists made there and later
// appended to in UTF-8 hold both. Plain ASCII comes through unchanged.
[[nodiscard]] std::string DecodeListLine(std::string_view bytes);

// The UTF-8 byte order mark, which a list file may start with.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[nodiscard]] bool IsValidUtf8(std::string_view bytes) noexcept;

// U+FFFD REPLACEMENT CHARACTER in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The bytes as well-formed UTF-8: each part that is none (the maximal
// subpart of a broken sequence, or a byte that starts none) becomes U+FFFD,
// as the Unicode Standard recommends (15.0, section 3.9, "U+FFFD
// Substitution of Maximal Subparts"); valid text comes through unchanged.
[[nodiscard]] std::string WellFormedUtf8(std::string_view bytes);

// One character (a Unicode scalar value) appended in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// Splits a text into lines at CR LF, LF or a lone CR, as files from any
// system end them.
[[nodiscard]] std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace azimora
