// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A quantity over a day, sampled every quarter hour: its turning points and
// the time it stays under a level, on curves whose answers are known in
// closed form (a cosine of half a day, a slope, a V).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "motion/day_curve.h"

namespace azimora {
namespace {

constexpr UnixSeconds kDay = 1775952000;  // 2026-04-12 00:00 UTC
constexpr double kPi = std::numbers::pi;

struct Sampled {
    std::vector<UnixSeconds> instants;
    DayCurve curve;
};

Sampled Sample(const DayCurve::Function& f) {
    std::vector<UnixSeconds> instants;
    std::vector<double> values;
    for (int i = 0; i <= 96; ++i) {
        instants.push_back(kDay + i * 900.0);
        values.push_back(f(instants.back()));
    }
    Sampled sampled{std::move(instants), DayCurve({}, {}, f)};
    sampled.curve = DayCurve(sampled.instants, std::move(values), f);
    return sampled;
}

// cos(2 pi (t - peak) / 12 h): peaks at 03:10:20 and 15:10:20, troughs
// six hours after each; under a level L for 24 (1 - acos(L) / pi) hours.
TEST(DayCurve, ACosineOfHalfADay) {
    const double peak = kDay + 3 * 3600 + 620;
    const Sampled day = Sample([peak](UnixSeconds t) { return std::cos(2 * kPi * (t - peak) / 43200); });
    // The day ends rising: its end is a maximum of the day too, and its start a minimum.
    std::vector<Peak> maxima;
    for (const Peak& maximum : day.curve.Maxima())
        if (maximum.value > 0.999) maxima.push_back(maximum);
    ASSERT_EQ(maxima.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(maxima[i].instant, peak + i * 43200, kTurningPointSeconds);
        EXPECT_NEAR(maxima[i].value, 1, 1e-9);
    }
    EXPECT_EQ(day.curve.Maxima().back().instant, kDay + 86400);
    EXPECT_EQ(day.curve.Minima().front().instant, kDay);
    std::vector<double> troughs;
    for (const Peak& minimum : day.curve.Minima())
        if (minimum.value < -0.999) troughs.push_back(minimum.instant);
    ASSERT_EQ(troughs.size(), 2u);
    EXPECT_NEAR(troughs[0], peak + 21600, kTurningPointSeconds);
    EXPECT_NEAR(troughs[1], peak + 64800, kTurningPointSeconds);
    for (const double level : {-0.9, -0.3, 0.0, 0.5, 0.99}) {
        const double hours = 24 * (1 - std::acos(level) / kPi);
        EXPECT_NEAR(day.curve.SecondsAtOrBelow(level) / 3600, hours, 0.01 / 3600) << level;
    }
    EXPECT_DOUBLE_EQ(day.curve.SecondsAtOrBelow(1.5), 86400);
    EXPECT_DOUBLE_EQ(day.curve.SecondsAtOrBelow(-1.5), 0);
}

// A slope peaks at the day's start and bottoms out at its end.
TEST(DayCurve, TheEndsOfASlope) {
    const Sampled day = Sample([](UnixSeconds t) { return (kDay - t) / 3600; });
    ASSERT_EQ(day.curve.Maxima().size(), 1u);
    EXPECT_EQ(day.curve.Maxima()[0].instant, kDay);
    ASSERT_EQ(day.curve.Minima().size(), 1u);
    EXPECT_EQ(day.curve.Minima()[0].instant, kDay + 86400);
    EXPECT_NEAR(day.curve.SecondsAtOrBelow(-10), 14 * 3600, 0.01);
}

// A V whose point falls between two samples (where the satellite passes
// through the aim): its minimum found, and the time under a small level.
TEST(DayCurve, AVBetweenSamples) {
    const double point = kDay + 10 * 3600 + 450;  // between 10:00 and 10:15
    const Sampled day = Sample([point](UnixSeconds t) { return std::fabs(t - point) / 3600; });
    EXPECT_NEAR(day.curve.Smallest(), 0, kTurningPointSeconds / 3600);
    EXPECT_NEAR(day.curve.SecondsAtOrBelow(0.05), 2 * 0.05 * 3600, 0.01);
}

// Brent's method on a peak that is no parabola.
TEST(PeakBetween, AnAsymmetricPeak) {
    const double top = kDay + 1234.5;
    const auto f = [top](UnixSeconds t) { return t < top ? -(top - t) / 100 : -std::pow((t - top) / 100, 4); };
    const Peak peak = PeakBetween(f, kDay, kDay + 1800, 0.01);
    EXPECT_NEAR(peak.instant, top, 0.01);
    EXPECT_NEAR(peak.value, 0, 1e-4);
}

}  // namespace
}  // namespace azimora
