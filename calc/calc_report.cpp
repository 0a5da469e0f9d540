// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "calc_report.h"

#include "errors.h"
#include "report/report_json.h"
#include "report/report_line_of_sight.h"
#include "text/json_reader.h"

namespace azimora::calc {
namespace {

// "1994-03-23 12:35:19", or the time alone where the log gave no date.
std::string FixWhen(const NmeaFix& fix) { return (fix.date.empty() ? "" : fix.date + " ") + fix.timeOfDay; }

void Row(std::string& out, const std::string& label, const std::string& value) {
    if (value.empty()) return;  // nothing said there
    out += label;
    out.append(label.size() < 22 ? 22 - label.size() : 1, ' ');
    out += WithDegreeWord(value);
    out += '\n';
}

std::string GpsSiteName(const NmeaFix& fix) { return "GPS fix of " + FixWhen(fix) + " UTC"; }

}  // namespace

const std::vector<ScanTableSatellite>* InstalledScanTables() {
    static const auto tables = []() -> std::optional<std::vector<ScanTableSatellite>> {
        try {
            return ReadScanTables().satellites;
        } catch (const Error&) {
            return std::nullopt;  // not installed: the polarisation is not known
        }
    }();
    return tables ? &*tables : nullptr;
}

ReportRequest CalcRequest(const InstallationInputs& inputs, const ZoneTime& zone) {
    ReportRequest request;
    request.installation = inputs;
    request.scanTables = InstalledScanTables();
    request.sunDay = std::pair{zone.StartOfDay(inputs.instant), zone.StartOfNextDay(inputs.instant)};
    request.outages = OutageRequest::Within(zone.StartOfYear(inputs.instant), zone.StartOfNextYear(inputs.instant));
    return request;
}

CalcReport ComputeSiteReport(const ReportRequest& request) {
    CalcReport report;
    static_cast<SiteReport&>(report) = BuildSiteReport(request);
    return report;
}

CalcReport ComputeSiteReport(const InstallationInputs& inputs, const ZoneTime& zone) {
    return ComputeSiteReport(CalcRequest(inputs, zone));
}

std::string MapReport(const CalcReport& report, bool kml, double lengthMetres) {
    LineOfSight line = LineOfSightOf(report, report.gpsFix ? GpsSiteName(*report.gpsFix) : report.words.site, lengthMetres,
                                     report.gpsFix ? report.gpsFix->altitudeMetres : std::nullopt);
    for (auto& [name, value] : line.figures) value = WithDegreeWord(value);
    return kml ? LineOfSightKml(line) : LineOfSightGeoJson(line);
}

std::string PlainReport(const CalcReport& report, const ZoneTime& zone) {
    const ReportWords& words = report.words;
    std::string out;
    Row(out, "Site", words.site + (report.gpsFix ? " (" + GpsSiteName(*report.gpsFix) + ", line " +
                                                       std::to_string(report.gpsFix->line) + ")"
                                                 : ""));
    Row(out, "Satellite", words.satellite);
    Row(out, "Date", zone.Date(report.inputs.instant) + (zone.IsUtc() ? " (UTC)" : ""));
    if (report.siteZone) Row(out, "Time zone", SiteZoneWords(*report.siteZone));
    Row(out, "Azimuth (true)", words.azimuth);
    Row(out, "Elevation", words.elevation);
    Row(out, "Compass bearing", words.compassBearing + " (declination " + words.declination + ")");
    Row(out, "Horizontal field", words.horizontalField);
    Row(out, "Magnetic model", words.magneticModel);
    Row(out, "LNB skew", words.skew);
    Row(out, "Dish face tilt", words.faceTilt);
    Row(out, "Motor angle", words.motor);
    if (report.second) {
        Row(out, "Second satellite", words.secondSatellite);
        Row(out, "  Separation", words.separation);
        Row(out, "  Second LNB", words.secondLnb);
        Row(out, "  Its skew", words.secondSkew);
        Row(out, "  Monoblock", words.monoblock);
    }
    std::string alignments;
    for (const UnixSeconds t : report.sunAlignments) alignments += (alignments.empty() ? "" : ", ") + zone.TimeOfDay(t);
    Row(out, "Sun in the azimuth", alignments.empty() ? words.sunAlignments : alignments);
    Row(out, "Sun outages", words.outages);
    for (const SunOutage& outage : report.outages) {
        out.append(22, ' ');
        out += zone.Date(outage.start) + " " + zone.TimeOfDay(outage.start) + " to " + zone.TimeOfDay(outage.end) +
               ", peak " + zone.TimeOfDay(outage.peak) + "\n";
    }
    return out;
}

std::string JsonReport(const CalcReport& report, const ZoneTime& zone, const std::string& prefix) {
    std::string extra;
    const auto member = [&](const char* name, const std::string& value) {
        extra += (extra.empty() ? "\"" : ", \"") + std::string(name) + "\": " + value;
    };
    if (report.gpsFix) {
        const NmeaFix& fix = *report.gpsFix;
        const auto orNull = [](const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; };
        member("gps_fix", "{\"lat\": " + JsonNumber(fix.latitude) + ", \"lon\": " + JsonNumber(fix.longitudeWest) +
                              ", \"altitude_m\": " + orNull(fix.altitudeMetres) + ", \"ellipsoid_height_m\": " +
                              orNull(fix.ellipsoidHeightMetres) + ", \"time\": " + JsonQuoted(fix.timeOfDay) +
                              ", \"date\": " + (fix.date.empty() ? std::string("null") : JsonQuoted(fix.date)) +
                              ", \"sentence\": " + JsonQuoted(fix.sentence) + ", \"line\": " + std::to_string(fix.line) +
                              "}");
    }
    if (report.siteZone) {
        member("time_zone", JsonQuoted(report.siteZone->name));
        member("time_zone_source", JsonQuoted(report.siteZone->atSea ? "sea" : "boundary"));
    }
    return ReportJson(report, [&zone](UnixSeconds t) { return zone.Iso(t); }, prefix, extra);
}

}  // namespace azimora::calc
