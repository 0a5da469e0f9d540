// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The engine for the web page's first figures (the module the page waits
// for; element files and the town search have modules of their own): a few
// C functions, each taking text and giving back text (answer.h). The
// figures are the engine's site report (report/site_report.h) as its JSON,
// with the next sun outage from the instant: what the page shows, and no
// more. Times are UTC ISO 8601; the page shows them in the phone's zone.
// Every engine error comes back as {"error": "..."}, never an abort. No
// threads, no files.
#include <cmath>
#include <exception>
#include <string>
#include <string_view>

#include "answer.h"
#include "catalogue/builtin_tables.h"
#include "errors.h"
#include "page_scan_tables.h"
#include "query_fields.h"
#include "report/report_json.h"
#include "report/site_report.h"
#include "sky/sky_chart.h"
#include "sky/sun_events.h"
#include "sky/sun_position.h"
#include "text/json_reader.h"
#include "text/number_text.h"

namespace {

using namespace azimora;

using web::Field;
using web::FieldOr;
using web::Give;
using web::Refuse;

// A number of the query that is no typed field (times, marks' parts).
double Number(const std::string& text, double fallback, const char* what, double lowest, double highest) {
    if (text.empty()) return fallback;
    const auto value = ParseNumber(text);
    if (!value || !(*value >= lowest && *value <= highest))
        throw Error(std::string("The ") + what + " '" + text + "' is no number from " + FormatGeneral(lowest) + " to " +
                    FormatGeneral(highest));
    return static_cast<double>(*value);
}

// The page's copy of the DVB scan tables, read once.
const std::vector<ScanTableSatellite>& PageScanTables() {
    static const std::vector<ScanTableSatellite> tables = ReadScanTableList(web::PageScanTableList());
    return tables;
}

}  // namespace

// The figures of a site and a satellite, from a query of the page's address
// form: lat, lon (hemisphere letters or west positive), sat, and optionally
// sat_name (its name, for its polarisation), dish (m), freq (GHz), offset
// (degrees), alt (km above the ellipsoid), time (Unix seconds; now by
// default is the page's), second (a second satellite's longitude), focal (mm).
AZIMORA_EXPORT const char* azimora_figures(const char* query) {
    try {
        const std::string_view q(query == nullptr ? "" : query);
        ReportRequest request;
        InstallationInputs& inputs = request.installation;
        inputs.latitude = FieldOr(q, "lat", 0);
        inputs.longitudeWest = FieldOr(q, "lon", 0);
        inputs.satelliteLongitudeWest = FieldOr(q, "sat", 0);
        inputs.dishDiameterMetres = FieldOr(q, "dish", kDefaultDishDiameterMetres);
        inputs.frequencyGHz = FieldOr(q, "freq", kDefaultFrequencyGHz);
        inputs.offsetAngle = FieldOr(q, "offset", kDefaultOffsetAngle);
        inputs.altitudeKm = FieldOr(q, "alt", 0);
        inputs.instant = Number(Field(q, "time"), 0, "time", -6e10, 2.5e11);
        request.satelliteName = Field(q, "sat_name");
        request.scanTables = &PageScanTables();
        if (!Field(q, "second").empty()) {
            request.secondSatelliteLongitudeWest = FieldOr(q, "second", 0);
            if (!Field(q, "focal").empty()) request.focalLengthMm = FieldOr(q, "focal", 0);
        }
        request.outages = OutageRequest::NextOne();
        const SiteReport report = BuildSiteReport(request);
        // The dish as the engine read it, for the page's beam note.
        const auto time = [](UnixSeconds t) { return JsonQuoted(IsoUtc(t)); };
        std::string prefix = "\"lat\": " + JsonNumber(inputs.latitude) + ", \"lon\": " + JsonNumber(inputs.longitudeWest) +
                             ", \"sat_lon\": " + JsonNumber(inputs.satelliteLongitudeWest) + ", \"dish_m\": " +
                             JsonNumber(inputs.dishDiameterMetres) + ", \"freq_ghz\": " + JsonNumber(inputs.frequencyGHz) +
                             ", \"offset_deg\": " + JsonNumber(inputs.offsetAngle) + ", \"next_outage\": ";
        prefix += report.outages.empty()
                      ? std::string("null")
                      : "{\"start\": " + time(report.outages[0].start) + ", \"peak\": " + time(report.outages[0].peak) +
                            ", \"end\": " + time(report.outages[0].end) + "}";
        return Give(ReportJson(report, IsoUtc, prefix));
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}

namespace {

std::string Pair(SkyPosition p) { return "[" + JsonNumber(p.azimuth) + ", " + JsonNumber(p.elevation) + "]"; }

// "212.5:14,230:9.5": the obstacles the user marked, azimuth:elevation.
ObstacleHorizon Marks(std::string_view text) {
    constexpr std::size_t kMostMarks = 500;
    ObstacleHorizon horizon;
    std::size_t count = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(','), text.size());
        const std::string_view mark = text.substr(0, end);
        const std::size_t colon = mark.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon + 1 == mark.size()) throw Error("An obstacle mark '" + std::string(mark) + "' is no azimuth:elevation");
        const double azimuth = Number(std::string(mark.substr(0, colon)), 0, "mark's azimuth", 0, 360);
        const double elevation = Number(std::string(mark.substr(colon + 1)), 0, "mark's elevation", -90, 90);
        if (++count > kMostMarks) throw Error("More than 500 obstacle marks");
        horizon.Add({azimuth, elevation});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return horizon;
}

}  // namespace

// What the camera view draws over the sky: the geostationary arc above the
// horizon, the satellite, the sun at the instant and its path over the
// phone's day (day_start to day_end, Unix seconds) with its whole hours
// (their instants: the page names them in its zone), and whether the
// user's obstacle marks block the satellite. Query as for azimora_figures,
// and day_start, day_end, marks ("azimuth:elevation,...").
AZIMORA_EXPORT const char* azimora_sky(const char* query) {
    try {
        const std::string_view q(query == nullptr ? "" : query);
        SkyChartRequest request;
        request.latitude = FieldOr(q, "lat", 0);
        request.longitudeWest = FieldOr(q, "lon", 0);
        request.selectedLongitudeWest = FieldOr(q, "sat", 0);
        const double instant = Number(Field(q, "time"), 0, "time", -6e10, 2.5e11);
        request.dayStart = Number(Field(q, "day_start"), instant, "day's start", -6e10, 2.5e11);
        request.dayEnd = Number(Field(q, "day_end"), request.dayStart + kSecondsPerDay, "day's end", request.dayStart,
                                request.dayStart + 2 * kSecondsPerDay);
        for (double hour = request.dayStart; hour < request.dayEnd; hour += 3600)
            request.hours.push_back({hour, static_cast<int>((hour - request.dayStart) / 3600)});
        const ObstacleHorizon obstacles = Marks(Field(q, "marks"));
        const SkyChart chart = BuildSkyChart(request, obstacles);
        std::string json = "{\"arc\": [";
        for (std::size_t i = 0; i < chart.geostationaryArc.size(); ++i)
            json += std::string(i ? ", " : "") + Pair(chart.geostationaryArc[i]);
        const SkyPosition satellite =
            GeostationaryPositionInSky(request.latitude, request.longitudeWest, request.selectedLongitudeWest);
        json += "], \"satellite\": " + Pair(satellite) + ", \"satellite_blocked\": " +
                (obstacles.Blocks(satellite) ? "true" : "false") +
                ", \"skyline_at_satellite\": " + JsonNumber(obstacles.ElevationAt(satellite.azimuth));
        const HorizonPosition sun = ToHorizon(SunDirection(instant), request.latitude, request.longitudeWest);
        json += ", \"sun\": " + Pair({sun.azimuth, sun.elevation}) + ", \"sun_path\": [";
        for (std::size_t i = 0; i < chart.sunPath.size(); ++i) {
            json += std::string(i ? ", " : "") + "[";
            for (std::size_t j = 0; j < chart.sunPath[i].size(); ++j)
                json += std::string(j ? ", " : "") + Pair(chart.sunPath[i][j]);
            json += "]";
        }
        json += "], \"sun_hours\": [";
        for (std::size_t i = 0; i < chart.sunHours.size(); ++i) {
            const SunMark& mark = chart.sunHours[i];
            json += std::string(i ? ", " : "") + "[" + JsonNumber(mark.position.azimuth) + ", " +
                    JsonNumber(mark.position.elevation) + ", " +
                    JsonNumber(request.dayStart + 3600.0 * mark.hour) + "]";
        }
        return Give(json + "]}");
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}

// The built-in satellites (name, longitude west positive), as the main
// window lists them, and those of the DVB scan tables, whose names tell
// the report their polarisation. The towns are the town search's
// (town_search.cpp).
AZIMORA_EXPORT const char* azimora_catalogues() {
    try {
        std::string json = "{\"satellites\": [";
        bool first = true;
        for (const builtin::SatelliteEntry& satellite : builtin::Satellites()) {
            const auto longitude = ParseNumber(satellite.longitude);
            if (!longitude) continue;
            json += std::string(first ? "" : ", ") + "[" + JsonQuoted(satellite.name) + ", " +
                    JsonNumber(static_cast<double>(*longitude)) + "]";
            first = false;
        }
        json += "], \"scan_tables\": [";
        first = true;
        for (const ScanTableSatellite& satellite : PageScanTables()) {
            json += std::string(first ? "" : ", ") + "[" + JsonQuoted(satellite.name) + ", " +
                    JsonNumber(satellite.longitudeWest) + "]";
            first = false;
        }
        return Give(json + "]}");
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}

// Each field of a query as the engine reads it, for the page: the value
// and the text its address gives it, or the reason it is none (query_fields.h).
AZIMORA_EXPORT const char* azimora_read(const char* query) {
    try {
        return Give(web::ReadFieldsJson(query == nullptr ? "" : query));
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}
