// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "sky/magnetic_model_data.h"

// The Earth's main magnetic field from a spherical-harmonic model such as the
// World Magnetic Model, at a place and a date: what turns a true azimuth
// into the bearing a compass shows.
// Formulas: Chulliat et al., "The US/UK World Magnetic Model for 2025-2030:
// Technical Report", NOAA NCEI, equations for the geocentric conversion, the
// Schmidt semi-normalised Legendre functions and the field components.
namespace azimora {

struct MagneticField {
    double north = 0;        // X, nT
    double east = 0;         // Y, nT
    double down = 0;         // Z, nT
    double declination = 0;  // degrees, east positive: where the needle points, from true north
    double inclination = 0;  // degrees, down positive
    std::string model;       // the model's name, "WMM2025"
    double validFrom = 0;    // the model's years, as decimal years: 2025.0 to 2030.0
    double validTo = 0;
    bool valid = true;       // the date lies within them
};

// latitude: geodetic, north positive; longitudeWest: west positive, as in the
// window; altitudeKm: height above the WGS 84 ellipsoid; decimalYear: 2026.5
// is the middle of 2026. Dates outside the model's validity still give a
// result, with valid false.
[[nodiscard]] MagneticField ComputeMagneticField(const MagneticModelData& model, double latitude,
                                                 double longitudeWest, double altitudeKm, double decimalYear);

// The bearing a magnetic compass shows for a true azimuth: azimuth minus
// declination (east positive), in (0, 360].
[[nodiscard]] double CompassBearing(double azimuth, double declination);

}  // namespace azimora
