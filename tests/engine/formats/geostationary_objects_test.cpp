// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Objects of the geostationary belt: their drift by the model itself, what
// is no geostationary object, and elements far from the date either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "formats/geostationary_objects.h"
#include "formats/two_line_elements.h"

namespace azimora {
namespace {

// Against python3-sgp4 (tests/engine/formats/data/make_geo_drift.py): the
// sub-satellite longitude's change over one revolution, per day. A mean
// motion of exactly one sidereal day still drifts 0.027 degree a day east:
// the Earth's flattening speeds the orbit's node, perigee and anomaly.
TEST(GeostationaryObjects, DriftIsTheModelsOwnMotionOverARevolution) {
    std::ifstream in(std::string(AZIMORA_FORMATS_TEST_DATA) + "/geo_drift.csv");
    std::string row;
    std::getline(in, row);
    int compared = 0;
    while (std::getline(in, row)) {
        std::istringstream fields(row);
        std::string name, line1, line2, instant, drift;
        std::getline(fields, name, ',');
        std::getline(fields, line1, ',');
        std::getline(fields, line2, ',');
        std::getline(fields, instant, ',');
        std::getline(fields, drift, ',');
        std::string problem;
        const auto elements = ParseElementLines(name, line1, line2, problem);
        ASSERT_TRUE(elements) << name << ": " << problem;
        const auto object = PlaceGeostationary(*elements, std::stod(instant), problem);
        ASSERT_TRUE(object) << name << ": " << problem;
        EXPECT_NEAR(object->driftPerDay, std::stod(drift), 1e-6) << name;
        ++compared;
    }
    EXPECT_EQ(compared, 6);
}

std::string Checked(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(TleChecksum(line));
}

// An orbit of one revolution a day as a two-line set gives it (the fields
// as written there: " 15.0000", "0500000").
OrbitalElements OneRevolutionADay(const std::string& inclination, const std::string& eccentricity) {
    const std::string line1 = Checked("1 90004U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  999");
    const std::string line2 =
        Checked("2 90004 " + inclination + "   0.0000 " + eccentricity + "   0.0000 216.8932  1.00273791   10");
    std::string problem;
    const auto elements = ParseElementLines("CASE", line1, line2, problem);
    EXPECT_TRUE(elements) << problem;
    return elements.value_or(OrbitalElements{});
}

// One revolution a day does not make an object geostationary: a polar or a
// retrograde orbit is skipped with its reason; 20 degrees is the bound.
TEST(GeostationaryObjects, OnlyNearTheEquatorGoingTheEarthsWay) {
    struct Case {
        const char* inclination;
        bool placed;
        const char* problem;
    };
    for (const Case& c : {Case{"  0.0500", true, ""}, Case{" 15.0000", true, ""}, Case{" 19.9000", true, ""},
                          Case{" 25.0000", false, "not geostationary: inclined 25.0 degrees (far from the equator)"},
                          Case{" 90.0000", false, "not geostationary: inclined 90.0 degrees (far from the equator)"},
                          Case{"180.0000", false, "not geostationary: inclined 180.0 degrees (a retrograde orbit)"}}) {
        const OrbitalElements elements = OneRevolutionADay(c.inclination, "0000000");
        std::string problem;
        const auto object = PlaceGeostationary(elements, elements.epoch, problem);
        EXPECT_EQ(object.has_value(), c.placed) << c.inclination;
        if (!c.placed) {
            EXPECT_EQ(problem, c.problem);
        }
    }
}

// Nor does one revolution a day with a strongly eccentric orbit: under 0.1,
// ESA's bound, it is placed, warned of when it swings more than a degree;
// from 0.1 on it is skipped with its reason.
TEST(GeostationaryObjects, OnlyNearlyCircular) {
    struct Case {
        const char* eccentricity;
        const char* problem;  // empty: placed
        const char* warning;
    };
    for (const Case& c : {Case{"0005000", "", ""}, Case{"0080000", "", ""},
                          Case{"0500000", "", "eccentric: it swings east and west by 5.7 degrees"},
                          Case{"0999000", "", "eccentric: it swings east and west by 11.4 degrees"},
                          Case{"1000000", "not geostationary: eccentricity 0.10 (far from a circle)", ""},
                          Case{"2700000", "not geostationary: eccentricity 0.27 (far from a circle)", ""},
                          Case{"6000000", "not geostationary: eccentricity 0.60 (far from a circle)", ""},
                          Case{"9000000", "not geostationary: eccentricity 0.90 (far from a circle)", ""}}) {
        const OrbitalElements elements = OneRevolutionADay("  3.0000", c.eccentricity);
        std::string problem;
        const auto object = PlaceGeostationary(elements, elements.epoch, problem);
        EXPECT_EQ(object.has_value(), *c.problem == '\0') << c.eccentricity << ": " << problem;
        if (!object) {
            EXPECT_EQ(problem, c.problem);
        } else {
            EXPECT_EQ(object->warning.find("eccentric") == std::string::npos, *c.warning == '\0') << object->warning;
            EXPECT_NE(object->warning.find(c.warning), std::string::npos) << object->warning;
        }
    }
}

// The swing the warning gives, 2e radians each way (the equation of the
// centre: true less mean anomaly is 2e sin M, and terms of e squared),
// against where the SGP4 model puts an orbit of one revolution a day over
// the day: within a tenth of it.
TEST(GeostationaryObjects, TheEccentricSwingIsWhatTheModelShows) {
    for (const char* eccentricity : {"0200000", "0500000", "0900000"}) {
        const OrbitalElements elements = OneRevolutionADay("  0.0100", eccentricity);
        const auto start = SubSatelliteLongitude(elements, elements.epoch);
        ASSERT_TRUE(start);
        double lowest = 0, highest = 0;  // from where it starts, across 180 degrees too
        for (int minute = 10; minute < 24 * 60; minute += 10) {
            const auto west = SubSatelliteLongitude(elements, elements.epoch + minute * 60.0);
            ASSERT_TRUE(west);
            const double moved = std::remainder(*west - *start, 360.0);
            lowest = std::min(lowest, moved);
            highest = std::max(highest, moved);
        }
        const double swing = EccentricSwing(elements.eccentricity);
        EXPECT_NEAR((highest - lowest) / 2, swing, swing / 10) << eccentricity;
    }
}

// Elements dated after the date asked for are as uncertain as old ones.
TEST(GeostationaryObjects, ElementsFarFromTheDateEitherWayAreWarnedOf) {
    const std::string line1 = Checked("1 90002U 26001A   26100.00000000  .00000000  00000-0  00000-0 0  999");
    const std::string line2 = Checked("2 90002   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   1");
    std::string problem;
    const auto elements = ParseElementLines("GEO", line1, line2, problem);
    ASSERT_TRUE(elements) << problem;
    struct Case {
        double days;
        const char* warning;
    };
    for (const Case& c : {Case{0, ""}, Case{13, ""}, Case{-13, ""},
                          Case{30, "elements 30 days old: its position is uncertain"},
                          Case{-30, "elements dated 30 days after this date: its position is uncertain"},
                          Case{-400, "elements dated 400 days after this date: its position is uncertain"}}) {
        const auto object = PlaceGeostationary(*elements, elements->epoch + c.days * kSecondsPerDay, problem);
        ASSERT_TRUE(object) << problem;
        // A year away the model has it drifting too: the age ends the warning.
        if (*c.warning == '\0') {
            EXPECT_EQ(object->warning.find("elements"), std::string::npos) << c.days << ": " << object->warning;
        } else {
            EXPECT_TRUE(object->warning.ends_with(c.warning)) << c.days << ": " << object->warning;
        }
    }
}

}  // namespace
}  // namespace azimora
