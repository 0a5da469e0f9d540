// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "controller/window_texts.h"

// Dish pointing for a geostationary satellite: azimuth (degrees clockwise
// from north) and elevation (degrees above the horizon) for an observer on
// the reference ellipsoid. Longitudes are west positive, latitude north
// positive. Everything is computed in long double (x87 80-bit extended).
namespace azimora {

struct PointingInputs {
    long double Latitude = 0;
    long double Longitude = 0;
    long double SatLongitude = 0;
    std::int32_t Height = 0;  // above the ellipsoid, in the unit of the radii
};

struct PointingResult {
    long double Azimuth = 0;
    long double Elevation = 0;
};

// Throws MathError "Invalid floating point operation" when the inputs would
// give a non-finite angle (an enormous but representable angle, say).
[[nodiscard]] PointingResult CalculatePointing(const PointingInputs& inputs);

[[nodiscard]] std::string AzimuthText(const PointingResult& result);
// The elevation in general format, or "Below Horizon!" at or under the
// window's threshold (controller/window_texts.h).
[[nodiscard]] std::string ElevationText(const PointingResult& result);

}  // namespace azimora
