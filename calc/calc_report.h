// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/nmea.h"
#include "report/site_report.h"
#include "zone_time.h"

// What azimora-calc prints for one site: the engine's site report
// (report/site_report.h) as a short table for a person, one JSON object
// for a program (report/report_json.h), or the line of sight for a map
// program. Times in the zone asked for (UTC by default).
namespace azimora::calc {

// The report of one site, and where azimora-calc took the site and its zone from.
struct CalcReport : SiteReport {
    std::optional<NmeaFix> gpsFix;         // --nmea: the fix the site came from
    std::optional<SiteZoneTime> siteZone;  // --tz site: the zone the site keeps
};

// Debian's DVB scan tables, read once, for the satellites' polarisation;
// nullptr where the package is not installed.
[[nodiscard]] const std::vector<ScanTableSatellite>* InstalledScanTables();

// What azimora-calc asks of the report: the sun alignments of the zone's
// day of the instant, the outages of its year, the polarisation by the
// installed scan tables.
[[nodiscard]] ReportRequest CalcRequest(const InstallationInputs& inputs, const ZoneTime& zone);

// The report of CalcRequest. Throws what BuildSiteReport throws.
[[nodiscard]] CalcReport ComputeSiteReport(const ReportRequest& request);
[[nodiscard]] CalcReport ComputeSiteReport(const InstallationInputs& inputs, const ZoneTime& zone);

// The line of sight of the report for a map program.
[[nodiscard]] std::string MapReport(const CalcReport& report, bool kml, double lengthMetres);

// The table, the report's words with the degree sign spelt "deg".
[[nodiscard]] std::string PlainReport(const CalcReport& report, const ZoneTime& zone);

// report/report_json.h's object, with gps_fix (--nmea) and time_zone and
// time_zone_source ("boundary" or "sea", --tz site) of azimora-calc's own.
// prefix: members that go first (the batch's line, name and site).
[[nodiscard]] std::string JsonReport(const CalcReport& report, const ZoneTime& zone, const std::string& prefix = {});

}  // namespace azimora::calc
