// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "sky/civil_time.h"

// The current elements downloaded by Import Satellites, kept for offline use
// in the user's cache folder, with where and when they came from, so that
// the next start offers them with their age and azimora-calc can use them.
namespace azimora {

// CelesTrak's CSV, JSON, XML or two-line sets: the reader tells by the content.
inline constexpr const char* kKeptElementsFile = "current-elements";
// Two lines: the address, then the moment of the download (ISO 8601, UTC).
inline constexpr const char* kKeptElementsInfo = "current-elements.info";
inline constexpr std::size_t kMaxKeptInfoBytes = 16384;

// Publishers ask for no more than one download of the same data this often
// (CelesTrak: once every two hours); a kept copy younger than this is used.
inline constexpr double kDownloadIntervalSeconds = 2 * 3600;

// $XDG_CACHE_HOME/azimora, or ~/.cache/azimora when it is unset or not an
// absolute path (as freedesktop.org's base directory rules have it). Empty when neither
// is known.
[[nodiscard]] std::filesystem::path KeptElementsFolder(const char* xdgCacheHome, const char* home);

struct KeptElements {
    std::filesystem::path file;
    std::string address;
    UnixSeconds downloaded = 0;
};

// The kept download of a folder, or why there is none to use: problem is
// empty when nothing is kept at all, and says what is wrong when something
// is but cannot be used (the file is no regular file; its record of where
// and when is missing, no regular file of at most kMaxKeptInfoBytes,
// unreadable, or not two such lines).
struct KeptElementsLookup {
    std::optional<KeptElements> kept;
    std::string problem;
};
[[nodiscard]] KeptElementsLookup LookUpKeptElements(const std::filesystem::path& folder);
// The kept download, when there is one to use.
[[nodiscard]] std::optional<KeptElements> FindKeptElements(const std::filesystem::path& folder);
[[nodiscard]] std::string KeptElementsInfoText(const std::string& address, UnixSeconds downloaded);

// "35 min", "2 h 10 min", "3 days": how old a kept copy is.
[[nodiscard]] std::string AgeText(double seconds);

}  // namespace azimora
