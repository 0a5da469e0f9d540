// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

// The user's own satellites and locations: two comma-separated text files in
// the folder "data" beside the program, read once when the window is first
// shown and appended to on request.
//   data/satdata.dat   name,longitude            -> root "USER: name"
//   data/locdata.dat   name,latitude,longitude   -> child of "USER DEFINED"
namespace azimora {

inline constexpr const char* kUserSatellitePrefix = "USER: ";

[[nodiscard]] std::filesystem::path UserSatelliteFile(const std::filesystem::path& programFolder);
[[nodiscard]] std::filesystem::path UserLocationFile(const std::filesystem::path& programFolder);

// The fields of a line: runs of separators count as one, empty fields
// vanish, blanks stay part of their field.
[[nodiscard]] std::vector<std::string> SplitFields(std::string_view line, std::string_view separators);

// Appends the user locations under "USER DEFINED", in file order. A missing
// file is an empty list. A malformed line costs only itself: a line short of
// fields still adds its node when it has a name (with the data texts it
// has), a line longer than 64 KiB adds nothing, and every other line loads.
// Afterwards the first malformed line is raised: ListIndexError with the
// index of its first missing field, or ListLineTooLongError.
void LoadUserLocations(Catalogue& locations, const std::filesystem::path& programFolder);

// Appends the user satellites as roots named "USER: " + name, in file order;
// otherwise as LoadUserLocations.
void LoadUserSatellites(Catalogue& satellites, const std::filesystem::path& programFolder);

// A value as a record keeps it: a "," inside it is written as ";" and a line
// break as a blank, since the format has no escape.
[[nodiscard]] std::string StoredListValue(std::string_view value);

// Throws Error "Nothing was saved: ..." for an entry whose record would not
// read back as the values it holds: an empty value (it would vanish between
// two separators), text that is not UTF-8, a coordinate that reads as a
// number that is not finite ("nan", "inf"), a record over 64 KiB.
void CheckUserSatellite(std::string_view name, std::string_view longitude);
void CheckUserLocation(std::string_view name, std::string_view latitude, std::string_view longitude);

// Append one record, values as StoredListValue keeps them, after the check
// above; nothing is written when either fails. Throws Error or InOutError.
void SaveUserSatellite(const std::filesystem::path& programFolder, std::string_view name, std::string_view longitude);
void SaveUserLocation(const std::filesystem::path& programFolder, std::string_view name, std::string_view latitude,
                      std::string_view longitude);

// Many satellites in one save, all or none: the record of each (after the
// check above, which throws), then one save of them all.
[[nodiscard]] std::string UserSatelliteRecord(std::string_view name, std::string_view longitude);
void SaveUserSatellites(const std::filesystem::path& programFolder, std::span<const std::string> records);

}  // namespace azimora
