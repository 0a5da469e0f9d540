// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/vector3.h"
#include "sky/civil_time.h"

// The sun's geometric position, from J. Meeus, "Astronomical Algorithms"
// (2nd ed., 1998): the solar coordinates of higher accuracy of chapter 25
// (VSOP87D for the Earth, to the FK5 frame, the IAU 1980 nutation of
// chapter 22, aberration; about 0.1"), the sidereal time of chapter 12;
// no refraction and no parallax (at most 8.8", the sun's).
namespace azimora {

struct SunCoordinates {
    double rightAscension = 0;  // apparent, degrees [0, 360)
    double declination = 0;     // apparent, degrees
};

// For a Julian Ephemeris Day (dynamical time).
[[nodiscard]] SunCoordinates SunAtJulianEphemerisDay(double julianEphemerisDay);

// Greenwich apparent sidereal time, degrees [0, 360), for a Julian Day (UT).
[[nodiscard]] double ApparentSiderealTime(double julianDay);

// The sun's direction at an instant, a unit vector in the Earth-fixed frame
// of earth_model.h (x towards longitude 0, z north).
[[nodiscard]] Vector3 SunDirection(UnixSeconds instant);

struct HorizonPosition {
    double azimuth = 0;    // degrees clockwise from true north, [0, 360)
    double elevation = 0;  // degrees above the geometric horizon
};

// Where a direction stands in the sky of a place (its geodetic horizon).
[[nodiscard]] HorizonPosition ToHorizon(Vector3 direction, double latitude, double longitudeWest);

}  // namespace azimora
