// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "errors.h"

namespace azimora {
namespace {

struct Formatted {
    long double value;
    const char* text;
};

class GeneralFormat : public ::testing::TestWithParam<Formatted> {};

TEST_P(GeneralFormat, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GeneralFormat,
    ::testing::Values(Formatted{0, "0"}, Formatted{-0.0L, "0"}, Formatted{180, "180"}, Formatted{360, "360"},
                      Formatted{171.3064223314339014L, "171.306422331434"}, Formatted{-8.5L, "-8.5"},
                      Formatted{0.0001L, "0.0001"}, Formatted{0.00012345L, "0.00012345"},
                      Formatted{0.00001L, "1E-5"}, Formatted{-0.000015L, "-1.5E-5"},
                      Formatted{999999999999999, "999999999999999"}, Formatted{1e15L, "1E15"},
                      Formatted{1.5e20L, "1.5E20"}, Formatted{123456789012345678.0L, "1.23456789012346E17"},
                      // Rounding to 15 digits can carry into the next power of ten.
                      Formatted{9999999999999999.0L, "1E16"}, Formatted{0.99999999999999999L, "1"},
                      Formatted{1.0L / 3, "0.333333333333333"}, Formatted{2.0L / 3, "0.666666666666667"},
                      Formatted{1e-4000L, "1E-4000"}));

TEST(GeneralFormat, RejectsNonFiniteValues) {
    EXPECT_THROW((void)FormatGeneral(std::numeric_limits<long double>::infinity()), MathError);
    EXPECT_THROW((void)FormatGeneral(std::numeric_limits<long double>::quiet_NaN()), MathError);
}

struct FixedTrimmed {
    double value;
    int decimals;
    const char* text;
};

class FixedFormat : public ::testing::TestWithParam<FixedTrimmed> {};

TEST_P(FixedFormat, RoundsTheExactBinaryValue) {
    EXPECT_EQ(FormatFixed(GetParam().value, GetParam().decimals), GetParam().text);
}

// 1.005 and 2.675 are stored just below their halves, 0.125 exactly at one
// (rounded to even, as C's printf does).
INSTANTIATE_TEST_SUITE_P(Texts, FixedFormat,
                         ::testing::Values(FixedTrimmed{1.005, 2, "1.00"}, FixedTrimmed{2.675, 2, "2.67"},
                                           FixedTrimmed{0.125, 2, "0.12"}, FixedTrimmed{0.375, 2, "0.38"},
                                           FixedTrimmed{-0.001, 2, "-0.00"}, FixedTrimmed{-0.0, 1, "-0.0"},
                                           FixedTrimmed{12.5, 0, "12"}, FixedTrimmed{180, 3, "180.000"}));

class FixedTrimmedFormat : public ::testing::TestWithParam<FixedTrimmed> {};

TEST_P(FixedTrimmedFormat, DropsTrailingZerosAndTheSignOfZero) {
    EXPECT_EQ(FormatFixedTrimmed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FixedTrimmedFormat,
    ::testing::Values(FixedTrimmed{19.2, 3, "19.2"}, FixedTrimmed{0.6, 3, "0.6"}, FixedTrimmed{54.597, 4, "54.597"},
                      FixedTrimmed{180, 4, "180"}, FixedTrimmed{100, 0, "100"}, FixedTrimmed{-8.5, 2, "-8.5"},
                      FixedTrimmed{51.08333333, 4, "51.0833"}, FixedTrimmed{-114.08336, 4, "-114.0834"},
                      // Rounded to nothing, or zero itself, is "0" whatever its sign.
                      FixedTrimmed{0, 4, "0"}, FixedTrimmed{-0.0, 4, "0"}, FixedTrimmed{-0.00001, 4, "0"},
                      FixedTrimmed{0.99999, 3, "1"}, FixedTrimmed{-0.99999, 3, "-1"},
                      FixedTrimmed{1e22, 2, "10000000000000000000000"}));

TEST(FixedTrimmedFormat, WritesTheLargestNumbersWhole) {
    // The largest double has 309 integer digits; 17 decimals still fit beside them.
    EXPECT_EQ(FormatFixedTrimmed(std::numeric_limits<double>::max(), 17).size(), 309U);
    EXPECT_EQ(FormatFixedTrimmed(-std::numeric_limits<double>::max(), 17).size(), 310U);
}

struct Parsed {
    const char* text;
    std::optional<long double> value;
};

class NumberConversion : public ::testing::TestWithParam<Parsed> {};

TEST_P(NumberConversion, FollowsTheCoordinateGrammar) {
    const auto result = ParseNumber(GetParam().text);
    ASSERT_EQ(result.has_value(), GetParam().value.has_value()) << GetParam().text;
    if (result) {
        EXPECT_EQ(*result, *GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberConversion,
    ::testing::Values(Parsed{"51.08", 51.08L}, Parsed{"114.", 114}, Parsed{".5", 0.5L}, Parsed{".", 0},
                      Parsed{"-.", 0}, Parsed{"-21", -21}, Parsed{"+7", 7}, Parsed{"  12.5  ", 12.5L},
                      Parsed{"0.00", 0}, Parsed{"1E3", 1000}, Parsed{"1e-3", 0.001L}, Parsed{"-2.5E+2", -250},
                      Parsed{"0.00000001", 0.00000001L}, Parsed{"1e-5000", 0}, Parsed{"0e99999999999999999999", 0},
                      Parsed{"", std::nullopt}, Parsed{" ", std::nullopt}, Parsed{"-", std::nullopt},
                      Parsed{"+", std::nullopt}, Parsed{"--1", std::nullopt}, Parsed{"1.2.3", std::nullopt},
                      Parsed{"1,5", std::nullopt}, Parsed{"1e", std::nullopt}, Parsed{"e5", std::nullopt},
                      Parsed{"1 2", std::nullopt}, Parsed{"abc", std::nullopt}, Parsed{"inf", std::nullopt},
                      Parsed{"nan", std::nullopt}, Parsed{"0x10", std::nullopt}, Parsed{"\t1", std::nullopt},
                      Parsed{"1e5000", std::nullopt}, Parsed{"-1e99999999999999999999", std::nullopt}));

TEST(NumberConversion, LargestValuesStillConvert) {
    const auto value = ParseNumber("1e4930");
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(std::isfinite(*value));
}

TEST(NumberConversion, ErrorMessageQuotesTheText) {
    for (const char* text : {"", "-", "12a"}) {
        try {
            (void)ConvertNumber(text);
            ADD_FAILURE() << text;
        } catch (const ConvertError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

}  // namespace
}  // namespace azimora
