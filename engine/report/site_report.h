// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/dvb_scan_tables.h"
#include "geometry/two_satellite_dish.h"
#include "installation.h"
#include "report/report_words.h"
#include "report/shown_numbers.h"
#include "sky/sun_events.h"

// The site report: one call from a site, a satellite, a dish and an instant
// to everything an installer reads, as values and as settled words
// (report_words.h). azimora-calc's table, JSON and map files, its batch,
// Installation Details, the installation sheet and the page only render it.
// Times stay instants: each front writes them in its own zone.
namespace azimora {

// Which sun outages to look for, from the instant on or between two instants.
struct OutageRequest {
    enum class Scope {
        None,      // none looked for
        Next,      // the next one within a year
        NextDays,  // the next `days` days with an outage, within a year
        Between,   // every one within [from, to): a year of the front's zone
    };
    Scope scope = Scope::None;
    int days = 0;
    UnixSeconds from = 0;
    UnixSeconds to = 0;

    [[nodiscard]] static OutageRequest NoneAsked() { return {}; }
    [[nodiscard]] static OutageRequest NextOne() { return {Scope::Next, 0, 0, 0}; }
    [[nodiscard]] static OutageRequest NextDaysOf(int days) { return {Scope::NextDays, days, 0, 0}; }
    [[nodiscard]] static OutageRequest Within(UnixSeconds from, UnixSeconds to) { return {Scope::Between, 0, from, to}; }
};

// How far ahead the next outages are looked for: a year and a day, so that
// the season that follows the instant is always within it.
inline constexpr int kOutageSearchDays = 366;

struct ReportRequest {
    InstallationInputs installation;  // the site, the satellite, the date, the dish
    std::string satelliteName;        // may be empty
    // Debian's DVB scan tables, for the satellite's polarisation; none: not known.
    const std::vector<ScanTableSatellite>* scanTables = nullptr;
    std::optional<double> focalLengthMm;  // of the dish; kDefaultFocalRatio times its diameter when none
    std::optional<double> secondSatelliteLongitudeWest;  // a second satellite on the same dish
    std::string secondSatelliteName;
    // The day of the front's zone whose sun alignments are wanted; none: none.
    std::optional<std::pair<UnixSeconds, UnixSeconds>> sunDay;
    OutageRequest outages;
};

struct SecondSatelliteReport {
    double longitudeWest = 0;
    std::string name;
    double focalLengthMm = 0;
    TwoSatelliteDish dish;
    bool lnbPlaced = false;  // a second LNB serves it: both in sight, within the dish's reach
};

struct SiteReport {
    InstallationInputs inputs;
    std::string satelliteName;
    InstallationFigures figures;  // visible by geometry/visibility.h, as everywhere
    SatellitePolarisation polarisation;
    std::vector<UnixSeconds> sunAlignments;  // of the day asked; none out of sight
    OutageRequest outagesAsked;
    std::vector<SunOutage> outages;          // as asked; none out of sight
    std::optional<SecondSatelliteReport> second;
    ReportWords words;
};

// Throws Error for an input outside its rule (input_rules.h) or a dish too
// small for its frequency, MathError where the pointing calculation does.
[[nodiscard]] SiteReport BuildSiteReport(const ReportRequest& request);

}  // namespace azimora
