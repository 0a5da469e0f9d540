// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/vector3.h"

// The reference ellipsoid and the geostationary orbit of the pointing
// calculation, and the places on them: every figure of the dish's geometry
// (azimuth and elevation, LNB skew, motor angle) uses these same figures.
// Lengths are in the calculation's unit (the equatorial radius is 3441.7305
// of it; only ratios matter). Longitudes are west positive, as in the window.
namespace azimora {

inline constexpr long double kEquatorialRadius = 3441.7305L;
inline constexpr long double kEccentricitySquared = 0.006694317778266722L;
inline constexpr long double kPolarFactor = 0.9966472205458325L;  // 1 - flattening
inline constexpr long double kOrbitRadius = 22752.469L;            // from the Earth's centre

// The heights a site may have above the WGS84 ellipsoid, km: from below the
// Dead Sea's shore (-0.43) with room for a mine, to the top of the
// atmosphere, where the magnetic model still answers.
inline constexpr double kLowestSiteAltitudeKm = -10;
inline constexpr double kHighestSiteAltitudeKm = 1000;

// An ellipsoid and an orbit radius in one length unit; the pointing
// calculation's by default. Tests use a sphere to check published figures.
struct EarthGeometry {
    double equatorialRadius = static_cast<double>(kEquatorialRadius);
    double eccentricitySquared = static_cast<double>(kEccentricitySquared);
    double orbitRadius = static_cast<double>(kOrbitRadius);
};

// The east, north and up directions at a place (up: the ellipsoid normal).
struct LocalFrame {
    Vector3 east;
    Vector3 north;
    Vector3 up;
};

// Earth-fixed frame: x towards longitude 0, y towards 90 degrees east, z north.
[[nodiscard]] Vector3 SitePosition(const EarthGeometry& earth, double latitude, double longitudeWest);
[[nodiscard]] Vector3 GeostationaryPosition(const EarthGeometry& earth, double satelliteLongitudeWest);
[[nodiscard]] LocalFrame LocalFrameAt(double latitude, double longitudeWest);

}  // namespace azimora
