// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "calc_options.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "azimora_version.h"
#include "errors.h"
#include "report/input_rules.h"
#include "text/number_text.h"
#include "zone_time.h"

namespace azimora::calc {
namespace {

std::string Quoted(std::string_view text) { return std::string("'").append(text).append("'"); }

// A number as the window takes it: '.' is the decimal point.
std::optional<double> Number(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value || !std::isfinite(static_cast<double>(*value))) return std::nullopt;
    return static_cast<double>(*value);
}

// What to give instead of a zone that counts leap seconds: for tz's
// right/ family, the civil zone it shadows.
std::string CivilZoneHint(std::string_view zone) {
    if (zone == "local") return ": the system's zone (TZ, /etc/localtime) is one of tz's right/ zones";
    if (!zone.starts_with("right/")) return "";
    return ": give " + Quoted(zone.substr(6)) + ", its civil zone";
}

constexpr int kEarliestYear = 1583;  // the first whole year of the Gregorian calendar
constexpr int kLatestYear = 9999;

// The options that take a number, each by its rule of report/input_rules.h.
const std::map<std::string_view, InputField>& NumberOptions() {
    using enum InputField;
    static const std::map<std::string_view, InputField> options = {
        {"--sat-lon", SatelliteLongitude}, {"--lat", Latitude}, {"--lon", Longitude}, {"--altitude-km", Height},
        {"--dish-m", DishDiameter}, {"--freq-ghz", Frequency}, {"--offset-deg", OffsetAngle},
        {"--second-sat-lon", SecondSatelliteLongitude}, {"--focal-mm", FocalLength}, {"--los-m", LineOfSightLength},
    };
    return options;
}

// The range of an option's rule, and its default where it has one: "-90 to
// 90 degrees", "0.1 to 20 m, default 0.6".
std::string RangeOf(InputField field) {
    const InputRule& rule = InputRuleOf(field);
    return RangeText(rule) + (rule.fallback ? ", default " + FormatGeneral(*rule.fallback) : "");
}

void Store(CalcOptions& options, InputField field, double value) {
    using enum InputField;
    switch (field) {
        case SatelliteLongitude: options.inputs.satelliteLongitudeWest = value; break;
        case Latitude: options.inputs.latitude = value; break;
        case Longitude: options.inputs.longitudeWest = value; break;
        case Height: options.inputs.altitudeKm = value; break;
        case DishDiameter: options.inputs.dishDiameterMetres = value; break;
        case Frequency: options.inputs.frequencyGHz = value; break;
        case OffsetAngle: options.inputs.offsetAngle = value; break;
        case SecondSatelliteLongitude: options.secondSatellite = value; break;
        case FocalLength: options.focalLengthMm = value; break;
        case LineOfSightLength: options.lineOfSightMetres = value; break;
        default: break;  // no option of azimora-calc's
    }
}

// Options that take no value, and options that do.
const std::set<std::string_view> kFlags = {"--help", "-h", "--version", "-V", "-v", "--json", "--kml", "--geojson",
                                           "--kept-elements", "--table"};
const std::set<std::string_view> kValued = {"--batch", "--tle", "--elements", "--date", "--tz", "--nmea", "--sat-name"};

}  // namespace

std::optional<UnixSeconds> ParseDateArgument(std::string_view text) {
    std::optional<UnixSeconds> instant;
    if (const auto date = ParseIsoDate(text)) {
        instant = StartOfDay(*date);
    } else if (const auto iso = ParseIsoInstant(text)) {
        if (!iso->hasZone) return std::nullopt;  // a time without its zone is no instant
        instant = iso->instant;
    } else if (const auto year = Number(text); year && *year >= kEarliestYear && *year < kLatestYear + 1) {
        instant = InstantOfDecimalYear(*year);
    }
    if (!instant || *instant < StartOfDay({kEarliestYear, 1, 1}) || *instant >= StartOfDay({kLatestYear + 1, 1, 1}))
        return std::nullopt;
    return instant;
}

std::string CalcUsage() {
    using enum InputField;
    return "Usage: azimora-calc --sat-lon DEG (--lat DEG --lon DEG | --nmea FILE)\n"
           "                    [--sat-name NAME]\n"
           "                    [--date D] [--tz ZONE] [--altitude-km KM] [--dish-m M]\n"
           "                    [--freq-ghz GHZ] [--offset-deg DEG]\n"
           "                    [--second-sat-lon DEG [--focal-mm MM]]\n"
           "                    [--json | --kml | --geojson [--los-m M]]\n"
           "       azimora-calc --batch FILE.csv|- [--sat-lon DEG] [--date D] [--tz ZONE]\n"
           "                    [--dish-m M] [--freq-ghz GHZ] [--offset-deg DEG]\n"
           "                    [--altitude-km KM] [--json]\n"
           "       azimora-calc (--tle FILE | --kept-elements) [--date D]\n"
           "       azimora-calc (--tle FILE | --kept-elements) --lat DEG --lon DEG\n"
           "                    [--date D] [--tz ZONE] [--altitude-km KM] [--dish-m M]\n"
           "                    [--freq-ghz GHZ] [--json | --table]\n"
           "       azimora-calc --help | --version\n"
           "\n"
           "Longitudes are WEST POSITIVE, as in Azimora's window: 19.2 E is -19.2, and\n"
           "so is 19.2E; any angle may carry its hemisphere letter, after it or before\n"
           "it (54.6N, N 54.6, 5.9W; -5.9E is 5.9 W), in degrees and minutes too\n"
           "(54 36 N). A decimal comma reads as a point (0,8).\n"
           "\n"
           "Where to point a satellite dish, and everything else an installer needs:\n"
           "azimuth, elevation, compass bearing (World Magnetic Model 2025), LNB skew,\n"
           "motor angle, dish-face tilt, sun alignments and sun outages.\n"
           "\n"
           "  --sat-lon DEG      the satellite's orbital longitude (" + RangeOf(SatelliteLongitude) + ")\n"
           "  --sat-name NAME    its name, for its polarisation by Debian's DVB scan\n"
           "                     tables (a circular one needs no skew)\n"
           "  --lat DEG          the site's latitude (" + RangeOf(Latitude) + ")\n"
           "  --lon DEG          the site's longitude (" + RangeOf(Longitude) + ")\n"
           "  --date D           2026-12-07 (that day, of --tz), 2026.5, or an instant\n"
           "                     2026-12-07T12:00:00Z or with an offset; default now\n"
           "  --tz ZONE          times in this zone (an IANA name such as\n"
           "                     America/Edmonton, or local, or site: the zone the site\n"
           "                     keeps); default UTC\n"
           "  --altitude-km KM   the site's height above the ellipsoid\n"
           "                     (" + RangeOf(Height) + ")\n"
           "  --dish-m M         the dish's diameter (" + RangeOf(DishDiameter) + ")\n"
           "  --freq-ghz GHZ     the downlink frequency (" + RangeOf(Frequency) + ")\n"
           "  --offset-deg DEG   an offset dish's offset angle\n"
           "                     (" + RangeOf(OffsetAngle) + ")\n"
           "  --nmea FILE        the site (and its height) from the last valid fix of a\n"
           "                     GPS receiver's NMEA log (GGA or RMC), instead of --lat\n"
           "                     and --lon\n"
           "  --second-sat-lon DEG  a second satellite on the same dish: the angle\n"
           "                     between the two, where its LNB goes, its skew, whether\n"
           "                     a monoblock fits\n"
           "  --focal-mm MM      the dish's focal length (" + RangeOf(FocalLength) + "),\n"
           "                     default 0.6 times its diameter\n"
           "  --json             one JSON object instead of the table (with --batch: one\n"
           "                     a row)\n"
           "  --kml, --geojson   the line of sight for a map program: the site and a line\n"
           "                     along the true azimuth (in KML also rising at the\n"
           "                     elevation)\n"
           "  --los-m M          the line's length (" + RangeOf(LineOfSightLength) + ")\n"
           "  --batch FILE.csv   rows with the header name,lat,lon[,sat_lon] (- reads\n"
           "                     standard input) to CSV on standard output; --sat-lon is\n"
           "                     the default for an empty sat_lon; exit status 1 when a\n"
           "                     row failed\n"
           "  --tle FILE         the near-geostationary objects of an element file\n"
           "                     (two-line sets or OMM in XML, KVN, JSON or CSV), as CSV,\n"
           "                     placed at --date by the SGP4 model; --elements FILE is\n"
           "                     the same\n"
           "  --kept-elements    the same for the current elements Azimora downloaded last\n"
           "  --tle FILE --lat DEG --lon DEG  each object seen from the site over the day\n"
           "                     (24 hours from the start of --date in --tz): its daily\n"
           "                     motion, the best fixed aim, what a fixed dish loses and\n"
           "                     when, as CSV (--json: a JSON object a line)\n"
           "  --table            that as a table for a person\n"
           "  -V, -v, --version  the version; -h, --help this text; -- ends the options\n"
           "\n"
           "Exit status: 0 on success; 1 when a batch row failed, an input could not be\n"
           "read or the output not written; 2 for a wrong argument.\n"
           "Examples and more: man azimora-calc. Report bugs to the Azimora developers\n"
           "through the project's issue tracker.\n";
}

std::string CalcVersion() {
    return std::string("azimora-calc ") + kVersion +
           "\n"
           "Copyright (C) 2026 The Azimora developers\n"
           "License: MIT (the Expat licence).\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::variant<CalcOptions, ArgumentError> ParseCalcArguments(std::span<const std::string_view> args, UnixSeconds now) {
    CalcOptions options;
    options.inputs.instant = now;
    bool hasLatitude = false, hasLongitude = false, optionsEnded = false;
    std::optional<CivilDate> bareDay;  // --date as a day, read in --tz once all is known
    std::set<std::string> given;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        if (optionsEnded || !name.starts_with("-") || name == "-")
            return ArgumentError{"unexpected argument " + Quoted(name) + " (options take the form --name value)"};
        if (name == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string_view> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto number = NumberOptions().find(name);
        const bool valued = kValued.count(name) || number != NumberOptions().end();
        if (!valued && !kFlags.count(name)) return ArgumentError{"unknown option " + Quoted(name)};
        if (!valued && value) return ArgumentError{std::string(name) + " takes no value"};
        if (valued && !value) {
            const bool file = name == "--batch" || name == "--tle" || name == "--elements" || name == "--nmea";
            if (i + 1 >= args.size()) return ArgumentError{std::string(name) + (file ? " needs a file" : " needs a value")};
            value = args[++i];
        }
        const std::string canonical = name == "-h" ? "--help" : name == "-V" || name == "-v" ? "--version" : std::string(name);
        if (!given.insert(canonical).second) return ArgumentError{canonical + " is given twice"};

        if (canonical == "--help") {
            options.mode = CalcMode::Help;
        } else if (canonical == "--version") {
            options.mode = CalcMode::Version;
        } else if (canonical == "--json" || canonical == "--kml" || canonical == "--geojson") {
            if (given.count("--json") + given.count("--kml") + given.count("--geojson") > 1)
                return ArgumentError{"--json, --kml and --geojson choose one output; give one of them"};
            options.json = canonical == "--json";
            if (canonical == "--kml") options.mapFormat = CalcOptions::MapFormat::Kml;
            if (canonical == "--geojson") options.mapFormat = CalcOptions::MapFormat::GeoJson;
        } else if (canonical == "--table") {
            options.table = true;
        } else if (canonical == "--nmea") {
            if (value->empty()) return ArgumentError{"--nmea needs a file"};
            options.nmeaFile = std::string(*value);
        } else if (canonical == "--sat-name") {
            options.satelliteName = std::string(*value);
        } else if (canonical == "--batch" || canonical == "--tle" || canonical == "--elements" ||
                   canonical == "--kept-elements") {
            if (value && value->empty()) return ArgumentError{canonical + " needs a file"};
            if (given.count("--batch") + given.count("--tle") + given.count("--elements") + given.count("--kept-elements") > 1)
                return ArgumentError{"--batch, --tle, --elements and --kept-elements cannot go together"};
            options.mode = canonical == "--batch" ? CalcMode::Batch : CalcMode::Elements;
            options.file = value ? std::string(*value) : std::string();
            options.keptElements = canonical == "--kept-elements";
        } else if (canonical == "--date") {
            const auto instant = ParseDateArgument(*value);
            if (!instant)
                return ArgumentError{"--date: " + Quoted(*value) +
                                     " is no date (YYYY-MM-DD), decimal year or instant with its zone "
                                     "(2026-12-07T12:00:00Z) from 1583 to 9999"};
            options.inputs.instant = *instant;
            bareDay = ParseIsoDate(*value);
        } else if (canonical == "--tz" && *value == "site") {
            options.siteZone = true;
        } else if (canonical == "--tz") {
            const auto zone = ZoneTime::Named(std::string(*value));
            if (!zone)
                return ArgumentError{"--tz: " + Quoted(*value) + " is no time zone this system knows (an IANA name "
                                     "such as Europe/Zurich, or local)"};
            if (const long leap = zone->LeapSecondsCounted(); leap != 0)
                return ArgumentError{"--tz: " + Quoted(*value) + " counts leap seconds in its clock, which runs " +
                                     std::to_string(leap) + " s behind civil time" + CivilZoneHint(*value)};
            options.timeZone = std::string(*value);
        } else {
            try {
                Store(options, number->second, ReadInput(InputRuleOf(number->second), *value));
            } catch (const Error& error) {
                return ArgumentError{canonical + ": " + error.what()};
            }
            options.hasSatellite |= canonical == "--sat-lon";
            hasLatitude |= canonical == "--lat";
            hasLongitude |= canonical == "--lon";
        }
    }
    if (options.mode == CalcMode::Help || options.mode == CalcMode::Version) return options;
    // A day given with a zone is that zone's day, as its user reads it.
    if (bareDay && options.timeZone)
        options.inputs.instant = ZoneTime::Named(*options.timeZone)->Midnight(bareDay->year, bareDay->month, bareDay->day);
    if (options.siteZone) options.day = bareDay;  // once the site is known

    // Nothing given is silently ignored.
    const auto refuse = [&](std::initializer_list<const char*> names, const std::string& why) -> std::optional<ArgumentError> {
        for (const char* option : names)
            if (given.count(option)) return ArgumentError{std::string(option) + " does not apply " + why};
        return std::nullopt;
    };
    // A beam without meaning has no outages: refused before any row is read.
    try {
        CheckDishAndFrequency(options.inputs.dishDiameterMetres, options.inputs.frequencyGHz);
    } catch (const std::exception& error) {
        return ArgumentError{std::string("--dish-m and --freq-ghz: ") + error.what()};
    }
    const std::initializer_list<const char*> oneSite = {"--nmea", "--sat-name", "--second-sat-lon", "--focal-mm", "--kml", "--geojson",
                                                         "--los-m"};
    if (options.mode == CalcMode::Elements && (hasLatitude || hasLongitude)) {
        // Each object seen from one site: the objects are the satellites.
        const std::string why = "to --tle at a site, whose objects are the satellites";
        if (auto error = refuse({"--sat-lon", "--offset-deg"}, why)) return *error;
        if (auto error = refuse(oneSite, why)) return *error;
        if (!hasLatitude) return ArgumentError{"--lat is required with --lon (the site of --tle)"};
        if (!hasLongitude) return ArgumentError{"--lon is required with --lat (the site of --tle)"};
        if (options.json && options.table) return ArgumentError{"--json and --table choose one output; give one of them"};
        options.elementsAtSite = true;
        return options;
    }
    if (auto error = refuse({"--table"}, "without --tle (or --kept-elements) and --lat and --lon")) return *error;
    if (options.mode == CalcMode::Batch) {
        if (auto error = refuse({"--lat", "--lon"}, "to --batch: the rows give the sites")) return *error;
        if (auto error = refuse(oneSite, "to --batch: it is for one site")) return *error;
        return options;
    }
    if (options.mode == CalcMode::Elements) {
        if (auto error = refuse({"--lat", "--lon", "--sat-lon", "--dish-m", "--freq-ghz", "--offset-deg", "--altitude-km",
                                 "--tz", "--json"},
                                "to --tle, which lists the objects of the file"))
            return *error;
        if (auto error = refuse(oneSite, "to --tle, which lists the objects of the file")) return *error;
        return options;
    }
    if (options.nmeaFile) {
        if (auto error = refuse({"--lat", "--lon", "--altitude-km"}, "with --nmea, whose fix gives the site")) return *error;
        hasLatitude = hasLongitude = true;
    }
    if (options.focalLengthMm && !options.secondSatellite)
        return ArgumentError{"--focal-mm does not apply without --second-sat-lon"};
    if (given.count("--los-m") && options.mapFormat == CalcOptions::MapFormat::None)
        return ArgumentError{"--los-m does not apply without --kml or --geojson"};
    if (options.mapFormat != CalcOptions::MapFormat::None) {
        if (auto error = refuse({"--second-sat-lon"}, "to --kml or --geojson, which draw the line of sight"))
            return *error;
    }
    if (!options.hasSatellite) return ArgumentError{"--sat-lon is required"};
    if (!hasLatitude) return ArgumentError{"--lat is required (or --nmea)"};
    if (!hasLongitude) return ArgumentError{"--lon is required (or --nmea)"};
    return options;
}

}  // namespace azimora::calc
