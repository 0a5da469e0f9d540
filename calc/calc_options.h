// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "installation.h"
#include "sky/civil_time.h"

// The command line of azimora-calc, parsed; no figure is computed here.
namespace azimora::calc {

enum class CalcMode {
    Site,      // one site: a table, or JSON
    Batch,     // --batch: a row for every site of a CSV file
    Elements,  // --tle: the geostationary objects of an element file
    Help,
    Version,
};

struct CalcOptions {
    CalcMode mode = CalcMode::Site;
    InstallationInputs inputs;  // sat-lon, lat, lon, the date, altitude, dish, frequency, offset
    bool hasSatellite = false;  // --sat-lon given (for --batch: the rows' default)
    bool json = false;
    std::optional<std::string> timeZone;  // --tz: an IANA name or "local"
    bool siteZone = false;                 // --tz site: each site's own zone
    std::optional<CivilDate> day;          // --date as a day, of the site's zone (with --tz site)
    std::string file;                      // of --batch ("-": standard input), --tle or --elements
    bool keptElements = false;             // --kept-elements: the download kept by Import Satellites
    // --tle or --kept-elements with --lat and --lon: each object seen from
    // the site over the day, with its daily motion; --table for a person.
    bool elementsAtSite = false;
    bool table = false;
    std::optional<std::string> nmeaFile;   // --nmea: the site from a GPS log instead of --lat/--lon
    std::string satelliteName;             // --sat-name: for its polarisation by the DVB scan tables
    // --second-sat-lon and --focal-mm: a second satellite on the same dish.
    std::optional<double> secondSatellite;
    std::optional<double> focalLengthMm;
    // --kml, --geojson: the line of sight for a map program instead of the figures.
    enum class MapFormat { None, Kml, GeoJson } mapFormat = MapFormat::None;
    double lineOfSightMetres = 1000;  // --los-m
};

// A wrong command line: one line naming the argument ("--lat: 'abc' is not a number").
struct ArgumentError {
    std::string message;
};

// args without the program name; now is the default date (today, UTC).
[[nodiscard]] std::variant<CalcOptions, ArgumentError> ParseCalcArguments(std::span<const std::string_view> args,
                                                                         UnixSeconds now);

// Angles as people write them ("54.6N", "19.2E"): ParseAngle of text/coordinate_text.h.

// A date, a decimal year or an instant: "2026-12-07" (its start, UTC; with
// --tz the zone's, settled by ParseCalcArguments),
// "2026.5", "2026-12-07T12:00:00Z", "2026-12-07T05:00:00-07:00". One rule
// for the earliest: the first whole year of the Gregorian calendar, 1583.
[[nodiscard]] std::optional<UnixSeconds> ParseDateArgument(std::string_view text);

[[nodiscard]] std::string CalcUsage();
// The version, with the copyright and licence (GNU Coding Standards, --version).
[[nodiscard]] std::string CalcVersion();

}  // namespace azimora::calc
