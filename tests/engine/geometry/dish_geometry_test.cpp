// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// LNB skew, the motor mount, the face tilt and obstacles, against published
// figures.
#include <gtest/gtest.h>

#include "geometry/dish_setup.h"
#include "geometry/lnb_skew.h"
#include "geometry/motor_mount.h"

namespace azimora {
namespace {

// D. Roddy, "Satellite Communications" (4th ed.), Example 5.1: on a sphere
// of 6371 km with a 42,164 km orbit, 18 N 73 W towards 105 W has a
// polarisation angle of 58.6 degrees (to the published 0.1 degree).
TEST(LnbSkew, MatchesRoddysExampleOnASphere) {
    const EarthGeometry sphere{6371, 0, 42164};
    EXPECT_NEAR(std::fabs(LnbSkew(18, 73, 105, sphere)), 58.6, 0.05);
}

// West of the site in the north: turn clockwise; the geometry mirrors east
// for west and north for south; a satellite on the meridian needs none.
TEST(LnbSkew, DirectionFollowsTheGeometry) {
    struct Case {
        double latitude, longitude, satellite;
        int sign;
    };
    for (const Case& c : {Case{18, 73, 105, +1}, Case{18, 73, 41, -1}, Case{-18, 73, 105, -1}, Case{-18, 73, 41, +1},
                          Case{51.08, 114.08, 107.3, -1}, Case{54.6, 5.93, -19.2, -1}}) {
        const double skew = LnbSkew(c.latitude, c.longitude, c.satellite);
        EXPECT_EQ(skew > 0 ? 1 : -1, c.sign) << c.latitude << " " << c.longitude << " " << c.satellite << ": " << skew;
        EXPECT_GT(skew, -90);
        EXPECT_LE(skew, 90);
    }
    EXPECT_NEAR(LnbSkew(45, 100, 100), 0, 1e-9);
    EXPECT_NEAR(LnbSkew(18, 73, 105), -LnbSkew(18, 73, 41), 1e-9);
}

// The USALS motor angle for Belfast (54.6 N, 5.93 W) towards 19.2 E is
// published as 27.4 degrees (to 0.1), east of the mount's centre.
TEST(MotorMount, MatchesThePublishedBelfastAngle) {
    const MotorMount mount = MotorMountFor(54.6, 5.93, -19.2);
    EXPECT_NEAR(mount.motorAngle, -27.4, 0.1);  // negative: towards the east
    // The classic declination offset atan(R sin(lat) / (Rgeo - R cos(lat))),
    // 7.70 degrees at 54.6 N on a sphere of 6378/42164.
    const MotorMount onSphere = MotorMountFor(54.6, 5.93, -19.2, EarthGeometry{6378, 0, 42164});
    EXPECT_NEAR(onSphere.declinationOffset, 7.70, 0.01);
    EXPECT_NEAR(MotorMountFor(51.08, 114.08, 114.08).motorAngle, 0, 1e-9);
    EXPECT_GT(MotorMountFor(51.08, 114.08, 130).motorAngle, 0);  // a satellite to the west
}

TEST(DishSetup, FaceTilt) {
    EXPECT_DOUBLE_EQ(DishFaceTilt(31.2), 31.2 - 22.3);
    EXPECT_DOUBLE_EQ(DishFaceTilt(31.2, 17), 14.2);
}

}  // namespace
}  // namespace azimora
