// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

#include "installation/assistant_session.h"
#include "installation/report_caches.h"
#include "installation/site_time_zone.h"
#include "controller/display_site.h"
#include "formats/dvb_scan_tables.h"
#include "geometry/dish_setup.h"
#include "geometry/two_satellite_dish.h"
#include "installation.h"
#include "report/site_report.h"
#include "sky_chart/display_sky_chart.h"
#include "sky/sun_events.h"

// What the installation assistant knows about the main window's current
// values, and the rows it shows them in: shared by the Installation
// Details window and the installation sheet, so both say the same.
namespace azimora::shell {

// The obstacle marks against the satellite: the skyline where it stands.
struct ObstacleReport {
    std::size_t marks = 0;
    double skyline = 0;  // the marks' elevation at the satellite's azimuth
    bool blocked = false;
};

// Wait: the outages are searched there and then (the sheet). Later: the
// report carries the search still to do (a window, which runs it on
// another thread and looks again), unless it was done before.
enum class OutageMode { Wait, Later };

struct InstallationReport {
    MissingInput missing = MissingInput::Location;
    std::optional<DisplaySite> site;  // none: the window's values describe no calculation
    std::string problem;              // the assistant's own entries make no sense (a dish too small)
    // The engine's report of the site: its figures and the words every
    // front says; the sun's moments of the site's day among them.
    SiteReport siteReport;
    InstallationFigures figures;  // the report's, kept at hand
    SiteZone zone;
    std::vector<SunOutage> nextOutages;         // from now on, the coming season
    std::optional<DeferredOutageSearch> pendingOutages;  // not searched yet: nextOutages is empty until it is
    ObstacleReport obstacle;
    double offsetAngle = kDefaultOffsetAngle;
    UnixSeconds instant = 0;  // now, for the report
};

// Computes everything for the values at the instant now (the site's day
// for the sun).
[[nodiscard]] InstallationReport BuildInstallationReport(const CheckedSite& checked, const AssistantSettings& settings,
                                                         const ObstacleHorizon& obstacles, ReportCaches& caches,
                                                         const QDateTime& now, OutageMode mode = OutageMode::Wait);

struct InstallationRow {
    QString section;  // "Pointing", "Mounting", "Second satellite", "Sun", "Obstacles", "Time"
    QString label;
    QString value;
};

// The rows, in reading order; times in the site's zone, named.
[[nodiscard]] QList<InstallationRow> InstallationRows(const InstallationReport& report);

// The second satellite of the settings, for the sky chart to ring.
[[nodiscard]] std::optional<DisplaySkyChart::Second> SecondSatelliteOnChart(const AssistantSettings& settings);

// Shown instead of the rows while there is nothing to show, and why.
[[nodiscard]] QString NoFiguresNotice(const InstallationReport& report);
inline constexpr const char* kNoCalculationNotice =
    "No calculation: choose a location and a satellite, or type their coordinates, in the main window.";
inline constexpr const char* kNoSatelliteNotice =
    "No satellite chosen: choose one in the main window's satellite listing, or type its longitude there.";

}  // namespace azimora::shell
