// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// What the daily motion says of its inputs: elements too far from the day
// either way, a dish without a beam, an orbit the model cannot follow, a
// catalogue's longitude aimed as the window aims it, and the inclination's
// rate, which needs two element sets.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "errors.h"
#include "formats/geostationary_objects.h"
#include "formats/two_line_elements.h"
#include "geometry/pointing.h"
#include "motion/daily_motion.h"

namespace azimora {
namespace {

std::string Checked(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(TleChecksum(line));
}

// A kept satellite at 19.2 E (0.05 degree inclined), epoch 2026-04-10 00:00 UTC.
MeanElements KeptAt19East(const char* inclination = "  0.0500", const char* eccentricity = "0000200") {
    const std::string line1 = Checked("1 90201U 26001A   26100.00000000  .00000000  00000-0  00000-0 0  999");
    const std::string line2 = Checked(std::string("2 90201 ") + inclination + "  85.0000 " + eccentricity +
                                      " 270.0000 222.4399  1.00273000    1");
    std::string problem;
    const auto elements = ParseElementLines("KEPT", line1, line2, problem);
    EXPECT_TRUE(elements) << problem;
    return MeanElementsOf(*elements);
}

constexpr UnixSeconds kEpoch = 1775779200;  // 2026-04-10 00:00 UTC

DailyMotionInputs AtVienna(const MeanElements& elements, UnixSeconds dayStart) {
    DailyMotionInputs inputs;
    inputs.elements = elements;
    inputs.latitude = 48.21;
    inputs.longitudeWest = -16.37;
    inputs.dayStart = dayStart;
    return inputs;
}

TEST(DailyMotionInputs, ElementsTooFarFromTheDayEitherWay) {
    struct Case {
        double daysFromEpoch;  // the day's start
        bool outdated;
    };
    for (const Case c : {Case{0, false}, Case{13, false}, Case{14, true}, Case{40, true}, Case{-14, false},
                         Case{-15, true}, Case{-30, true}}) {
        const DailyMotion motion = ComputeDailyMotion(AtVienna(KeptAt19East(), kEpoch + c.daysFromEpoch * 86400));
        EXPECT_NEAR(motion.elementsAgeDays, c.daysFromEpoch + 0.5, 1e-9) << c.daysFromEpoch;
        EXPECT_EQ(motion.elementsOutdated, c.outdated) << c.daysFromEpoch;
    }
}

TEST(DailyMotionInputs, ADishWithoutABeamIsRefused) {
    for (const auto& [diameter, frequency] : {std::pair{0.0, 12.0}, {0.6, 0.0}, {-1.0, 12.0}, {0.6, NAN}}) {
        DailyMotionInputs inputs = AtVienna(KeptAt19East(), kEpoch);
        inputs.dishDiameterMetres = diameter;
        inputs.frequencyGHz = frequency;
        EXPECT_THROW((void)ComputeDailyMotion(inputs), Error) << diameter << " m, " << frequency << " GHz";
    }
}

TEST(DailyMotionInputs, ASiteOrDayThatIsNoNumberIsRefused) {
    for (const auto& [latitude, longitude, day] :
         {std::tuple{NAN, 0.0, kEpoch}, {91.0, 0.0, kEpoch}, {0.0, INFINITY, kEpoch}, {0.0, 0.0, NAN}}) {
        DailyMotionInputs inputs = AtVienna(KeptAt19East(), day);
        inputs.latitude = latitude;
        inputs.longitudeWest = longitude;
        EXPECT_THROW((void)ComputeDailyMotion(inputs), Error) << latitude << ", " << longitude << ", " << day;
    }
}

// An orbit one revolution a day whose perigee lies inside the Earth.
TEST(DailyMotionInputs, AnOrbitTheModelCannotFollowSaysWhy) {
    try {
        (void)ComputeDailyMotion(AtVienna(KeptAt19East("  0.0500", "9900000"), kEpoch));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("the orbit model stops: ", 0), 0u) << error.what();
    }
}

// The aim a catalogue's longitude gives is the window's pointing for it.
TEST(DailyMotionNominal, TheWindowsAimForTheCataloguesLongitude) {
    for (const double longitudeWest : {-19.2, -13.0, -28.2}) {
        DailyMotionInputs inputs = AtVienna(KeptAt19East(), kEpoch);
        inputs.nominalLongitudeWest = longitudeWest;
        const DailyMotion motion = ComputeDailyMotion(inputs);
        const PointingResult window = CalculatePointing({48.21L, -16.37L, static_cast<long double>(longitudeWest), 0});
        EXPECT_EQ(motion.nominalLongitudeWest, longitudeWest);
        EXPECT_NEAR(motion.nominalAim.azimuth, static_cast<double>(window.Azimuth), 0.001) << longitudeWest;
        EXPECT_NEAR(motion.nominalAim.elevation, static_cast<double>(window.Elevation), 0.001) << longitudeWest;
    }
}

// Within the box of +-0.1 degree: station-kept, and said so rather than as
// a list of tiny losses; a tenth more of inclination and it is not.
TEST(DailyMotionStationKeeping, TheBoxIsATenthOfADegree) {
    const DailyMotion kept = ComputeDailyMotion(AtVienna(KeptAt19East("  0.0500"), kEpoch));
    EXPECT_TRUE(kept.stationKept);
    EXPECT_EQ(kept.verdict, MotionVerdict::StationKept);
    const DailyMotion loose = ComputeDailyMotion(AtVienna(KeptAt19East("  0.2000"), kEpoch));
    EXPECT_FALSE(loose.stationKept);
    EXPECT_EQ(loose.verdict, MotionVerdict::HoldsAllDay);
    // A dish so large that even the box costs more than a decibel is told so.
    DailyMotionInputs large = AtVienna(KeptAt19East("  0.0500"), kEpoch);
    large.dishDiameterMetres = 13;
    const DailyMotion big = ComputeDailyMotion(large);
    EXPECT_TRUE(big.stationKept);
    EXPECT_NE(big.verdict, MotionVerdict::StationKept);
}

TEST(InclinationRate, NeedsTwoSetsAMonthApart) {
    MeanElements first = KeptAt19East(), later = first;
    first.inclination = 3.00;
    later.inclination = 3.13;
    later.epochJulianDay = first.epochJulianDay + 60;
    ASSERT_TRUE(InclinationRatePerYear(first, later));
    EXPECT_NEAR(*InclinationRatePerYear(first, later), 0.13 / 60 * 365.25, 1e-12);
    EXPECT_NEAR(*InclinationRatePerYear(later, first), 0.13 / 60 * 365.25, 1e-12);
    later.epochJulianDay = first.epochJulianDay + 29;
    EXPECT_FALSE(InclinationRatePerYear(first, later));
    EXPECT_FALSE(InclinationRatePerYear(first, first));
}

}  // namespace
}  // namespace azimora
