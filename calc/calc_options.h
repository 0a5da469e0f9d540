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
    std::string file;                      // of --batch ("-": standard input) or --tle
};

// A wrong command line: one line naming the argument ("--lat: 'abc' is not a number").
struct ArgumentError {
    std::string message;
};

// args without the program name; now is the default date (today, UTC).
[[nodiscard]] std::variant<CalcOptions, ArgumentError> ParseCalcArguments(std::span<const std::string_view> args,
                                                                         UnixSeconds now);

// An angle as people write it: "54.6N", "5.9 W", "19.2E", or a bare number.
// Bare numbers keep the program's convention (north and west positive); a
// letter of the other side turns the sign ("-5.9E" is 5.9 W). letters: "NS"
// for a latitude, "EW" for a longitude.
[[nodiscard]] std::optional<double> ParseAngle(std::string_view text, std::string_view letters);

// A date, a decimal year or an instant: "2026-12-07" (its start, UTC; with
// --tz the zone's, settled by ParseCalcArguments),
// "2026.5", "2026-12-07T12:00:00Z", "2026-12-07T05:00:00-07:00". One rule
// for the earliest: the first whole year of the Gregorian calendar, 1583.
[[nodiscard]] std::optional<UnixSeconds> ParseDateArgument(std::string_view text);

[[nodiscard]] std::string CalcUsage();

}  // namespace azimora::calc
