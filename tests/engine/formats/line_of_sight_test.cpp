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
        const auto path = LineOfSightPoints(line);
        const auto& points = path.points;
        ASSERT_GE(points.size(), 2u);
        EXPECT_FALSE(path.reachesSatellite);
        EXPECT_FALSE(path.vertical);
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
    EXPECT_EQ(LineOfSightPoints(Calgary()).points.size(), 21u);  // a vertex every 50 m
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

// Near the point under the satellite the line rises to it within the
// length asked: its heights climb all the way and end at the satellite's,
// 35,786 km (42,164 km from the Earth's centre less the equator's 6,378 km),
// where it stops, and says so. Where the ray reaches it: over a sphere of
// radius R it meets height H where cos(e + d/R) = R cos e / (R + H); at 0.35 N
// and an elevation of 89.4 that is about 57 km out.
TEST(LineOfSight, StopsAtTheSatelliteAndNeverPassesIt) {
    struct Case {
        double latitude, elevation, lengthMetres;
        bool reaches, vertical;
    };
    for (const Case& c : {Case{0.35, 89.4, 100000, true, false}, Case{0.35, 89.4, 1000, false, false},
                          Case{0.01, 89.99, 100000, true, false}, Case{1e-9, 89.99999998, 1000, false, true},
                          Case{0, 90, 1000, false, true}, Case{51.08, 31.19, 100000, false, false}}) {
        LineOfSight line = Calgary();
        line.latitude = c.latitude;
        line.longitudeWest = -32.6;
        line.azimuth = 180;
        line.elevation = c.elevation;
        line.lengthMetres = c.lengthMetres;
        const auto path = LineOfSightPoints(line);
        EXPECT_EQ(path.reachesSatellite, c.reaches) << c.latitude << " " << c.elevation;
        EXPECT_EQ(path.vertical, c.vertical) << c.latitude << " " << c.elevation;
        for (std::size_t i = 1; i < path.points.size(); ++i) {
            EXPECT_GT(path.points[i].heightMetres, path.points[i - 1].heightMetres) << i;
            EXPECT_LE(path.points[i].heightMetres, 35787.0e3) << i;
        }
        if (c.reaches) {
            EXPECT_NEAR(path.points.back().heightMetres, 35786.0e3, 1e3);
            EXPECT_LT(path.points.back().distanceMetres, c.lengthMetres);
            EXPECT_NE(path.Note().find("reaches the satellite"), std::string::npos);
            EXPECT_NE(LineOfSightKml(line).find("The line ends where it reaches the satellite"), std::string::npos);
        }
        if (c.vertical) {
            ASSERT_EQ(path.points.size(), 2u);
            EXPECT_EQ(path.points[0].latitude, path.points[1].latitude);
            EXPECT_EQ(path.points[1].heightMetres, c.lengthMetres);
            EXPECT_NE(LineOfSightGeoJson(line).find("straight overhead"), std::string::npos);
        }
    }
    LineOfSight uganda = Calgary();
    uganda.latitude = 0.35;
    uganda.elevation = 89.4;
    uganda.lengthMetres = 100000;
    EXPECT_NEAR(LineOfSightPoints(uganda).points.back().distanceMetres, 57e3, 3e3);
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
