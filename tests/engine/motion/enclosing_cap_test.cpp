// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The smallest cap holding a set of directions, on sets whose cap geometry
// fixes: a pair (its midpoint), points on a small circle (that circle),
// an obtuse triangle (its longest side), and interior points that change
// nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "motion/enclosing_cap.h"

namespace azimora {
namespace {

// The direction an angle away from an axis direction, at a bearing around it.
Vector3 Around(Vector3 axis, double angle, double bearing) {
    const Vector3 u = Normalized(Cross(axis, Vector3{0, 0, 1}));
    const Vector3 w = Cross(axis, u);
    const double a = Radians(angle), b = Radians(bearing);
    return Normalized(std::cos(a) * axis + std::sin(a) * (std::cos(b) * u + std::sin(b) * w));
}

struct CapCase {
    const char* what;
    std::vector<std::pair<double, double>> points;  // angle from the axis, bearing around it (degrees)
    double radius;                                  // degrees
    double centreOffset;                            // the centre's angle from the axis, degrees
};

class EnclosingCap : public ::testing::TestWithParam<CapCase> {};

TEST_P(EnclosingCap, IsTheSmallest) {
    const CapCase& c = GetParam();
    const Vector3 axis = Normalized(Vector3{0.3, -0.8, 0.2});
    std::vector<Vector3> directions;
    for (const auto& [angle, bearing] : c.points) directions.push_back(Around(axis, angle, bearing));
    const Cap cap = SmallestEnclosingCap(directions);
    EXPECT_NEAR(Degrees(cap.radius), c.radius, 1e-9) << c.what;
    EXPECT_NEAR(Degrees(AngleBetween(cap.centre, axis)), c.centreOffset, 1e-9) << c.what;
    for (const Vector3& d : directions) EXPECT_LE(AngleBetween(cap.centre, d), cap.radius + 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sets, EnclosingCap,
    ::testing::Values(
        CapCase{"one direction", {{0, 0}}, 0, 0},
        CapCase{"a pair 10 degrees apart: its midpoint", {{5, 0}, {5, 180}}, 5, 0},
        CapCase{"three on a circle of 2 degrees", {{2, 10}, {2, 130}, {2, 250}}, 2, 0},
        CapCase{"an obtuse triangle: the longest side fixes it", {{4, 90}, {4, 270}, {1, 0}}, 4, 0},
        CapCase{"a circle of 3 degrees and points inside it",
                {{3, 0}, {1, 45}, {3, 72}, {2.5, 100}, {3, 144}, {0.5, 200}, {3, 216}, {3, 288}, {2.9, 300}},
                3, 0},
        CapCase{"a figure of eight's ends", {{4, 0}, {0.2, 90}, {4, 180}, {0.2, 270}, {1, 30}, {1, 210}}, 4, 0}));

TEST(AngleBetween, SmallAnglesKeepTheirDigits) {
    const Vector3 axis{1, 0, 0};
    for (const double angle : {1e-7, 1e-5, 1e-3, 0.1, 10.0, 90.0, 179.0})
        EXPECT_NEAR(Degrees(AngleBetween(axis, Around(axis, angle, 33))) / angle, 1, 1e-9) << angle;
}

}  // namespace
}  // namespace azimora
