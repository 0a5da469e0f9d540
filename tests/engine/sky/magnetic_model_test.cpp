// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/magnetic_model.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace azimora {
namespace {

struct TestValue {
    double year, altitudeKm, latitude, longitudeEast, north, east, down, declination;
};

// NOAA's WMM2025 test values (tests/engine/sky/data/README.md).
std::vector<TestValue> NoaaTestValues() {
    std::ifstream in(AZIMORA_TEST_DATA "/wmm2025_test_values.csv");
    std::vector<TestValue> values;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<double> cells;
        std::string cell;
        while (std::getline(fields, cell, ',')) cells.push_back(std::stod(cell));
        if (cells.size() < 11) continue;
        values.push_back({cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], cells[6], cells[10]});
    }
    return values;
}

TEST(MagneticModel, AgreesWithNoaasWmm2025TestValues) {
    const auto values = NoaaTestValues();
    ASSERT_EQ(values.size(), 100u);
    for (const TestValue& v : values) {
        // Our longitudes are west positive.
        const MagneticField field = ComputeMagneticField(kWmm2025, v.latitude, -v.longitudeEast, v.altitudeKm, v.year);
        const std::string where = std::to_string(v.year) + " " + std::to_string(v.latitude) + "," +
                                  std::to_string(v.longitudeEast) + " at " + std::to_string(v.altitudeKm) + " km";
        // The published declinations are rounded to 0.01 degree.
        EXPECT_NEAR(field.declination, v.declination, 0.01) << where;
        // The components to a nanotesla (published to 1e-6 nT).
        EXPECT_NEAR(field.north, v.north, 1.0) << where;
        EXPECT_NEAR(field.east, v.east, 1.0) << where;
        EXPECT_NEAR(field.down, v.down, 1.0) << where;
        EXPECT_EQ(field.model, "WMM2025");
        EXPECT_TRUE(field.valid);
    }
}

TEST(MagneticModel, WarnsOutsideItsFiveYears) {
    EXPECT_FALSE(ComputeMagneticField(kWmm2025, 51.08, 114.08, 0, 2024.9).valid);
    EXPECT_TRUE(ComputeMagneticField(kWmm2025, 51.08, 114.08, 0, 2025.0).valid);
    EXPECT_TRUE(ComputeMagneticField(kWmm2025, 51.08, 114.08, 0, 2030.0).valid);
    EXPECT_FALSE(ComputeMagneticField(kWmm2025, 51.08, 114.08, 0, 2030.01).valid);
}

TEST(CompassBearing, TrueAzimuthLessAnEastDeclination) {
    struct Case {
        double azimuth, declination, bearing;
    };
    for (const Case& c : {Case{171.3, 13.6, 157.7}, Case{10, 15, 355}, Case{350, -15, 5}, Case{15, 15, 360},
                          Case{360, 0, 360}}) {
        EXPECT_NEAR(CompassBearing(c.azimuth, c.declination), c.bearing, 1e-9) << c.azimuth << " " << c.declination;
    }
}

}  // namespace
}  // namespace azimora
