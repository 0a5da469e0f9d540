#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"

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
// file is an empty list. A line short of fields throws ListIndexError with
// the index of the first missing field; the lines before it stay loaded, and
// so does the node of that line when it had a name (with empty data texts).
void LoadUserLocations(Catalogue& locations, const std::filesystem::path& programFolder);

// Appends the user satellites as roots named "USER: " + name, in file order;
// otherwise as LoadUserLocations.
void LoadUserSatellites(Catalogue& satellites, const std::filesystem::path& programFolder);

// Append one record, values as typed. A "," inside a value is written as ";"
// and a line break as a blank, so that every record reads back whole.
// Throws InOutError.
void SaveUserSatellite(const std::filesystem::path& programFolder, std::string_view name, std::string_view longitude);
void SaveUserLocation(const std::filesystem::path& programFolder, std::string_view name, std::string_view latitude,
                      std::string_view longitude);

}  // namespace azimora
