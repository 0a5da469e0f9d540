// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A satellite's day seen from a site, against python3-sgp4's propagation
// and a topocentric conversion of its own (data/make_daily_motion.py, the
// element sets and their epochs in data/README.md): real sets of 3.85
// degrees and of station-kept satellites, synthetic ones of 0.12, 1.05 and
// 6.2 degrees, at sites north and south and at the edge of visibility.
// Angles within 0.001 degree, losses within 0.01 dB, hours within five
// minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "csv_table.h"
#include "formats/geostationary_objects.h"
#include "formats/two_line_elements.h"
#include "motion/daily_motion.h"

namespace azimora {
namespace {

constexpr double kAngleTolerance = 0.001;    // degrees
constexpr double kLossTolerance = 0.01;      // dB
constexpr double kHoursTolerance = 5.0 / 60;  // five minutes
constexpr double kSecondsTolerance = 300;

using Row = azimora::testing::CsvRow;

std::vector<Row> ReadTable(const std::string& name) {
    return azimora::testing::ReadCsvTable(std::string(AZIMORA_MOTION_TEST_DATA) + "/" + name);
}

double Number(const Row& row, const std::string& key) { return std::stod(row.at(key)); }

// The angle between two sky directions given by azimuth and elevation.
double SkyAngle(double azimuth1, double elevation1, double azimuth2, double elevation2) {
    const auto unit = [](double azimuth, double elevation) {
        return Vector3{std::cos(Radians(elevation)) * std::sin(Radians(azimuth)),
                       std::cos(Radians(elevation)) * std::cos(Radians(azimuth)), std::sin(Radians(elevation))};
    };
    const Vector3 a = unit(azimuth1, elevation1), b = unit(azimuth2, elevation2);
    return Degrees(std::atan2(Length(Cross(a, b)), Dot(a, b)));
}

DailyMotionInputs InputsOf(const Row& row) {
    std::string problem;
    const auto elements = ParseElementLines(row.at("case"), row.at("line1"), row.at("line2"), problem);
    EXPECT_TRUE(elements) << problem;
    DailyMotionInputs inputs;
    if (elements) inputs.elements = MeanElementsOf(*elements);
    inputs.latitude = Number(row, "lat");
    inputs.longitudeWest = Number(row, "lon");
    inputs.altitudeKm = Number(row, "alt_km");
    inputs.dayStart = Number(row, "day");
    inputs.dishDiameterMetres = Number(row, "dish_m");
    inputs.frequencyGHz = Number(row, "freq_ghz");
    return inputs;
}

std::vector<double> Instants(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> instants;
    for (double t; in >> t;) instants.push_back(t);
    return instants;
}

class ReferenceDay : public ::testing::TestWithParam<Row> {};

TEST_P(ReferenceDay, TrackAimErrorAndLossAsTheReferenceHasThem) {
    const Row& row = GetParam();
    const DailyMotion motion = ComputeDailyMotion(InputsOf(row));
    EXPECT_NEAR(motion.inclination, Number(row, "inclination"), kAngleTolerance);
    EXPECT_NEAR(motion.swing, Number(row, "swing"), kAngleTolerance);
    EXPECT_LE(SkyAngle(motion.bestAim.azimuth, motion.bestAim.elevation, Number(row, "aim_az"), Number(row, "aim_el")),
              kAngleTolerance);
    EXPECT_NEAR(motion.bestAim.elevation, Number(row, "aim_el"), kAngleTolerance);
    EXPECT_NEAR(motion.largestError, Number(row, "largest_error"), kAngleTolerance);
    EXPECT_NEAR(motion.nominalLongitudeWest, Number(row, "nominal_lon"), kAngleTolerance);
    EXPECT_LE(SkyAngle(motion.nominalAim.azimuth, motion.nominalAim.elevation, Number(row, "nominal_az"),
                       Number(row, "nominal_el")),
              kAngleTolerance);
    EXPECT_NEAR(motion.nominalLargestError, Number(row, "nominal_error"), kAngleTolerance);
    EXPECT_NEAR(motion.beamwidth, Number(row, "beamwidth"), 1e-9);
    if (row.at("peak_loss").empty()) {
        EXPECT_FALSE(motion.peakLoss) << "outside the main beam, not " << *motion.peakLoss << " dB";
    } else {
        ASSERT_TRUE(motion.peakLoss);
        EXPECT_NEAR(*motion.peakLoss, Number(row, "peak_loss"), kLossTolerance);
    }
    EXPECT_NEAR(motion.hoursWithin1dB, Number(row, "hours_1db"), kHoursTolerance);
    EXPECT_NEAR(motion.hoursWithin3dB, Number(row, "hours_3db"), kHoursTolerance);
    EXPECT_NEAR(motion.hoursAboveHorizon, Number(row, "hours_above"), kHoursTolerance);
    const std::vector<double> worst = Instants(row.at("worst_times"));
    ASSERT_EQ(motion.worstTimes.size(), worst.size());
    for (std::size_t i = 0; i < worst.size(); ++i) EXPECT_NEAR(motion.worstTimes[i], worst[i], kSecondsTolerance);
}

TEST_P(ReferenceDay, TheTrackEveryThreeHours) {
    const Row& row = GetParam();
    const DailyMotion motion = ComputeDailyMotion(InputsOf(row));
    int compared = 0;
    for (const Row& point : ReadTable("daily_motion_track.csv")) {
        if (point.at("case") != row.at("case")) continue;
        const double instant = Number(point, "instant");
        const auto at = std::find_if(motion.track.begin(), motion.track.end(),
                                     [&](const TrackPoint& p) { return std::fabs(p.instant - instant) < 1e-3; });
        ASSERT_NE(at, motion.track.end()) << IsoUtc(instant);
        EXPECT_LE(SkyAngle(at->azimuth, at->elevation, Number(point, "azimuth"), Number(point, "elevation")),
                  kAngleTolerance)
            << IsoUtc(instant);
        EXPECT_NEAR(at->elevation, Number(point, "elevation"), kAngleTolerance) << IsoUtc(instant);
        ++compared;
    }
    EXPECT_EQ(compared, 9);  // 00:00 to 24:00
}

std::string CaseName(const ::testing::TestParamInfo<Row>& info) {
    std::string name;
    for (const char c : info.param.at("case")) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceDay, ::testing::ValuesIn(ReadTable("daily_motion.csv")), CaseName);

// What an installer is told of each reference case, from its figures: a
// largest error beyond half the beamwidth leaves the main beam, one within
// it costs 12 (error / beamwidth)^2 dB.
TEST(DailyMotionVerdicts, OfTheReferenceCases) {
    const std::map<std::string, MotionVerdict> expected = {
        {"3.85 drifting, Sydney, 0.6 m", MotionVerdict::NeedsTrackingMount},
        {"3.85 drifting, Tokyo, 1.2 m", MotionVerdict::NeedsTrackingMount},
        {"station kept 0.016, Mumbai, 0.6 m", MotionVerdict::StationKept},
        {"station kept 0.016, Johannesburg, 2.4 m C band", MotionVerdict::StationKept},
        {"station kept 0.0004, Denver, 0.6 m", MotionVerdict::StationKept},
        {"inclined 0.12, Vienna, 1.2 m", MotionVerdict::HoldsAllDay},
        {"inclined 0.12, Cape Town, 0.6 m", MotionVerdict::HoldsAllDay},
        {"inclined 0.12, Longyearbyen, 3 degrees up, 1.2 m", MotionVerdict::HoldsAllDay},
        {"inclined 0.12, 70 S 70 E, 4 degrees up, 0.6 m", MotionVerdict::HoldsAllDay},
        {"inclined 1.05, Lisbon, 0.6 m", MotionVerdict::Fades},
        {"inclined 1.05, Sao Paulo, 1.2 m", MotionVerdict::NeedsTrackingMount},
        {"inclined 6.2, Bogota, 0.6 m", MotionVerdict::NeedsTrackingMount},
        {"inclined 6.2, Anchorage, at the horizon", MotionVerdict::SetsBelowHorizon},
        {"inclined 6.2, 60 S 130 W, low, 1.8 m C band", MotionVerdict::NeedsTrackingMount},
        {"inclined 6.2, 70 S 140 W, at the horizon", MotionVerdict::SetsBelowHorizon},
    };
    const std::vector<Row> rows = ReadTable("daily_motion.csv");
    ASSERT_EQ(rows.size(), expected.size());
    for (const Row& row : rows) {
        const DailyMotion motion = ComputeDailyMotion(InputsOf(row));
        EXPECT_EQ(motion.verdict, expected.at(row.at("case"))) << row.at("case");
        EXPECT_EQ(motion.stationKept, row.at("case").starts_with("station kept")) << row.at("case");
        EXPECT_FALSE(motion.elementsOutdated) << row.at("case");
    }
}

}  // namespace
}  // namespace azimora
