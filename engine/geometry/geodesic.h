// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// Geodesics on the WGS84 ellipsoid: where a line from a place along an
// azimuth ends after a distance (the direct problem), and the distance and
// azimuths between two places (the inverse problem). Vincenty's nested
// series, good to well under a millimetre on the ellipsoid:
//   T. Vincenty, "Direct and inverse solutions of geodesics on the ellipsoid
//   with application of nested equations", Survey Review 23 (176), 88-93, 1975.
// Longitudes here are EAST positive, as map formats (KML, GeoJSON) have them.
namespace azimora {

// WGS84 (NIMA TR8350.2): semi-major axis and flattening.
inline constexpr double kWgs84SemiMajorAxisMetres = 6378137.0;
inline constexpr double kWgs84Flattening = 1 / 298.257223563;

struct GeodesicEnd {
    double latitude = 0;      // degrees, north positive
    double longitudeEast = 0; // degrees, in (-180, 180]
    double azimuth = 0;       // the line's azimuth there, degrees clockwise from north, [0, 360)
};

struct GeodesicLine {
    double distanceMetres = 0;
    double startAzimuth = 0;  // degrees clockwise from north, [0, 360)
    double endAzimuth = 0;
};

[[nodiscard]] GeodesicEnd GeodesicDirect(double latitude, double longitudeEast, double azimuth, double distanceMetres);

// Nullopt for nearly antipodal places, where the series does not converge;
// the azimuths are 0 between coincident places.
[[nodiscard]] std::optional<GeodesicLine> GeodesicInverse(double latitude1, double longitudeEast1, double latitude2,
                                                          double longitudeEast2);

}  // namespace azimora
