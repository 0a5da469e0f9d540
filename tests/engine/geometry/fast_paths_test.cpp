// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <quadmath.h>
#endif

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "geometry/fast_trig.h"
#include "text/number_text.h"

namespace azimora {
namespace {

// The fast sine and cosine against the library over the angles the
// calculation meets, and far beyond.
TEST(FastTrig, AgreesWithTheLibrary) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> wide(-5000, 5000);
    for (int i = 0; i < 200000; ++i) {
        const long double x = i < 100000 ? static_cast<long double>(wide(random)) * 3.14159265358979L / 180
                                         : static_cast<long double>(wide(random));
        long double s;
        long double c;
        SinCos(x, s, c);
        ASSERT_NEAR(static_cast<double>(s - std::sin(x)), 0.0, 2e-18) << static_cast<double>(x);
        ASSERT_NEAR(static_cast<double>(c - std::cos(x)), 0.0, 2e-18) << static_cast<double>(x);
    }
    // Exact where the geometry is exact.
    long double s;
    long double c;
    SinCos(0, s, c);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(c, 1);
    SinCos(1e30L, s, c);  // beyond the reduction: the library's answer
    EXPECT_EQ(s, std::sin(1e30L));
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// The accuracy its header states, against libquadmath's 113-bit sine and
// cosine as the reference.
double Ulps(long double value, __float128 reference) {
    int exponent = 0;
    frexpq(reference, &exponent);
    return static_cast<double>(fabsq(static_cast<__float128>(value) - reference) / ldexpq(1, exponent - 64));
}

TEST(FastTrig, KeepsTheAccuracyItStates) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<long double> ordinary(-1e5L, 1e5L);
    double worstUlps = 0;
    for (int i = 0; i < 200000; ++i) {
        const long double x = i % 2 == 0 ? ordinary(random) / 14000 : ordinary(random);
        long double s;
        long double c;
        SinCos(x, s, c);
        worstUlps = std::max({worstUlps, Ulps(s, sinq(x)), Ulps(c, cosq(x))});
    }
    EXPECT_LE(worstUlps, 2.5);
    // Next to the zeros at large arguments only the absolute error is small.
    double worstAbsolute = 0;
    for (long k = 63663; k < 667000; k += 7) {
        const long double x = static_cast<long double>(k) * 1.5707963267948966192313216916397514L;
        long double s;
        long double c;
        SinCos(x, s, c);
        // Even multiples are zeros of the sine, odd ones of the cosine.
        const __float128 error = k % 2 == 0 ? fabsq(s - sinq(x)) : fabsq(c - cosq(x));
        worstAbsolute = std::max(worstAbsolute, static_cast<double>(error));
    }
    EXPECT_LT(worstAbsolute, 1e-30);
}
#endif

// Reads back the number a 15-digit text stands for.
long double ValueOf(const std::string& text) { return std::strtold(text.c_str(), nullptr); }

// FormatGeneral's digits against the C library's correctly rounded ones.
TEST(FastFormat, RoundsLikeTheExactConversion) {
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> exponent(-6, 17);
    std::vector<long double> values;
    for (int i = 0; i < 100000; ++i)
        values.push_back(static_cast<long double>(mantissa(random)) * std::pow(10.0L, exponent(random)));
    // Around the halfway points, where a sloppy rounding shows.
    for (long double tie : {1.000030517578125L, 123.4567890123455L, 0.000123456789012345L, 99999999999999.95L}) {
        long double v = tie;
        for (int step = 0; step < 50; ++step) v = std::nextafter(v, 0.0L);
        for (int step = 0; step < 100; ++step, v = std::nextafter(v, 1e30L)) values.push_back(v);
    }
    char expected[64];
    for (const long double v : values) {
        std::snprintf(expected, sizeof expected, "%.14Le", v);
        ASSERT_EQ(ValueOf(FormatGeneral(v)), ValueOf(expected)) << expected << " vs " << FormatGeneral(v);
        ASSERT_EQ(ValueOf(FormatGeneral(-v)), -ValueOf(expected)) << expected;
    }
}

}  // namespace
}  // namespace azimora
