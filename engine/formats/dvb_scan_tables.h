// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Satellites from Debian's DVB scan tables (package dtv-scan-tables): one
// file per satellite in /usr/share/dvb/dvb-s/, named after it and its
// orbital position ("Astra-19.2E", "EchoStar-14-119.0W"), its transponders
// in [CHANNEL] sections with a POLARIZATION of HORIZONTAL, VERTICAL (linear),
// LEFT or RIGHT (circular).
namespace azimora {

inline constexpr const char* kDvbScanTablesFolder = "/usr/share/dvb/dvb-s";

// Files larger than this are skipped with a note rather than read.
inline constexpr std::uintmax_t kMaxScanTableBytes = 1024 * 1024;

enum class Polarisation { Unknown, Linear, Circular, Mixed };

struct ScanTableSatellite {
    std::string name;              // "EchoStar 14"
    std::string longitudeText;     // west positive, as the lists keep it: "119.0", "-19.2"
    double longitudeWest = 0;
    Polarisation polarisation = Polarisation::Unknown;
    std::string file;              // the table's file name
};

// The name and position a file name gives; nullopt for a name without a
// position at its end.
[[nodiscard]] std::optional<ScanTableSatellite> SatelliteOfScanTableName(std::string_view fileName);

// The polarisation of a table's transponders.
[[nodiscard]] Polarisation PolarisationOfScanTable(std::string_view text);

struct ScanTables {
    std::vector<ScanTableSatellite> satellites;  // in file-name order
    std::vector<std::string> skipped;            // "file: reason"
};

// Every table of a folder. Throws Error naming the package when the folder
// is missing or unreadable.
[[nodiscard]] ScanTables ReadScanTables(const std::filesystem::path& folder = kDvbScanTablesFolder);

// The tables as a list, for a copy that travels without them (the page's,
// web/facade/page_scan_tables.cpp): a line a table, its file name, a tab and
// its polarisation ("EchoStar-14-119.0W\tcircular").
[[nodiscard]] std::string ScanTableList(const std::vector<ScanTableSatellite>& satellites);
// The satellites of such a list, as ReadScanTables gave them; lines it cannot
// read are passed over.
[[nodiscard]] std::vector<ScanTableSatellite> ReadScanTableList(std::string_view list);

// The polarisation of the satellites at a position (within 0.05 degree), as
// the tables give them; Unknown where none is listed.
[[nodiscard]] Polarisation PolarisationAt(const std::vector<ScanTableSatellite>& satellites, double longitudeWest);

// What the tables say of one satellite: its own polarisation when a table
// at its position carries its name (letters and digits compared without
// case, one name within the other: "EchoStar 14" is "USER: EchoStar-14"),
// and what all the tables at its position say, with their names. A
// position's tables say nothing of another satellite that shares it.
struct SatellitePolarisation {
    Polarisation ofSatellite = Polarisation::Unknown;  // Unknown: no table of that name there
    Polarisation atPosition = Polarisation::Unknown;
    std::vector<std::string> namesAtPosition;
};
[[nodiscard]] SatellitePolarisation PolarisationOf(const std::vector<ScanTableSatellite>& satellites,
                                                   std::string_view name, double longitudeWest);

}  // namespace azimora
