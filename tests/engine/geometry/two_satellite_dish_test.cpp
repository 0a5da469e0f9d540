// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A second satellite on one dish: the angle between the lines of sight
// against a vector reference of our own (WGS84 positions in kilometres,
// NIMA TR8350.2, and the geostationary radius of 42,164.17 km), Lo's beam
// deviation factor, where the second LNB goes and which monoblock fits.
#include <gtest/gtest.h>

#include <cmath>

#include "errors.h"
#include "geometry/two_satellite_dish.h"

namespace azimora {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Km {
    double x, y, z;
};

// Geodetic to Earth-centred coordinates on WGS84, longitudes east positive.
Km OnWgs84(double latitude, double longitudeEast) {
    const double a = 6378.137, f = 1 / 298.257223563, e2 = f * (2 - f);
    const double phi = latitude * kPi / 180, lambda = longitudeEast * kPi / 180;
    const double n = a / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
    return {n * std::cos(phi) * std::cos(lambda), n * std::cos(phi) * std::sin(lambda), n * (1 - e2) * std::sin(phi)};
}

double ReferenceSeparation(double latitude, double longitudeEast, double first, double second) {
    const Km site = OnWgs84(latitude, longitudeEast);
    const auto line = [&](double satelliteEast) {
        const double r = 42164.17, lambda = satelliteEast * kPi / 180;
        return Km{r * std::cos(lambda) - site.x, r * std::sin(lambda) - site.y, -site.z};
    };
    const Km a = line(first), b = line(second);
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    const double la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z), lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    return std::acos(dot / (la * lb)) * 180 / kPi;
}

struct Pair {
    const char* site;
    double latitude, longitudeEast, firstEast, secondEast;
};

// Published places (the towns' coordinates as atlases give them) and the
// pairs installers put on one dish there.
constexpr Pair kPairs[] = {
    {"Belfast, Astra 19.2E + Hot Bird 13E", 54.6, -5.93, 19.2, 13.0},
    {"Zurich, Astra 19.2E + Astra 23.5E", 47.37, 8.54, 19.2, 23.5},
    {"Calgary, Anik F2 + Anik F1R", 51.08, -114.08, -111.1, -107.3},
    {"Sydney, Optus D3 + Optus D1", -33.87, 151.21, 156.0, 160.0},
    {"Quito, on the equator", -0.22, -78.5, -61.0, -58.0},
};

TEST(TwoSatelliteDish, SeparationAgreesWithAVectorReference) {
    for (const Pair& p : kPairs) {
        const TwoSatelliteDish dish =
            ComputeTwoSatelliteDish(p.latitude, -p.longitudeEast, -p.firstEast, -p.secondEast, 0.8, 480);
        EXPECT_NEAR(dish.separation, ReferenceSeparation(p.latitude, p.longitudeEast, p.firstEast, p.secondEast), 1e-3)
            << p.site;
        EXPECT_NEAR(dish.orbitalSpacing, std::abs(p.secondEast - p.firstEast), 1e-9) << p.site;
        // Seen from the surface, closer than the Earth's centre, two
        // satellites stand further apart than their orbital spacing.
        EXPECT_GT(dish.separation, dish.orbitalSpacing) << p.site;
    }
}

// Lo (1960): BDF = (1 + 0.36 (D/4F)^2) / (1 + (D/4F)^2); worked by hand:
// F/D 0.25 gives (1 + 0.36) / 2 = 0.68, F/D 0.6 gives 1.0625 / 1.17361 = 0.90533,
// and a very long focal length deviates the beam as much as the feed.
TEST(TwoSatelliteDish, BeamDeviationFactorOfLo) {
    EXPECT_NEAR(BeamDeviationFactor(1.0, 0.25), 0.68, 1e-12);
    EXPECT_NEAR(BeamDeviationFactor(1.0, 0.6), 0.905325, 1e-6);
    EXPECT_NEAR(BeamDeviationFactor(1.0, 100.0), 1.0, 1e-5);
}

// From behind a dish in Belfast aimed at 19.2 E (south-east), 13 E stands to
// the right, so its LNB goes to the left; 23.5 E to the left, its LNB to the
// right. The offset is F tan(separation / BDF).
TEST(TwoSatelliteDish, TheSecondLnbGoesOppositeTheSatellite) {
    const TwoSatelliteDish hotBird = ComputeTwoSatelliteDish(54.6, 5.93, -19.2, -13.0, 0.8, 480);
    const TwoSatelliteDish astra3 = ComputeTwoSatelliteDish(54.6, 5.93, -19.2, -23.5, 0.8, 480);
    EXPECT_LT(hotBird.lnbRightMm, 0);
    EXPECT_GT(astra3.lnbRightMm, 0);
    for (const TwoSatelliteDish& dish : {hotBird, astra3}) {
        const double bdf = (1 + 0.36 * std::pow(0.8 / (4 * 0.48), 2)) / (1 + std::pow(0.8 / (4 * 0.48), 2));
        EXPECT_NEAR(dish.lnbOffsetMm, 480 * std::tan(dish.separation * kPi / 180 / bdf), 1e-6);
        EXPECT_NEAR(std::hypot(dish.lnbRightMm, dish.lnbUpMm), dish.lnbOffsetMm, 1e-9);
        // Mostly sideways: the arc runs nearly across the line of sight.
        EXPECT_LT(std::abs(dish.lnbUpMm), std::abs(dish.lnbRightMm));
        ASSERT_TRUE(dish.secondSkew);
    }
}

TEST(TwoSatelliteDish, MonoblocksAndTheirEdges) {
    struct Case {
        double first, second;
        bool fits43, fits6;
    };
    for (const Case& c : {Case{-19.2, -13.0, false, true}, Case{-19.2, -23.5, true, false},
                          Case{-28.2, -19.2, false, false}, Case{-23.5, -28.2, true, false}}) {
        const TwoSatelliteDish dish = ComputeTwoSatelliteDish(47.37, -8.54, c.first, c.second, 0.8, 480);
        EXPECT_EQ(MonoblockFits(4.3, dish), c.fits43) << c.first << " " << c.second;
        EXPECT_EQ(MonoblockFits(6.0, dish), c.fits6) << c.first << " " << c.second;
    }
    // A second satellite under the horizon: no skew, no monoblock.
    const TwoSatelliteDish hidden = ComputeTwoSatelliteDish(47.37, -8.54, -19.2, 150, 0.8, 480);
    EXPECT_FALSE(hidden.secondVisible);
    EXPECT_FALSE(hidden.secondSkew);
    // Across the date line the spacing is the short way round.
    EXPECT_NEAR(ComputeTwoSatelliteDish(-36.85, -174.76, -178, 178, 0.8, 480).orbitalSpacing, 4, 1e-9);
    EXPECT_THROW((void)ComputeTwoSatelliteDish(47.37, -8.54, -19.2, -13, 0.8, 0), Error);
    EXPECT_THROW((void)ComputeTwoSatelliteDish(47.37, -8.54, -19.2, -13, NAN, 480), Error);
}

// The spacing decides to the hundredth of a degree: 4.8 degrees apart is
// 4.8 whichever pair of longitudes makes it, exactly at the tolerance's
// edge (0.5 from 4.3) and just past it.
TEST(TwoSatelliteDish, EqualSpacingsGetEqualAnswers) {
    struct Case {
        double first, second;
        bool fits43;
    };
    for (const Case& c : {Case{0, -4.8, true}, Case{-10, -14.8, true}, Case{-30.1, -34.9, true},
                          Case{-33.3, -28.5, true}, Case{0, -4.81, false}, Case{-10, -14.81, false},
                          Case{0, -3.8, true}, Case{-10, -13.8, true}, Case{0, -3.79, false}}) {
        const TwoSatelliteDish dish = ComputeTwoSatelliteDish(45, 10, c.first, c.second, 0.8, 480);
        EXPECT_EQ(MonoblockFits(4.3, dish), c.fits43) << c.first << " " << c.second;
    }
}

// A second LNB serves only within the dish's rim: its offset F tan(s / BDF)
// at most D/2. A 0.6 m dish of F 360 mm (BDF 0.905 by Lo) reaches
// s = 0.905 atan(300/360) = 36.0 degrees; 60, 75 or 80 degrees apart in orbit
// seen from the equator are far beyond, and no figure of millimetres is given.
TEST(TwoSatelliteDish, NoSecondLnbBeyondTheDishsRim) {
    struct Case {
        double second;
        bool serves;
    };
    for (const Case& c : {Case{-13, true}, Case{-30, true}, Case{-38, false}, Case{-60, false}, Case{-75, false},
                          Case{-80, false}}) {
        const TwoSatelliteDish dish = ComputeTwoSatelliteDish(0, 0, 0, c.second, 0.6, 360);
        EXPECT_EQ(dish.beyondReach.empty(), c.serves) << c.second << ": " << dish.beyondReach;
        if (c.serves) {
            EXPECT_LE(dish.lnbOffsetMm, 300) << c.second;
        } else {
            EXPECT_NE(dish.beyondReach.find("no second LNB serves"), std::string::npos) << dish.beyondReach;
            EXPECT_FALSE(FittingMonoblock(dish));
        }
    }
    // At the rim exactly: 36.0 degrees between the lines of sight.
    const TwoSatelliteDish near = ComputeTwoSatelliteDish(0, 0, 0, -34.0, 0.6, 360);
    const double reach = BeamDeviationFactor(0.6, 0.36) * std::atan(300.0 / 360) * 180 / 3.14159265358979323846;
    EXPECT_EQ(near.beyondReach.empty(), near.separation <= reach) << near.separation << " " << reach;
}

}  // namespace
}  // namespace azimora
