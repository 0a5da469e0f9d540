// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Angles and numbers as installers type them, on a desktop and on a phone
// (whose keyboard may curl a minute mark or offer a comma for a point): one
// reading for the calculator, the page and the window's dialogs.
#include "text/coordinate_text.h"

#include <gtest/gtest.h>

#include <optional>

#include "text/number_text.h"

namespace azimora {
namespace {

struct TypedAngle {
    const char* text;
    const char* letters;
    std::optional<double> value;  // north and west positive
};

class TypedAngles : public ::testing::TestWithParam<TypedAngle> {};

TEST_P(TypedAngles, ReadAsWritten) {
    const auto value = ParseAngle(GetParam().text, GetParam().letters);
    ASSERT_EQ(value.has_value(), GetParam().value.has_value()) << GetParam().text;
    if (value) {
        EXPECT_NEAR(*value, *GetParam().value, 1e-12) << GetParam().text;
    }
}

constexpr double kMinute = 1.0 / 60, kSecond = 1.0 / 3600;

INSTANTIATE_TEST_SUITE_P(
    Forms, TypedAngles,
    ::testing::Values(
        // As the calculator always read them.
        TypedAngle{"54.6N", "NS", 54.6}, TypedAngle{"33.9 S", "NS", -33.9}, TypedAngle{"5.9W", "EW", 5.9},
        TypedAngle{"19.2E", "EW", -19.2}, TypedAngle{"-5.9E", "EW", 5.9}, TypedAngle{"114.08", "EW", 114.08},
        TypedAngle{"-19.2", "EW", -19.2}, TypedAngle{"1e5E", "EW", -1e5}, TypedAngle{"19.2e", "EW", -19.2},
        // A blank, or a degree sign, before the letter; the letter first, with or without a blank.
        TypedAngle{"54.6 N", "NS", 54.6}, TypedAngle{"19.2 E", "EW", -19.2}, TypedAngle{"54.6\u00B0N", "NS", 54.6},
        TypedAngle{"54.6\u00B0 N", "NS", 54.6}, TypedAngle{"N54.6", "NS", 54.6}, TypedAngle{"N 54.6", "NS", 54.6},
        TypedAngle{"s 33.9", "NS", -33.9}, TypedAngle{"E19.2", "EW", -19.2}, TypedAngle{"W 5 54", "EW", 5 + 54 * kMinute},
        // Degrees and minutes (and seconds) with blanks or their marks.
        TypedAngle{"54 36 N", "NS", 54.6}, TypedAngle{"54 36", "NS", 54.6}, TypedAngle{"-54 36", "NS", -54.6},
        TypedAngle{"54\u00B036'N", "NS", 54.6}, TypedAngle{"54\u00B0 36' N", "NS", 54.6},
        TypedAngle{"54\u00B036\u2032N", "NS", 54.6}, TypedAngle{"5\u00B055\u203248\u2033W", "EW", 5 + 55 * kMinute + 48 * kSecond},
        TypedAngle{"54 35 49.2 N", "NS", 54 + 35 * kMinute + 49.2 * kSecond},
        TypedAngle{"54\u00B035'49.2\"N", "NS", 54 + 35 * kMinute + 49.2 * kSecond},
        TypedAngle{"54\u00B035\u201949.2\u201DN", "NS", 54 + 35 * kMinute + 49.2 * kSecond},  // curled by a phone
        TypedAngle{"54\u00BA36'N", "NS", 54.6}, TypedAngle{"54:36:00N", "NS", 54.6},
        TypedAngle{"\u22125.9", "EW", -5.9},  // the typographic minus
        // A decimal comma: in a box of its own a comma parts nothing.
        TypedAngle{"54,6N", "NS", 54.6}, TypedAngle{"54,6 N", "NS", 54.6}, TypedAngle{"0,8", "EW", 0.8},
        TypedAngle{"-5,9", "EW", -5.9}, TypedAngle{"54 36,5 N", "NS", 54 + 36.5 * kMinute},
        // Refused: the other axis's letter, two letters, a letter inside, minutes or seconds of 60, signs
        // inside, separators, two points, nothing.
        TypedAngle{"54.6E", "NS", std::nullopt}, TypedAngle{"N 54.6 N", "NS", std::nullopt},
        TypedAngle{"54 N 36", "NS", std::nullopt}, TypedAngle{"54 60 N", "NS", std::nullopt},
        TypedAngle{"54 30 60", "NS", std::nullopt}, TypedAngle{"54 -30", "NS", std::nullopt},
        TypedAngle{"54, 6", "NS", std::nullopt}, TypedAngle{"54,6,1", "NS", std::nullopt},
        TypedAngle{"54,,6", "NS", std::nullopt}, TypedAngle{"54.6.1", "NS", std::nullopt},
        TypedAngle{"54,6.1", "NS", std::nullopt}, TypedAngle{"54 36 12 1", "NS", std::nullopt},
        TypedAngle{"E", "EW", std::nullopt}, TypedAngle{"-E", "EW", std::nullopt}, TypedAngle{"", "EW", std::nullopt},
        TypedAngle{"\u00B0", "EW", std::nullopt}, TypedAngle{"north", "NS", std::nullopt},
        TypedAngle{"54%2036%20N", "NS", std::nullopt}, TypedAngle{"1e999", "NS", std::nullopt},
        TypedAngle{"nan", "NS", std::nullopt}));

struct TypedNumber {
    const char* text;
    std::optional<long double> value;
};

class TypedNumbers : public ::testing::TestWithParam<TypedNumber> {};

TEST_P(TypedNumbers, TakeACommaForAPoint) { EXPECT_EQ(ParseTypedNumber(GetParam().text), GetParam().value) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Forms, TypedNumbers,
    ::testing::Values(TypedNumber{"0.8", 0.8L}, TypedNumber{"0,8", 0.8L}, TypedNumber{" 12,5 ", 12.5L},
                      TypedNumber{"-22,3", -22.3L}, TypedNumber{"1,5e3", 1500}, TypedNumber{"212", 212},
                      TypedNumber{"1,234.5", std::nullopt}, TypedNumber{"1.234,5", std::nullopt},
                      TypedNumber{"1,234,567", std::nullopt}, TypedNumber{",5", std::nullopt},
                      TypedNumber{"5,", std::nullopt}, TypedNumber{"5, 1", std::nullopt}, TypedNumber{",", std::nullopt},
                      TypedNumber{"0%2C8", std::nullopt}, TypedNumber{"", std::nullopt}));

// The window's pair of coordinates: a comma parts them where it can; where
// it cannot, it is a decimal point.
struct TypedPair {
    const char* text;
    double latitude, west;
};

class TypedPairs : public ::testing::TestWithParam<TypedPair> {};

TEST_P(TypedPairs, CommaPartsWhereItCan) {
    const auto place = ParseCoordinates(GetParam().text);
    ASSERT_TRUE(place) << GetParam().text;
    EXPECT_NEAR(place->latitude, GetParam().latitude, 1e-12) << GetParam().text;
    EXPECT_NEAR(place->longitudeWest, GetParam().west, 1e-12) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TypedPairs,
    ::testing::Values(TypedPair{"51,5", 51, -5}, TypedPair{"51.0447, -114.0719", 51.0447, 114.0719},
                      TypedPair{"51,0833 N 114,0833 W", 51.0833, 114.0833}, TypedPair{"51,5, -0,1", 51.5, 0.1},
                      TypedPair{"51,5 N; 0,1 E", 51.5, -0.1}, TypedPair{"54\u00B035\u201949\u201DN 5\u00B055\u201948\u201DW",
                                                                      54 + 35 * kMinute + 49 * kSecond,
                                                                      5 + 55 * kMinute + 48 * kSecond}));

}  // namespace
}  // namespace azimora
