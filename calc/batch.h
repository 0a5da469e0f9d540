// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "installation.h"
#include "zone_time.h"

// azimora-calc --batch: many sites in one run, CSV in, CSV (or JSON Lines) out.
//   in:  name,lat,lon[,sat_lon]   (a header first; columns in any order)
//   out: name,lat,lon,sat_lon,azimuth,elevation,compass_bearing,declination,
//        horizontal_field_nt,compass_warning,skew,dish_tilt,motor_angle,
//        next_outage_start,next_outage_end,error
// Fields as RFC 4180 has them (see csv_reader.h); angles may carry
// hemisphere letters. A row that fails keeps its place with its message in
// "error" (a row over 64 KiB among them); the others go on. Text that a
// spreadsheet would run as a formula is written with a leading "'".
// Writing stops when out fails: the caller checks it.
namespace azimora::calc {

struct BatchSettings {
    InstallationInputs defaults;             // the date, altitude, dish, frequency, offset of every row
    std::optional<double> satelliteLongitude;  // for rows without one (--sat-lon)
    ZoneTime zone;
    bool json = false;  // JSON Lines: one object a row
    bool siteZone = false;          // --tz site: each row in its site's own zone
    std::optional<CivilDate> day;   // --date as a day, then of each site's zone
};

struct BatchResult {
    std::size_t rows = 0;
    std::size_t failed = 0;
    std::optional<std::string> headerError;  // nothing was read: the first line is no header
    std::optional<std::string> inputError;   // reading stopped here: the input is no CSV
};

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings);

// A text cell as a spreadsheet may read it: one that starts with =, +, -,
// @, a tab or a carriage return gains a leading "'" (as OWASP advises
// against CSV injection), unless it is a number; then quoted as RFC 4180
// needs.
[[nodiscard]] std::string CsvTextCell(const std::string& text);

}  // namespace azimora::calc
