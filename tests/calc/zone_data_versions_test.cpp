// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc follows the zone rules the system has, whichever version:
// the same cases on two versions of the tz database that disagree about
// Alberta. Expected values from the rules' text (data/zoneinfo/):
//   2025b  Z America/Edmonton ... -7 C M%sT          (MDT from the second
//          Sunday of March, MST from the first Sunday of November, 02:00)
//   2026f  Z America/Edmonton ... -7 C M%sT 2026 Jun 18
//                                 -7 C MDT 2026 N 1 2
//                                 -6 - CST          (UTC-6 all year)
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "calc_options.h"
#include "zone_data.h"
#include "zone_time.h"

namespace azimora::calc {
namespace {

class ZoneDataVersions : public ::testing::Test {
protected:
    void TearDown() override { testing::UseZoneData(testing::kPinnedZoneData); }
};

UnixSeconds Utc(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return StartOfDay({year, month, day}) + hour * 3600 + minute * 60 + second;
}

TEST_F(ZoneDataVersions, AnInstantReadsAsTheRulesOfTheVersionSay) {
    struct Case {
        const char* version;
        UnixSeconds instant;
        const char* iso;
        const char* clock;
    };
    const std::vector<Case> cases = {
        {"2025b", Utc(2026, 12, 7, 18, 51, 37), "2026-12-07T11:51:37-07:00", "11:51:37 MST"},
        {"2026f", Utc(2026, 12, 7, 18, 51, 37), "2026-12-07T12:51:37-06:00", "12:51:37 CST"},
        {"2025b", Utc(2026, 7, 1, 18), "2026-07-01T12:00:00-06:00", "12:00:00 MDT"},
        {"2026f", Utc(2026, 7, 1, 18), "2026-07-01T12:00:00-06:00", "12:00:00 MDT"},
        {"2025b", Utc(2027, 7, 1, 18), "2027-07-01T12:00:00-06:00", "12:00:00 MDT"},
        {"2026f", Utc(2027, 7, 1, 18), "2027-07-01T12:00:00-06:00", "12:00:00 CST"},
        {"2025b", Utc(2026, 2, 25, 19, 16), "2026-02-25T12:16:00-07:00", "12:16:00 MST"},
        {"2026f", Utc(2026, 2, 25, 19, 16), "2026-02-25T12:16:00-07:00", "12:16:00 MST"},
    };
    for (const Case& c : cases) {
        testing::UseZoneData(c.version);
        const auto edmonton = ZoneTime::Named("America/Edmonton");
        ASSERT_TRUE(edmonton) << c.version;
        EXPECT_EQ(edmonton->Iso(c.instant), c.iso) << c.version;
        EXPECT_EQ(edmonton->TimeOfDay(c.instant), c.clock) << c.version;
    }
}

TEST_F(ZoneDataVersions, ADayLastsWhatTheRulesOfTheVersionMakeIt) {
    struct Case {
        const char* version;
        UnixSeconds noon;  // of the day, in UTC
        long hours;
    };
    const std::vector<Case> cases = {
        {"2025b", Utc(2026, 3, 8, 19), 23},  {"2026f", Utc(2026, 3, 8, 19), 23},
        {"2025b", Utc(2026, 11, 1, 19), 25}, {"2026f", Utc(2026, 11, 1, 19), 24},
        {"2025b", Utc(2027, 3, 14, 19), 23}, {"2026f", Utc(2027, 3, 14, 18), 24},
        {"2025b", Utc(2026, 12, 7, 19), 24}, {"2026f", Utc(2026, 12, 7, 18), 24},
    };
    for (const Case& c : cases) {
        testing::UseZoneData(c.version);
        const auto edmonton = ZoneTime::Named("America/Edmonton");
        ASSERT_TRUE(edmonton) << c.version;
        EXPECT_EQ(edmonton->StartOfNextDay(c.noon) - edmonton->StartOfDay(c.noon), c.hours * 3600)
            << c.version << " " << edmonton->Date(c.noon);
    }
}

// --date with --tz: the day starts at the zone's midnight as the version has it.
TEST_F(ZoneDataVersions, ADayOfTheCommandLineStartsAtTheVersionsMidnight) {
    struct Case {
        const char* version;
        const char* date;
        UnixSeconds midnight;
    };
    const std::vector<Case> cases = {
        {"2025b", "2026-12-07", Utc(2026, 12, 7, 7)},
        {"2026f", "2026-12-07", Utc(2026, 12, 7, 6)},
        {"2025b", "2026-02-20", Utc(2026, 2, 20, 7)},
        {"2026f", "2026-02-20", Utc(2026, 2, 20, 7)},
    };
    for (const Case& c : cases) {
        testing::UseZoneData(c.version);
        const std::vector<std::string_view> args = {"--sat-lon", "107.3", "--lat", "51.08", "--lon", "114.08",
                                                    "--date",    c.date,  "--tz",  "America/Edmonton"};
        const auto parsed = ParseCalcArguments(args, 0);
        ASSERT_TRUE(std::holds_alternative<CalcOptions>(parsed)) << c.version;
        EXPECT_EQ(std::get<CalcOptions>(parsed).inputs.instant, c.midnight) << c.version << " " << c.date;
    }
}

}  // namespace
}  // namespace azimora::calc
