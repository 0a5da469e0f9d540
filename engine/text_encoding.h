#pragma once

#include <string>
#include <string_view>

namespace azimora {

// The text of a user list file as UTF-8. A file that is valid UTF-8 is taken
// as it is (less a leading byte order mark); any other file is taken as
// Windows-1252, the code page such lists were made in on Windows. Plain
// ASCII comes through unchanged either way.
[[nodiscard]] std::string DecodeListFileText(std::string_view bytes);

[[nodiscard]] bool IsValidUtf8(std::string_view bytes) noexcept;

}  // namespace azimora
