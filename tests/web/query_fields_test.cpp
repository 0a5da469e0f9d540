// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The page's query as the engine reads it: each value decoded as a form's
// (what a link or the page escaped reaches the readers as typed), read by
// the engine's rules, and written back for the address, readable.
#include "query_fields.h"

#include <gtest/gtest.h>

#include "errors.h"

namespace azimora::web {
namespace {

struct Decoding {
    const char* query;
    const char* key;
    const char* value;
};

class QueryDecoding : public ::testing::TestWithParam<Decoding> {};

TEST_P(QueryDecoding, GivesTheTextAsTyped) { EXPECT_EQ(Field(GetParam().query, GetParam().key), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Queries, QueryDecoding,
    ::testing::Values(Decoding{"lat=54%2036%20N&lon=5.9W", "lat", "54 36 N"}, Decoding{"lat=54+36+N", "lat", "54 36 N"},
                      Decoding{"lat=54%C2%B036'N", "lat", "54\u00B036'N"}, Decoding{"dish=0%2C8", "dish", "0,8"},
                      Decoding{"lat=1&lon=5%E2%80%B2", "lon", "5\u2032"}, Decoding{"lat=50%", "lat", "50%"},
                      Decoding{"lat=50%2", "lat", "50%2"}, Decoding{"lat=%zz1", "lat", "%zz1"},
                      Decoding{"lat=a%26b&lon=1", "lat", "a&b"}, Decoding{"lat=a%3Db", "lat", "a=b"},
                      Decoding{"lon=1", "lat", ""}, Decoding{"latitude=1&lat=2", "lat", "2"}, Decoding{"", "lat", ""}));

struct Reading {
    const char* query;
    const char* json;
};

class FieldReading : public ::testing::TestWithParam<Reading> {};

TEST_P(FieldReading, ValuesLinksAndReasons) { EXPECT_EQ(ReadFieldsJson(GetParam().query), GetParam().json); }

INSTANTIATE_TEST_SUITE_P(
    Queries, FieldReading,
    ::testing::Values(
        Reading{"lat=54%2036%20N&lon=N", R"({"lat": {"value": 54.6, "link": "54.6N"}, "lon": {"error": "the longitude 'N' is no angle: type it as 5.9W, 5 54 W or 19.2E"}})"},
        // West positive inside; the address east of 180 W as east.
        Reading{"sat=291.5&second=E%2013", R"({"sat": {"value": 291.5, "link": "68.5E"}, "second": {"value": -13, "link": "13E"}})"},
        Reading{"lat=S%2033%2052&dish=0%2C8&freq=11%2C7", R"({"lat": {"value": -33.8666666666667, "link": "33.86667S"}, "dish": {"value": 0.8, "link": "0.8"}, "freq": {"value": 11.7, "link": "11.7"}})"},
        Reading{"dish=big&landmark=360,5", R"({"dish": {"error": "the dish diameter 'big' is no number"}, "landmark": {"error": "the landmark's bearing '360,5' lies outside 0 to 360 degrees"}})"},
        Reading{"lat=91N&time=1", R"({"lat": {"error": "the latitude '91N' lies outside -90 to 90 degrees"}})"}, Reading{"", "{}"}));

TEST(FieldReading, EmptyAnglesAreNeverAssumed) {
    EXPECT_THROW((void)FieldOr("lon=5.9W", "lat", 0), Error);
    EXPECT_DOUBLE_EQ(FieldOr("lat=1", "dish", 0.6), 0.6);
    EXPECT_THROW((void)RuleOf("marks"), Error);
    EXPECT_THROW((void)RuleOf("los"), Error);  // a rule of the windows' and azimora-calc's, no field of the page
}

}  // namespace
}  // namespace azimora::web
