// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/earth_model.h"

// A motorised polar mount (USALS, H-H): the dish turns about an axis
// parallel to the Earth's, tilted down by the declination offset so that
// its arc follows the geostationary orbit.
namespace azimora {

struct MotorMount {
    // The motor's rotation from its centre (the site's meridian) towards the
    // satellite, in degrees, positive towards the west.
    double motorAngle = 0;
    // How far the dish is tilted from the plane square to the polar axis
    // towards the equator, in degrees, to meet the orbit.
    double declinationOffset = 0;
};

// The hour angle of the satellite about an axis through the site parallel to
// the Earth's: atan2(R sin dlon, R cos dlon - rho), rho the site's distance
// from the axis (the USALS formula, on the ellipsoid).
[[nodiscard]] MotorMount MotorMountFor(double latitude, double longitudeWest, double satelliteLongitudeWest,
                                       const EarthGeometry& earth = {});

}  // namespace azimora
