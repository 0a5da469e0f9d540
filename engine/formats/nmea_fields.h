// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "sky/civil_time.h"

// The fields of NMEA 0183's fix sentences, each read only in the form the
// standard gives it (NMEA 0183 version 4.11, "Field types"): numbers x.x,
// times hhmmss.ss, dates ddmmyy, latitudes llll.ll and longitudes yyyyy.yy
// with their hemisphere. A field in another form (a sign or an exponent
// where none belongs, 99 for an hour, the 31st of February) gives nullopt;
// an empty field, which NMEA writes for "no data", is the caller's to allow
// or not.
namespace azimora::nmea {

// x.x: digits with at most one '.', and a '-' first where negative values
// are meant ("-17.3" for a geoid below the ellipsoid); at least one digit.
[[nodiscard]] std::optional<double> Number(std::string_view field);
// Digits alone, within lowest to highest.
[[nodiscard]] std::optional<int> WholeNumber(std::string_view field, int lowest, int highest);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;  // 60 in a leap second; the fraction is left out
};
// hhmmss or hhmmss.s...: hours 00-23, minutes 00-59, seconds 00-60.
[[nodiscard]] std::optional<TimeOfDay> Time(std::string_view field);

// ddmmyy, a day of the calendar; years 80-99 are 1980-1999 (GPS began in
// 1980), 00-79 are 2000-2079.
[[nodiscard]] std::optional<CivilDate> Date(std::string_view field);

// ddmm.mmm with N or S, and dddmm.mmm with E or W: degrees, north and east
// positive; at most 90 and 180.
[[nodiscard]] std::optional<double> Latitude(std::string_view value, std::string_view hemisphere);
[[nodiscard]] std::optional<double> Longitude(std::string_view value, std::string_view hemisphere);

}  // namespace azimora::nmea
