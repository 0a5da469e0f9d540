// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Geodesics on WGS84 against published solutions: C. F. F. Karney,
// "Algorithms for geodesics", Journal of Geodesy 87, 43-55 (2013), Table 2,
// and the examples of GeographicLib's documentation (GeodSolve's manual:
// JFK to LHR; the JavaScript and Python guides: Wellington to Salamanca).
#include <gtest/gtest.h>

#include "geometry/geodesic.h"

namespace azimora {
namespace {

// The tolerance for the line of sight is 0.01 degree and 1 m; a
// sound method meets the published figures far closer, so these are tight.
constexpr double kDegrees = 1e-8;  // about a millimetre
constexpr double kMetres = 0.001;

struct DirectCase {
    const char* what;
    double latitude1, longitude1, azimuth1, distance;
    double latitude2, longitude2, azimuth2;
};

TEST(Geodesic, DirectMatchesPublishedSolutions) {
    for (const DirectCase& c : {
             DirectCase{"Karney Table 2", 40, 0, 30, 10e6, 41.79331020506, 137.84490004377, 149.09016931807},
             DirectCase{"JFK to LHR", 40.6, -73.8, 51.198882845579824, 5551759.4003186841, 51.6, -0.5,
                        107.821776735514248},
             // Nearly antipodal: the direct series still converges.
             DirectCase{"Wellington to Salamanca", -41.32, 174.81, 161.06766998615882, 19959679.26735382, 40.96, -5.5,
                        18.825195123248392},
             // Across the date line, and due south from the equator.
             DirectCase{"Karney Table 2 from 170 E", 40, 170, 30, 10e6, 41.79331020506, 137.84490004377 + 170 - 360,
                        149.09016931807},
         }) {
        const GeodesicEnd end = GeodesicDirect(c.latitude1, c.longitude1, c.azimuth1, c.distance);
        EXPECT_NEAR(end.latitude, c.latitude2, kDegrees) << c.what;
        EXPECT_NEAR(end.longitudeEast, c.longitude2, kDegrees) << c.what;
        EXPECT_NEAR(end.azimuth, c.azimuth2, kDegrees) << c.what;
    }
}

struct InverseCase {
    const char* what;
    double latitude1, longitude1, latitude2, longitude2;
    double distance, azimuth1, azimuth2;
};

TEST(Geodesic, InverseMatchesPublishedSolutions) {
    for (const InverseCase& c : {
             InverseCase{"JFK to LHR", 40.6, -73.8, 51.6, -0.5, 5551759.4003186841, 51.198882845579824,
                         107.821776735514248},
             InverseCase{"Karney Table 2 backwards", 40, 0, 41.79331020506, 137.84490004377, 10e6, 30, 149.09016931807},
         }) {
        const auto line = GeodesicInverse(c.latitude1, c.longitude1, c.latitude2, c.longitude2);
        ASSERT_TRUE(line) << c.what;
        EXPECT_NEAR(line->distanceMetres, c.distance, kMetres) << c.what;
        EXPECT_NEAR(line->startAzimuth, c.azimuth1, 1e-7) << c.what;
        EXPECT_NEAR(line->endAzimuth, c.azimuth2, 1e-7) << c.what;
    }
}

// Vincenty's inverse does not converge for nearly antipodal places; it says
// so rather than give a wrong answer. Between one place and itself: 0 m.
TEST(Geodesic, InverseAtItsEdges) {
    const auto antipodal = GeodesicInverse(-41.32, 174.81, 40.96, -5.50);
    if (antipodal) {
        EXPECT_NEAR(antipodal->distanceMetres, 19959679.26735382, 1.0);
    }
    const auto same = GeodesicInverse(51.08, -114.08, 51.08, -114.08);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->distanceMetres, 0);
}

// A kilometre along every azimuth at sites over the globe comes back as a
// kilometre on that azimuth: the round trip the line of sight relies on.
TEST(Geodesic, AKilometreComesBackAsAKilometre) {
    for (const double latitude : {-89.5, -33.87, 0.0, 51.08, 78.2})
        for (const double azimuth : {0.0, 45.0, 135.0, 171.3, 269.0}) {
            const GeodesicEnd end = GeodesicDirect(latitude, 179.999, azimuth, 1000);
            const auto line = GeodesicInverse(latitude, 179.999, end.latitude, end.longitudeEast);
            ASSERT_TRUE(line);
            EXPECT_NEAR(line->distanceMetres, 1000, kMetres) << latitude << " " << azimuth;
            EXPECT_NEAR(line->startAzimuth, azimuth, 1e-6) << latitude << " " << azimuth;
        }
}

}  // namespace
}  // namespace azimora
