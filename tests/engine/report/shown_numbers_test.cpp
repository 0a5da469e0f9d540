// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The rules by which every front writes a number for a person, at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/report_words.h"
#include "report/shown_numbers.h"

namespace azimora {
namespace {

struct Shown {
    const char* what;
    std::string text;
    const char* expected;
};

TEST(ShownNumbers, EachEdgeByItsRule) {
    const Shown cases[] = {
        {"a negative zero", FixedText(-0.0, 2), "0.00"},
        {"what rounds to zero from below", FixedText(-0.004, 2), "0.00"},
        {"a small negative that shows", FixedText(-0.005001, 2), "-0.01"},
        {"due north", BearingText(360, 2), "0.00\u00B0"},
        {"what rounds to 360", BearingText(359.996, 2), "0.00\u00B0"},
        {"just short of north", BearingText(359.994, 2), "359.99\u00B0"},
        {"a hair west of north, negative", BearingText(-0.001, 2), "0.00\u00B0"},
        {"a bearing in words for ASCII", BearingText(171.306, 2, DegreeSign::Word), "171.31 deg"},
        {"latitude 0", LatitudeText(0, 2), "0.00"},
        {"latitude -0.001", LatitudeText(-0.001, 2), "0.00"},
        {"a southern latitude", LatitudeText(-33.865, 2), "33.87 S"},
        {"longitude 0", LongitudeText(0, 2), "0.00"},
        {"longitude -0", LongitudeText(-0.0, 2), "0.00"},
        {"longitude east", LongitudeText(-19.2, 2), "19.20 E"},
        {"longitude west", LongitudeText(114.08, 2), "114.08 W"},
        {"longitude past 180 west", LongitudeText(291.5, 2), "68.50 E"},
        {"longitude 360 is Greenwich", LongitudeText(360, 2), "0.00"},
        {"a declination east", SidedDegreesText(13.381, 2, "E", "W"), "13.38\u00B0 E"},
        {"a declination that rounds to 0", SidedDegreesText(-0.002, 2, "E", "W"), "0.00\u00B0"},
    };
    for (const Shown& c : cases) EXPECT_EQ(c.text, c.expected) << c.what;
}

TEST(ShownNumbers, NoneIsWhatShowsAsZero) {
    struct Edge {
        double value;
        bool skewNone;
        bool upright;
    };
    // The skew is shown to a tenth, the tilt to a hundredth.
    const Edge edges[] = {{0, true, true},           {-0.0, true, true},        {-0.003, true, true},
                          {-0.03, true, false},      {0.0499, true, false},     {-0.0499, true, false},
                          {0.051, false, false},     {-0.051, false, false},    {0.001, true, true},
                          {-0.001, true, true},      {0.0049, true, true},      {0.0051, true, false}};
    for (const Edge& e : edges) {
        EXPECT_EQ(SkewIsNone(e.value), e.skewNone) << e.value;
        EXPECT_EQ(FaceIsUpright(e.value), e.upright) << e.value;
    }
}

struct SkewCase {
    const char* what;
    std::optional<double> skew;
    bool visible;
    SatellitePolarisation polarisation;
    const char* expected;
};

TEST(ReportWords, TheSkewAtItsEdges) {
    const SatellitePolarisation unknown{};
    const SatellitePolarisation circular{Polarisation::Circular, Polarisation::Circular, {"EchoStar 14"}};
    const SatellitePolarisation mixed{Polarisation::Mixed, Polarisation::Mixed, {"Astra 3B"}};
    const SatellitePolarisation circularThere{Polarisation::Unknown, Polarisation::Circular, {"EchoStar 14", "DirecTV 7S"}};
    const SkewCase cases[] = {
        {"out of sight", -12.0, false, unknown, "none: the satellite cannot be seen from this site"},
        {"circular", -12.0, true, circular, "circular polarisation: no skew"},
        {"straight overhead", std::nullopt, true, unknown,
         "none to set: the satellite stands straight overhead, and the LNB has no up to turn from"},
        {"-0.03", -0.03, true, unknown, "none: the LNB stays upright"},
        {"-0.003", -0.003, true, unknown, "none: the LNB stays upright"},
        {"0.05", 0.051, true, unknown, "turn the LNB 0.1\u00B0 clockwise, seen from behind the dish"},
        {"-5.49", -5.49, true, unknown, "turn the LNB 5.5\u00B0 counter-clockwise, seen from behind the dish"},
        {"mixed", 3.0, true, mixed,
         "turn the LNB 3.0\u00B0 clockwise, seen from behind the dish (for its linear transponders; circular ones need none)"},
        {"circular at the position, by other names", 3.0, true, circularThere,
         "turn the LNB 3.0\u00B0 clockwise, seen from behind the dish (the DVB scan tables list only circular transponders "
         "at this position, of EchoStar 14, DirecTV 7S: if yours is one of them, it needs no skew)"},
    };
    for (const SkewCase& c : cases)
        EXPECT_EQ(SkewWords(c.skew, c.visible, c.polarisation), c.expected) << c.what;
}

TEST(ReportWords, TheCompassWarningsReadTheirThresholds) {
    EXPECT_EQ(HorizontalFieldWords(1750.4, CompassWarning::Unreliable),
              "1750 nT: under 2000 nT a compass is unreliable here; aim by the sun or a landmark");
    EXPECT_EQ(HorizontalFieldWords(3427, CompassWarning::Caution),
              "3427 nT: under 6000 nT a compass needs caution here; check it against the sun");
    EXPECT_EQ(HorizontalFieldWords(16269, CompassWarning::None), "16269 nT");
    EXPECT_EQ(CompassWarningFor(kUnreliableCompassField - 1), CompassWarning::Unreliable);
    EXPECT_EQ(CompassWarningFor(kCautionCompassField - 1), CompassWarning::Caution);
}

TEST(ReportWords, TheMotorAndTheFace) {
    EXPECT_EQ(MotorWords(MotorMount{-7.494, 7.381}), "7.49\u00B0 east of centre; declination offset 7.38\u00B0");
    EXPECT_EQ(MotorWords(MotorMount{0.001, 7.0}), "at the centre; declination offset 7.00\u00B0");
    EXPECT_EQ(MotorWords(std::nullopt), kOutOfSightWords);
    EXPECT_EQ(FaceTiltWords(8.888, 22.3), "8.89\u00B0 on an inclinometer: the face tilted back, looking up, for an offset of 22.3\u00B0");
    // For an ASCII front, the sign spelt out.
    EXPECT_EQ(WithDegreeWord(FaceTiltWords(-2.5, 22.3)), "-2.50 deg on an inclinometer: the face tilted forward, looking down, for an offset of 22.3 deg");
}

}  // namespace
}  // namespace azimora
