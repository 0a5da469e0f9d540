// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/pointing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "errors.h"

namespace azimora {
namespace {

// Reference angles from an independent 40-digit evaluation of the same
// geometry (mpmath), with the inputs taken as exact decimals.
struct Reference {
    long double latitude, longitudeWest, satelliteLongitudeWest;
    long double azimuth, elevation;
    const char* elevationText;
};

class PointingReference : public ::testing::TestWithParam<Reference> {};

void ExpectSignificantDigits(long double actual, long double expected, int digits) {
    const long double tolerance = std::fabs(expected) * std::pow(10.0L, -digits);
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected), static_cast<double>(tolerance));
}

TEST_P(PointingReference, AgreesToTwelveSignificantDigits) {
    const Reference& ref = GetParam();
    const PointingResult result = CalculatePointing({ref.latitude, ref.longitudeWest, ref.satelliteLongitudeWest, 0});
    ExpectSignificantDigits(result.Azimuth, ref.azimuth, 12);
    ExpectSignificantDigits(result.Elevation, ref.elevation, 12);
    if (ref.elevationText != nullptr) {
        EXPECT_EQ(ElevationText(result), ref.elevationText);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PointingReference,
    ::testing::Values(
        Reference{51.08L, 114.08L, 107.3L, 171.3064223314339014L, 31.192079050056787795L, nullptr},
        Reference{51.08L, 114.08L, 119, 186.3176323813322977L, 31.357878149054120544L, nullptr},
        Reference{40.75L, 74, 101, 217.99854662000141999L, 35.393850289152807516L, nullptr},
        Reference{25.77L, 80.18L, 80.18L, 180, 59.901940088346665413L, nullptr},
        Reference{45, 0, 90, 270.02905864093003064L, -8.5876353851979656139L, "Below Horizon!"},
        Reference{21.32L, 157.83L, -21, 3.2120732606305100512L, -71.395690482494193811L, "Below Horizon!"},
        // Southern hemisphere, east of Greenwich: the dish looks north.
        Reference{-33.9L, -151.2L, -156, 8.5690940469127656932L, 50.281404124422371394L, nullptr},
        // Equivalents modulo 360 of the first row.
        Reference{51.08L, 114.08L, 467.3L, 171.3064223314339014L, 31.192079050056787795L, nullptr},
        Reference{51.08L, 114.08L - 360, 107.3L, 171.3064223314339014L, 31.192079050056787795L, nullptr}));

TEST(PointingTexts, FirstRowReadsAsTheWindowShowsIt) {
    const PointingResult result = CalculatePointing({51.08L, 114.08L, 107.3L, 0});
    EXPECT_EQ(AzimuthText(result), "171.306422331434");
    EXPECT_EQ(ElevationText(result), "31.1920790500568");
}

TEST(PointingTexts, SatelliteOnTheMeridianIsDueSouthExactly) {
    for (const long double longitude : {80.18L, 0.0L, -45.5L, 291.5L}) {
        const PointingResult result = CalculatePointing({25.77L, longitude, longitude, 0});
        EXPECT_EQ(result.Azimuth, 180) << static_cast<double>(longitude);
        EXPECT_EQ(AzimuthText(result), "180");
    }
}

TEST(PointingTexts, DueNorthGives360NotZero) {
    // South of the equator under the satellite's meridian the bearing is 0.
    const PointingResult result = CalculatePointing({-30, 10, 10, 0});
    EXPECT_EQ(result.Azimuth, 360);
    EXPECT_EQ(AzimuthText(result), "360");
}

TEST(PointingTexts, HorizonThresholdIsStrictlyAboveOne) {
    struct Case {
        long double elevation;
        const char* text;
    };
    for (const Case& c : {Case{1.0L, "Below Horizon!"}, Case{0.5L, "Below Horizon!"}, Case{0, "Below Horizon!"},
                          Case{-3, "Below Horizon!"}, Case{1.5L, "1.5"}, Case{90, "90"}}) {
        EXPECT_EQ(ElevationText(PointingResult{123, c.elevation}), c.text) << static_cast<double>(c.elevation);
    }
    // The azimuth is shown whatever the elevation.
    EXPECT_EQ(AzimuthText(PointingResult{270.5L, -8}), "270.5");
}

TEST(PointingOverhead, ObserverOnTheEquatorUnderTheSatelliteLooksStraightUp) {
    const PointingResult result = CalculatePointing({0, 75, 75, 0});
    EXPECT_EQ(result.Elevation, 90);
    EXPECT_EQ(ElevationText(result), "90");
    // The bearing is taken as usual: the north component is a negative zero
    // there, so atan2 gives 180 degrees.
    EXPECT_EQ(result.Azimuth, 180);
}

TEST(PointingOverhead, NearlyOverheadStaysContinuous) {
    const PointingResult result = CalculatePointing({0, 10, 10.000001L, 0});
    EXPECT_NEAR(static_cast<double>(result.Elevation), 89.99999882177116116, 1e-9);
    EXPECT_NEAR(static_cast<double>(result.Azimuth), 270, 1e-9);
}

TEST(PointingFaults, NonFiniteResultsRaiseInvalidOperation) {
    const long double huge = std::numeric_limits<long double>::max() / 2;
    for (const PointingInputs& inputs : {PointingInputs{huge, 0, 0, 0}, PointingInputs{0, -huge, huge, 0},
                                         PointingInputs{0, 0, huge, 0}}) {
        try {
            (void)CalculatePointing(inputs);
            ADD_FAILURE() << "no error";
        } catch (const MathError& error) {
            EXPECT_STREQ(error.what(), "Invalid floating point operation");
        }
    }
}

TEST(PointingFaults, HeightIsPartOfTheGeometry) {
    const PointingResult ground = CalculatePointing({51.08L, 114.08L, 107.3L, 0});
    const PointingResult mountain = CalculatePointing({51.08L, 114.08L, 107.3L, 2});
    EXPECT_NE(ground.Elevation, mountain.Elevation);
}

}  // namespace
}  // namespace azimora
