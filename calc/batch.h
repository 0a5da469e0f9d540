// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "sky/civil_time.h"

// azimora-calc --batch: many sites in one run, CSV in, CSV out.
//   in:  name,lat,lon,sat_lon            (this header first)
//   out: name,lat,lon,sat_lon,azimuth,elevation,compass_bearing,declination,skew,motor_angle,error
// Fields as RFC 4180 has them (see csv_reader.h). A row that fails keeps its
// place with its message in "error" (a row over 64 KiB among them); the others
// go on. Writing stops when out fails: the caller checks it.
namespace azimora::calc {

struct BatchSettings {
    UnixSeconds instant = 0;  // the date of the magnetic model
    double altitudeKm = 0;
};

struct BatchResult {
    std::size_t rows = 0;
    std::size_t failed = 0;
    std::optional<std::string> headerError;  // nothing was read: the first line is no header
    std::optional<std::string> inputError;   // reading stopped here: the input is no CSV
};

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings);

}  // namespace azimora::calc
