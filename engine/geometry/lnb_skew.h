// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/earth_model.h"

// How far to turn the LNB so that its linear polarisation matches the
// satellite's. The satellite's vertical polarisation is parallel to the
// Earth's axis; the dish's "vertical" is the local vertical plane through
// the line of sight. Exact geometry on the ellipsoid, not the spherical
// approximation atan(sin(dlon) / tan(lat)).
namespace azimora {

// The angle, in degrees within (-90, 90], measured clockwise as seen from
// behind the dish looking at the satellite, from the local vertical plane
// (through the line of sight and the ellipsoid normal at the site) to the
// plane through the line of sight parallel to the Earth's axis. Positive:
// turn the LNB clockwise, seen from behind the dish. Longitudes west positive.
// NaN straight under the satellite, where the two planes are not defined.
[[nodiscard]] double LnbSkew(double latitude, double longitudeWest, double satelliteLongitudeWest,
                             const EarthGeometry& earth = {});

}  // namespace azimora
