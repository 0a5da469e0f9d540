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
// A row that fails keeps its place with its message in "error"; the others go on.
namespace azimora::calc {

struct BatchSettings {
    UnixSeconds instant = 0;  // the date of the magnetic model
    double altitudeKm = 0;
};

struct BatchResult {
    std::size_t rows = 0;
    std::size_t failed = 0;
    std::optional<std::string> headerError;  // nothing was read: the first line is no header
};

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings);

}  // namespace azimora::calc
