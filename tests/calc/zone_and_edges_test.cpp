// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc in a site's own time zone, and its figures at the edges:
// hemisphere letters, satellites out of sight, formula injection, JSON Lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string_view>
#include <vector>

#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"
#include "text/coordinate_text.h"
#include "zone_time.h"

namespace azimora::calc {
namespace {

// Denver changed from MST (UTC-7) to MDT (UTC-6) at 2026-03-08 02:00 local
// (the tz database's rule for America/Denver, US rules since 2007).
TEST(CalcZones, TimesInTheZoneWithItsOffsetAcrossAChangeOfClocks) {
    const auto denver = ZoneTime::Named("America/Denver");
    ASSERT_TRUE(denver);
    const UnixSeconds winter = StartOfDay({2026, 12, 7}) + 18 * 3600 + 51 * 60 + 37;
    EXPECT_EQ(denver->Iso(winter), "2026-12-07T11:51:37-07:00");
    EXPECT_EQ(denver->TimeOfDay(winter), "11:51:37 MST");
    const UnixSeconds summer = StartOfDay({2026, 7, 1}) + 18 * 3600;
    EXPECT_EQ(denver->Iso(summer), "2026-07-01T12:00:00-06:00");
    EXPECT_EQ(denver->TimeOfDay(summer), "12:00:00 MDT");
    // The day of the change has 23 hours.
    const UnixSeconds change = StartOfDay({2026, 3, 8}) + 12 * 3600;
    EXPECT_EQ(denver->StartOfNextDay(change) - denver->StartOfDay(change), 23 * 3600);
    EXPECT_EQ(denver->Iso(denver->StartOfDay(change)), "2026-03-08T00:00:00-07:00");
    // A zone off the whole hour, and UTC as before.
    EXPECT_EQ(ZoneTime::Named("Asia/Kathmandu")->Iso(winter), "2026-12-08T00:36:37+05:45");
    EXPECT_EQ(ZoneTime().Iso(winter), "2026-12-07T18:51:37Z");
    EXPECT_FALSE(ZoneTime::Named("Nowhere/Atlantis"));
    EXPECT_FALSE(ZoneTime::Named("../zoneinfo/UTC"));
}

// A day given with --tz is that zone's day: its midnight, by the tz
// database's offsets (Denver's MST UTC-7 in December, Kiritimati UTC+14,
// Kathmandu UTC+5:45); without --tz, UTC's.
TEST(CalcZones, ADayWithAZoneStartsAtTheZonesMidnight) {
    struct Case {
        std::vector<std::string_view> args;
        UnixSeconds expected;
    };
    const UnixSeconds utcMidnight = StartOfDay({2026, 12, 7});
    const std::vector<Case> cases = {
        {{"--date", "2026-12-07", "--tz", "America/Denver"}, utcMidnight + 7 * 3600},
        {{"--tz", "America/Denver", "--date", "2026-12-07"}, utcMidnight + 7 * 3600},
        {{"--date", "2026-12-07", "--tz", "Pacific/Kiritimati"}, utcMidnight - 14 * 3600},
        {{"--date", "2026-12-07", "--tz", "Asia/Kathmandu"}, utcMidnight - (5 * 3600 + 45 * 60)},
        {{"--date", "2026-12-07"}, utcMidnight},
        {{"--date", "2026-12-07T12:00:00Z", "--tz", "America/Denver"}, utcMidnight + 12 * 3600},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> args = {"--sat-lon", "107.3", "--lat", "51.08", "--lon", "114.08"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto parsed = ParseCalcArguments(args, 0);
        ASSERT_TRUE(std::holds_alternative<CalcOptions>(parsed)) << c.args[1];
        EXPECT_EQ(std::get<CalcOptions>(parsed).inputs.instant, c.expected) << c.args[1] << " " << c.args.back();
    }
}

TEST(CalcZones, TheTableAndJsonSpeakTheZone) {
    InstallationInputs inputs;
    inputs.latitude = 51.08;
    inputs.longitudeWest = 114.08;
    inputs.satelliteLongitudeWest = 107.3;
    inputs.instant = StartOfDay({2026, 12, 7}) + 20 * 3600;  // 13:00 MST
    const auto zone = *ZoneTime::Named("America/Denver");
    const CalcReport report = ComputeSiteReport(inputs, zone);
    ASSERT_EQ(report.sunAlignments.size(), 1u);  // Calgary's day, not UTC's
    const std::string table = PlainReport(report, zone);
    EXPECT_NE(table.find(" MST"), std::string::npos) << table;
    EXPECT_EQ(table.find(" UTC"), std::string::npos) << table;
    const std::string json = JsonReport(report, zone);
    EXPECT_NE(json.find("-07:00\""), std::string::npos) << json;
    EXPECT_EQ(json.find("Z\""), std::string::npos) << json;
    // Outages are in spring (MDT) and autumn: each names its own offset.
    EXPECT_NE(json.find("-06:00\""), std::string::npos) << json;
}

// --tz site: each site in the zone its boundary gives (the tz database's
// offsets: Cancun keeps EST, UTC-5, all year; Denpasar WITA, UTC+8; Hanga
// Roa is UTC-5 in Easter Island's summer), a day of --date as that zone's,
// a site at sea in the nautical zone of its longitude, said plainly.
TEST(CalcZones, TheSitesOwnZone) {
    struct Case {
        std::vector<std::string_view> site;  // and a satellite it sees
        const char* zone;
        const char* offset;  // of the first sun outage's start
        bool atSea;
    };
    for (const Case& c : {Case{{"--lat", "21.1667", "--lon", "86.8333", "--sat-lon", "97"}, "America/Cancun", "-05:00", false},
                          Case{{"--lat", "8.65S", "--lon", "115.2167E", "--sat-lon", "108.2E"}, "Asia/Makassar", "+08:00", false},
                          Case{{"--lat", "27.15S", "--lon", "109.4333W", "--sat-lon", "100W"}, "Pacific/Easter", "-05:00", false},
                          Case{{"--lat", "30", "--lon", "40", "--sat-lon", "30"}, "Etc/GMT+3", "-03:00", true}}) {
        std::vector<std::string_view> args = {"--tz", "site", "--date", "2026-03-01"};
        args.insert(args.end(), c.site.begin(), c.site.end());
        const auto parsed = ParseCalcArguments(args, 0);
        ASSERT_TRUE(std::holds_alternative<CalcOptions>(parsed)) << c.zone;
        const CalcOptions& options = std::get<CalcOptions>(parsed);
        EXPECT_TRUE(options.siteZone);
        ASSERT_TRUE(options.day.has_value());
        const SiteZoneTime site = ZoneOfSite(options.inputs.latitude, options.inputs.longitudeWest);
        EXPECT_EQ(site.name, c.zone);
        EXPECT_EQ(site.atSea, c.atSea);
        InstallationInputs inputs = options.inputs;
        inputs.instant = site.zone.Midnight(2026, 3, 1);
        CalcReport report = ComputeSiteReport(inputs, site.zone);
        report.siteZone = site;
        const std::string json = JsonReport(report, site.zone);
        EXPECT_NE(json.find(std::string("\"time_zone\": \"") + c.zone + "\", \"time_zone_source\": \"" +
                            (c.atSea ? "sea" : "boundary") + "\""),
                  std::string::npos)
            << json;
        EXPECT_NE(json.find(std::string(c.offset) + "\""), std::string::npos) << json;
        const std::string table = PlainReport(report, site.zone);
        EXPECT_NE(table.find(c.atSea ? "the nautical zone of the longitude: the site lies at sea"
                                     : "whose boundary holds the site"),
                  std::string::npos)
            << table;
    }
}

TEST(CalcEdges, OutOfSightGivesNullsAndNoOutages) {
    InstallationInputs inputs;
    inputs.latitude = 51.08;
    inputs.longitudeWest = 114.08;
    inputs.satelliteLongitudeWest = -19.2;
    inputs.instant = StartOfDay({2026, 12, 7});
    const ZoneTime utc;
    const std::string json = JsonReport(ComputeSiteReport(inputs, utc), utc);
    for (const char* field : {"\"visible\": false", "\"skew\": null", "\"motor_angle\": null",
                              "\"motor_declination_offset\": null", "\"dish_tilt\": null", "\"sun_outages\": []"})
        EXPECT_NE(json.find(field), std::string::npos) << field << " in " << json;
    const std::string table = PlainReport(ComputeSiteReport(inputs, utc), utc);
    EXPECT_NE(table.find("cannot be seen from this site"), std::string::npos) << table;
    EXPECT_EQ(table.find("nan"), std::string::npos) << table;
    // Straight under the satellite: words, and null.
    inputs.latitude = 0;
    inputs.longitudeWest = inputs.satelliteLongitudeWest = 10;
    EXPECT_NE(PlainReport(ComputeSiteReport(inputs, utc), utc).find("straight overhead"), std::string::npos);
    EXPECT_NE(JsonReport(ComputeSiteReport(inputs, utc), utc).find("\"skew\": null"), std::string::npos);
    // A face tilted forward says so.
    inputs.latitude = 69;
    inputs.longitudeWest = inputs.satelliteLongitudeWest = 20;
    EXPECT_NE(PlainReport(ComputeSiteReport(inputs, utc), utc)
                  .find("Dish face tilt        -9.76 deg on an inclinometer: the face tilted forward, looking down, for an offset of 22.3 deg\n"),
              std::string::npos)
        << PlainReport(ComputeSiteReport(inputs, utc), utc);
}

// Due north of a southern site: the table says 0.00, never 360.00.
TEST(CalcEdges, DueNorthIsZero) {
    InstallationInputs inputs;
    inputs.latitude = -33.8688;
    inputs.longitudeWest = inputs.satelliteLongitudeWest = -151.2093;
    inputs.instant = StartOfDay({2026, 12, 7});
    const ZoneTime utc;
    const std::string table = PlainReport(ComputeSiteReport(inputs, utc), utc);
    EXPECT_NE(table.find("Azimuth (true)        0.00 deg\n"), std::string::npos) << table;
    EXPECT_EQ(table.find("360.00"), std::string::npos) << table;
}

TEST(CalcConventions, AnglesWithTheirHemisphere) {
    struct Case {
        const char* text;
        const char* letters;
        std::optional<double> value;
    };
    for (const Case& c : {Case{"54.6N", "NS", 54.6}, Case{"33.9 S", "NS", -33.9}, Case{"5.9W", "EW", 5.9},
                          Case{"19.2E", "EW", -19.2}, Case{"-5.9E", "EW", 5.9}, Case{"19.2e", "EW", -19.2},
                          Case{"114.08", "EW", 114.08}, Case{"-19.2", "EW", -19.2}, Case{"54.6E", "NS", std::nullopt},
                          Case{"E", "EW", std::nullopt}, Case{"-E", "EW", std::nullopt}, Case{"1e5E", "EW", -1e5}}) {
        EXPECT_EQ(ParseAngle(c.text, c.letters), c.value) << c.text;
    }
}

// A name a spreadsheet would run as a formula is written with a leading "'"; numbers stay numbers.
TEST(CalcConventions, FormulaInjectionIsNeutralised) {
    struct Case {
        const char* cell;
        const char* written;
    };
    for (const Case& c : {Case{"=1+1", "'=1+1"}, Case{"+SUM(A1)", "'+SUM(A1)"}, Case{"-cmd|' /C calc'!A0", "'-cmd|' /C calc'!A0"},
                          Case{"@SUM(1)", "'@SUM(1)"}, Case{"\tx", "'\tx"}, Case{"\rx", "\"'\rx\""}, Case{"-19.2", "-19.2"},
                          Case{"+5", "+5"}, Case{"Calgary", "Calgary"}, Case{"a,b", "\"a,b\""}, Case{"=a,b", "\"'=a,b\""}}) {
        EXPECT_EQ(CsvTextCell(c.cell), c.written) << c.cell;
    }
    std::istringstream in("name,lat,lon\n=HYPERLINK(1),51.08,114.08\n");
    std::ostringstream out;
    BatchSettings settings;
    settings.defaults.instant = StartOfDay({2026, 12, 7});
    settings.satelliteLongitude = 107.3;
    const BatchResult result = RunBatch(in, out, settings);
    EXPECT_EQ(result.failed, 0u);
    EXPECT_NE(out.str().find("\n'=HYPERLINK(1),51.08,114.08,107.3,171.306422331434,"), std::string::npos) << out.str();
}

TEST(CalcBatchOptions, EveryRowTakesTheCommandLinesValues) {
    std::istringstream in("Lat,LON,name,sat_lon\n\"51.08\",\"114.08W\",\"Calgary, AB\",\n\t54.6N ,5.93W,Belfast,19.2E\n");
    std::ostringstream out;
    BatchSettings settings;
    settings.defaults.instant = StartOfDay({2026, 12, 7});
    settings.defaults.offsetAngle = 17;
    settings.satelliteLongitude = 107.3;
    settings.zone = *ZoneTime::Named("America/Denver");
    EXPECT_EQ(RunBatch(in, out, settings).failed, 0u);
    std::vector<std::string> lines;
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u) << out.str();
    // The default satellite written for the empty sat_lon, the offset in the face tilt, the zone in the outage.
    EXPECT_TRUE(lines[1].starts_with("\"Calgary, AB\",51.08,114.08W,107.3,171.306422331434,")) << lines[1];
    EXPECT_NE(lines[1].find(",14.19207905"), std::string::npos) << lines[1];  // 31.192 - 17
    EXPECT_NE(lines[1].find("-07:00,"), std::string::npos) << lines[1];       // late February: MST
    EXPECT_TRUE(lines[2].starts_with("Belfast,54.6N,5.93W,19.2E,")) << lines[2];
}

}  // namespace
}  // namespace azimora::calc
