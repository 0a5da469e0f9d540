// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The line of sight for map programs: its points along the geodesic, the
// height it rises to, and what it refuses. The files are read back by real
// parsers in the shell's tests and azimora-calc's.
#include <gtest/gtest.h>

#include <cmath>

#include "errors.h"
#include "formats/line_of_sight.h"
#include "geometry/geodesic.h"

namespace azimora {
namespace {

LineOfSight Calgary() {
    LineOfSight line;
    line.siteName = "Calgary <Alberta> & \"co\"";
    line.satelliteName = "Anik F1R";
    line.latitude = 51.08;
    line.longitudeWest = 114.08;
    line.azimuth = 171.306422331434;
    line.elevation = 31.1920790500568;
    line.figures = {{"Elevation", "31.19 deg"}};
    return line;
}

// The end lies 1 km away on the azimuth (by the independent inverse
// solution, itself checked against Karney's published figures), and the
// line rises as tan(elevation) with the Earth's curvature: at 1 km and
// 31.19 degrees, 605.5 m plus 14 cm.
TEST(LineOfSight, EndsAtItsLengthOnItsAzimuthAndRisesAtItsElevation) {
    for (const double length : {1000.0, 50.0, 25000.0}) {
        LineOfSight line = Calgary();
        line.lengthMetres = length;
        const auto points = LineOfSightPoints(line);
        ASSERT_GE(points.size(), 2u);
        EXPECT_NEAR(points.front().latitude, 51.08, 1e-12);
        EXPECT_NEAR(points.front().longitudeEast, -114.08, 1e-12);
        const auto back = GeodesicInverse(51.08, -114.08, points.back().latitude, points.back().longitudeEast);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->distanceMetres, length, 1.0) << length;
        EXPECT_NEAR(back->startAzimuth, line.azimuth, 0.01) << length;
        // To second order in d/R, h = d tan e + d^2 (tan^2 e + 1/2) / R, with
        // R about 6,380 km here (the meridian's radius of curvature at 51 N).
        const double t = std::tan(line.elevation * 3.14159265358979323846 / 180);
        const double curvature = length * length * (t * t + 0.5) / 6.38e6;
        EXPECT_NEAR(points.back().heightMetres, length * t + curvature, 0.02 * curvature + 0.01) << length;
    }
    EXPECT_EQ(LineOfSightPoints(Calgary()).size(), 21u);  // a vertex every 50 m
}

TEST(LineOfSight, RefusesWhatHasNoLine) {
    for (const auto& [length, elevation] : {std::pair{0.0, 30.0}, std::pair{-5.0, 30.0}, std::pair{100001.0, 30.0},
                                           std::pair{double(NAN), 30.0}, std::pair{1000.0, -3.0},
                                           std::pair{1000.0, double(NAN)}}) {
        LineOfSight line = Calgary();
        line.lengthMetres = length;
        line.elevation = elevation;
        EXPECT_THROW((void)LineOfSightPoints(line), Error) << length << " " << elevation;
    }
}

// Text a user typed is escaped, never markup; numbers use '.' in any locale.
TEST(LineOfSight, NamesAreEscaped) {
    const std::string kml = LineOfSightKml(Calgary());
    EXPECT_NE(kml.find("Calgary &lt;Alberta&gt; &amp; &quot;co&quot;"), std::string::npos);
    EXPECT_EQ(kml.find("<Alberta>"), std::string::npos);
    const std::string json = LineOfSightGeoJson(Calgary());
    EXPECT_NE(json.find("\"Calgary <Alberta> & \\\"co\\\"\""), std::string::npos) << json;
}

// A line that crosses 180 degrees is cut there in GeoJSON (RFC 7946 3.1.9).
TEST(LineOfSight, CutAtTheAntimeridianInGeoJson) {
    LineOfSight line = Calgary();
    line.latitude = -16.5;
    line.longitudeWest = -179.9995;  // 179.9995 E, in Fiji
    line.azimuth = 80;
    const std::string json = LineOfSightGeoJson(line);
    EXPECT_NE(json.find("\"MultiLineString\""), std::string::npos) << json;
    EXPECT_NE(json.find("[180.00000000, "), std::string::npos) << json;
    EXPECT_NE(json.find("[-180.00000000, "), std::string::npos) << json;
    EXPECT_EQ(LineOfSightGeoJson(Calgary()).find("MultiLineString"), std::string::npos);
}

}  // namespace
}  // namespace azimora
