// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "calc_options.h"

#include <cmath>
#include <functional>
#include <map>

#include "text/number_text.h"

namespace azimora::calc {
namespace {

std::string Quoted(std::string_view text) { return std::string("'").append(text).append("'"); }

// A number as the window takes it: '.' is the decimal point.
std::optional<double> Number(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value || !std::isfinite(static_cast<double>(*value))) return std::nullopt;
    return static_cast<double>(*value);
}

std::optional<UnixSeconds> DateArgument(std::string_view text) {
    if (const auto date = ParseIsoDate(text)) return StartOfDay(*date);
    const auto year = Number(text);
    if (!year || *year < 1583 || *year >= 10000) return std::nullopt;
    return InstantOfDecimalYear(*year);
}

struct NumberRule {
    double InstallationInputs::*field;
    double lowest;
    double highest;
    bool positive;  // strictly above zero
};

}  // namespace

std::string CalcUsage() {
    return "Usage: azimora-calc --sat-lon DEG --lat DEG --lon DEG [--date YYYY-MM-DD|DECIMAL-YEAR]\n"
           "                    [--altitude-km KM] [--dish-m M] [--freq-ghz GHZ] [--offset-deg DEG] [--json]\n"
           "       azimora-calc --batch FILE.csv [--date ...] [--altitude-km KM]\n"
           "       azimora-calc --help | --version\n"
           "\n"
           "Where to point a satellite dish, and everything else an installer needs:\n"
           "azimuth, elevation, compass bearing (World Magnetic Model 2025), LNB skew,\n"
           "motor angle, dish-face tilt, sun alignments and sun outages.\n"
           "Longitudes are west positive (19.2 E is -19.2); '.' is the decimal point.\n"
           "\n"
           "  --sat-lon DEG      the satellite's orbital longitude\n"
           "  --lat DEG          the site's latitude, north positive\n"
           "  --lon DEG          the site's longitude\n"
           "  --date D           the day (UTC), default today\n"
           "  --altitude-km KM   the site's height above the ellipsoid, default 0\n"
           "  --dish-m M         the dish's diameter, default 0.6\n"
           "  --freq-ghz GHZ     the downlink frequency, default 12\n"
           "  --offset-deg DEG   an offset dish's offset angle, default 22.3\n"
           "  --json             one JSON object instead of the table\n"
           "  --batch FILE.csv   rows name,lat,lon,sat_lon (with that header) to CSV on\n"
           "                     standard output; exit status 1 when a row failed\n";
}

std::variant<CalcOptions, ArgumentError> ParseCalcArguments(std::span<const std::string_view> args, UnixSeconds now) {
    CalcOptions options;
    options.inputs.instant = now;
    const std::map<std::string_view, NumberRule> numbers = {
        {"--sat-lon", {&InstallationInputs::satelliteLongitudeWest, -1e6, 1e6, false}},
        {"--lat", {&InstallationInputs::latitude, -90, 90, false}},
        {"--lon", {&InstallationInputs::longitudeWest, -1e6, 1e6, false}},
        {"--altitude-km", {&InstallationInputs::altitudeKm, -10, 1000, false}},
        {"--dish-m", {&InstallationInputs::dishDiameterMetres, 0, 100, true}},
        {"--freq-ghz", {&InstallationInputs::frequencyGHz, 0, 1000, true}},
        {"--offset-deg", {&InstallationInputs::offsetAngle, -90, 90, false}},
    };
    bool hasSatellite = false, hasLatitude = false, hasLongitude = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto takeValue = [&]() -> std::optional<std::string_view> {
            if (value) return value;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--batch") {
            const auto file = takeValue();
            if (!file || file->empty()) return ArgumentError{"--batch needs a file"};
            options.batchFile = std::string(*file);
        } else if (name == "--date") {
            const auto text = takeValue();
            if (!text) return ArgumentError{"--date needs a value"};
            const auto instant = DateArgument(*text);
            if (!instant) return ArgumentError{"--date: " + Quoted(*text) + " is neither a date (YYYY-MM-DD) nor a decimal year"};
            options.inputs.instant = *instant;
        } else if (const auto rule = numbers.find(name); rule != numbers.end()) {
            const auto text = takeValue();
            if (!text) return ArgumentError{std::string(name) + " needs a value"};
            const auto number = Number(*text);
            if (!number) return ArgumentError{std::string(name) + ": " + Quoted(*text) + " is not a number"};
            const NumberRule& limits = rule->second;
            if (*number < limits.lowest || *number > limits.highest || (limits.positive && *number <= 0)) {
                return ArgumentError{std::string(name) + ": " + Quoted(*text) + " lies outside " +
                                     (limits.positive ? "0 (excluded)" : FormatGeneral(limits.lowest)) + " to " +
                                     FormatGeneral(limits.highest)};
            }
            options.inputs.*limits.field = *number;
            hasSatellite |= name == "--sat-lon";
            hasLatitude |= name == "--lat";
            hasLongitude |= name == "--lon";
        } else {
            return ArgumentError{"unknown argument " + Quoted(args[i])};
        }
    }
    if (options.help || options.version || options.batchFile) return options;
    if (!hasSatellite) return ArgumentError{"--sat-lon is required"};
    if (!hasLatitude) return ArgumentError{"--lat is required"};
    if (!hasLongitude) return ArgumentError{"--lon is required"};
    return options;
}

}  // namespace azimora::calc
