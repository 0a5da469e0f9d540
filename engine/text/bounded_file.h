// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// Whole files read only when they are what they claim: a regular file (never
// a FIFO, a device or a folder, which could block or never end) of a size
// the reader is ready to hold.
namespace azimora {

enum class BoundedReadFailure {
    Missing,     // no such file
    NotAFile,    // a FIFO, a device, a folder, ...
    TooLarge,    // over the limit
    Unreadable,  // it exists but cannot be read (permissions, an I/O error)
};

struct BoundedRead {
    std::optional<std::string> bytes;  // the whole file; nullopt on failure
    BoundedReadFailure failure = BoundedReadFailure::Missing;
    std::string cause;                 // the system's words, where it gave any
};

// Opens without waiting (a FIFO with no writer would block an ordinary open),
// checks the file's kind and size on the opened file, then reads it whole.
[[nodiscard]] BoundedRead ReadBoundedFile(const std::filesystem::path& file, std::size_t maxBytes);

}  // namespace azimora
