// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/kept_elements.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "text/bounded_file.h"

namespace azimora {

std::filesystem::path KeptElementsFolder(const char* xdgCacheHome, const char* home) {
    if (xdgCacheHome != nullptr && xdgCacheHome[0] == '/') return std::filesystem::path(xdgCacheHome) / "azimora";
    if (home != nullptr && home[0] == '/') return std::filesystem::path(home) / ".cache" / "azimora";
    return {};
}

std::optional<KeptElements> FindKeptElements(const std::filesystem::path& folder) {
    std::error_code ec;
    KeptElements kept;
    kept.file = folder / kKeptElementsFile;
    if (folder.empty() || !std::filesystem::is_regular_file(kept.file, ec)) return std::nullopt;
    // The record is two short lines; anything else in its place (a FIFO, a
    // device, a huge file) is no record and is not waited on.
    const BoundedRead read = ReadBoundedFile(folder / kKeptElementsInfo, kMaxKeptInfoBytes);
    if (!read.bytes) return std::nullopt;
    std::istringstream info(*read.bytes);
    std::string when;
    if (!std::getline(info, kept.address) || !std::getline(info, when)) return std::nullopt;
    const auto instant = ParseIsoInstant(when);
    if (!instant) return std::nullopt;
    kept.downloaded = instant->instant;
    return kept;
}

std::string KeptElementsInfoText(const std::string& address, UnixSeconds downloaded) {
    // Appended, not summed: GCC 12 misreads a literal added to a string at -O2 (-Wrestrict).
    std::string text = address;
    text.append("\n").append(IsoUtc(downloaded)).append("\n");
    return text;
}

std::string AgeText(double seconds) {
    const long minutes = std::lround(std::max(0.0, seconds) / 60);
    if (minutes < 60) return std::to_string(minutes) + " min";
    if (minutes < 48 * 60) {
        const long rest = minutes % 60;
        std::string text = std::to_string(minutes / 60) + " h";
        if (rest != 0) text.append(" ").append(std::to_string(rest)).append(" min");
        return text;
    }
    return std::to_string(minutes / (24 * 60)) + " days";
}

}  // namespace azimora
