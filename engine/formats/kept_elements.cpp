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

KeptElementsLookup LookUpKeptElements(const std::filesystem::path& folder) {
    KeptElementsLookup lookup;
    std::error_code ec;
    if (folder.empty()) return lookup;
    const std::filesystem::path file = folder / kKeptElementsFile;
    const auto kind = std::filesystem::symlink_status(file, ec).type();
    if (kind == std::filesystem::file_type::not_found) return lookup;
    if (!std::filesystem::is_regular_file(file, ec)) {
        lookup.problem = "the kept copy " + file.filename().string() + " is no regular file (a folder, a FIFO or a device)";
        return lookup;
    }
    // The record is two short lines; anything else in its place (a FIFO, a
    // device, a huge file) is no record and is not waited on.
    const BoundedRead read = ReadBoundedFile(folder / kKeptElementsInfo, kMaxKeptInfoBytes);
    const std::string record = std::string("its record ") + kKeptElementsInfo;
    if (!read.bytes) {
        switch (read.failure) {
            case BoundedReadFailure::Missing: lookup.problem = record + " of where and when it came from is missing"; break;
            case BoundedReadFailure::NotAFile:
                lookup.problem = record + " is no regular file (a folder, a FIFO or a device)";
                break;
            case BoundedReadFailure::TooLarge:
                lookup.problem = record + " is larger than " + std::to_string(kMaxKeptInfoBytes / 1024) + " KB";
                break;
            case BoundedReadFailure::Unreadable: lookup.problem = record + " cannot be read: " + read.cause; break;
        }
        return lookup;
    }
    KeptElements kept;
    kept.file = file;
    std::istringstream info(*read.bytes);
    std::string when;
    const bool lines = std::getline(info, kept.address) && std::getline(info, when);
    const auto instant = lines ? ParseIsoInstant(when) : std::nullopt;
    if (!instant) {
        lookup.problem = record + " is not the address and the time of the download (ISO 8601), a line each";
        return lookup;
    }
    kept.downloaded = instant->instant;
    lookup.kept = std::move(kept);
    return lookup;
}

std::optional<KeptElements> FindKeptElements(const std::filesystem::path& folder) { return LookUpKeptElements(folder).kept; }

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
