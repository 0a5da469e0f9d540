// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/site.h"

// The dish's line of sight for a map program, to check trees and buildings
// along it on aerial imagery: the site as a point with the figures, and a
// line from the site along the true azimuth (a geodesic on WGS84). KML
// (OGC 07-147r2; Google Earth, most GIS) also gets the line as it rises at
// the elevation angle; GeoJSON (RFC 7946; QGIS, web maps) the line on the
// ground.
namespace azimora {

inline constexpr double kDefaultLineOfSightMetres = 1000;
inline constexpr double kLongestLineOfSightMetres = 100000;

// From the site (geometry/site.h), along the dish's direction.
struct LineOfSight : SiteLocation {
    std::string siteName;
    std::string satelliteName;
    double azimuth = 0;        // true, degrees clockwise from north
    double elevation = 0;      // degrees above the horizon
    double lengthMetres = kDefaultLineOfSightMetres;
    // The dish above sea level: the rising line then stands at absolute
    // heights. Without it the heights are above the ground under each point,
    // which is the same on flat land.
    std::optional<double> dishAltitudeMetres;
    std::vector<std::pair<std::string, std::string>> figures;  // shown with the site: ("Elevation", "31.19 deg")
};

// One vertex every 50 m (at most 401): a line that rises over a curved
// Earth is drawn as a curve, not a chord.
struct LineOfSightPoint {
    double latitude = 0;
    double longitudeEast = 0;
    double distanceMetres = 0;
    double heightMetres = 0;  // of the line above the dish's level (the site's ground for distance 0)
};
// The line's vertices, and where it ends short of the length asked: it
// rises to the satellite and stops there (seen nearly overhead, the
// satellite is closer along the ground than the length); a satellite
// straight overhead gets a vertical line of the length, from the dish up.
struct LineOfSightPath {
    std::vector<LineOfSightPoint> points;
    bool reachesSatellite = false;  // it stops at the satellite, short of the length
    bool vertical = false;          // straight overhead
    // "The satellite stands straight overhead: ..." or where the line stops; empty otherwise.
    [[nodiscard]] std::string Note() const;
};
// Throws Error for a length that is not in (0, kLongestLineOfSightMetres] or
// an elevation that does not rise (the satellite is not in sight).
[[nodiscard]] LineOfSightPath LineOfSightPoints(const LineOfSight& line);

[[nodiscard]] std::string LineOfSightKml(const LineOfSight& line);
[[nodiscard]] std::string LineOfSightGeoJson(const LineOfSight& line);

}  // namespace azimora
