// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

#include "controller/display_site.h"
#include "formats/dvb_scan_tables.h"
#include "geometry/dish_setup.h"
#include "installation.h"

// What the installation assistant knows about the main window's current
// values, and the rows it shows them in: shared by the Installation
// Details window and the installation sheet, so both say the same.
namespace azimora::shell {

// The assistant's own entries; nothing is remembered between runs.
struct AssistantSettings {
    double offsetAngle = kDefaultOffsetAngle;
    double dishDiameterMetres = kDefaultDishDiameterMetres;
    double frequencyGHz = kDefaultFrequencyGHz;
    double obstacleHeightMetres = 0;
    double obstacleDistanceMetres = 10;
};

struct InstallationReport {
    std::optional<DisplaySite> site;  // none: the window's values describe no calculation
    InstallationFigures figures;
    Polarisation polarisation = Polarisation::Unknown;  // of the satellites at that position, by the DVB scan tables
    std::vector<UnixSeconds> todaysAlignments;  // the local day
    std::vector<SunOutage> nextOutages;         // from now on, the coming season
    ObstacleCheck obstacle;
};

// Computes everything for the values at the instant now (the local day
// for the sun).
[[nodiscard]] InstallationReport BuildInstallationReport(const DisplayValues& values, const AssistantSettings& settings,
                                                         const QDateTime& now);

struct InstallationRow {
    QString section;  // "Pointing", "Mounting", "Sun", "Obstacle"
    QString label;
    QString value;
};

// The rows, in reading order; times in the local time zone.
[[nodiscard]] QList<InstallationRow> InstallationRows(const InstallationReport& report,
                                                      const AssistantSettings& settings);

// Shown instead of the rows while the window holds no calculation.
inline constexpr const char* kNoCalculationNotice =
    "No calculation: choose a location and a satellite, or type their coordinates, in the main window.";

// The LNB's turn in words: "turn the LNB 12.3 degrees clockwise, seen from
// behind the dish"; for a satellite that sends in circular polarisation
// only, "circular polarisation: no skew".
[[nodiscard]] QString SkewInWords(double skew, Polarisation polarisation = Polarisation::Unknown);

// The satellites of Debian's DVB scan tables with their polarisation, read
// once; none when the package is not installed.
[[nodiscard]] const std::vector<ScanTableSatellite>& KnownScanTables();

}  // namespace azimora::shell
