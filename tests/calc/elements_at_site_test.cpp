// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc --tle FILE --lat --lon: each object seen from the site over
// the day, its daily motion as JSON, CSV or a table; held against the
// engine's reference days (tests/engine/motion/data, python3-sgp4 and a
// topocentric conversion of the tests' own).
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "calc_options.h"
#include "csv_table.h"
#include "shell_command.h"
#include "temp_folder.h"
#include "text/csv_reader.h"
#include "text/json_reader.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
using azimora::testing::RunShellCommand;

const std::string kCalc = AZIMORA_CALC;

using Row = azimora::testing::CsvRow;

std::vector<Row> ReferenceDays() {
    return azimora::testing::ReadCsvTable(std::string(AZIMORA_MOTION_TEST_DATA) + "/daily_motion.csv");
}

// Two synthetic sets of 2026-04-10 (tests/engine/motion/data/README.md): 1.05
// degrees at 30 W, 6.2 degrees at 75 W.
const std::string kTwoSets =
    "INCLINED 1.05\n"
    "1 90102U 26001A   26100.00000000  .00000000  00000-0  00000-0 0  9990\n"
    "2 90102   1.0500  78.0000 0000300 200.0000 250.2399  1.00272000    13\n"
    "INCLINED 6.2\n"
    "1 90103U 26001A   26100.00000000  .00000000  00000-0  00000-0 0  9991\n"
    "2 90103   6.2000  60.0000 0000400 120.0000 303.2399  1.00270000    16\n";

class CalcElementsAtSite : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;
    std::string File(const std::string& name, const std::string& text) {
        azimora::testing::WriteFile(folder.Path() / name, text);
        return (folder.Path() / name).string();
    }
};

double Number(const JsonValue& object, const char* key) {
    const JsonValue* value = object.Find(key);
    EXPECT_TRUE(value && value->kind == JsonValue::Kind::Number) << key;
    return value && value->kind == JsonValue::Kind::Number ? std::stod(value->text) : NAN;
}

// Every reference day through the command line: the figures it prints are
// the engine's, to the reference's tolerances.
TEST_F(CalcElementsAtSite, TheReferenceDaysAsJson) {
    const std::vector<Row> rows = ReferenceDays();
    ASSERT_GE(rows.size(), 10u);
    int index = 0;
    for (const Row& row : rows) {
        const std::string file = File("set" + std::to_string(++index) + ".tle",
                                      "CASE\n" + row.at("line1") + "\n" + row.at("line2") + "\n");
        const ProgramRun run = RunShellCommand(
            kCalc + " --tle " + file + " --lat " + row.at("lat") + " --lon " + row.at("lon") + " --altitude-km " +
            row.at("alt_km") + " --dish-m " + row.at("dish_m") + " --freq-ghz " + row.at("freq_ghz") + " --date " +
            IsoUtc(std::stod(row.at("day"))).substr(0, 10) + " --json 2>/dev/null");
        ASSERT_EQ(run.status, 0) << row.at("case") << ": " << run.out;
        const JsonValue line = ParseJson(run.out);
        const JsonValue* motion = line.Find("daily_motion");
        ASSERT_TRUE(motion) << run.out;
        const std::string& name = row.at("case");
        EXPECT_NEAR(Number(*motion, "inclination_deg"), std::stod(row.at("inclination")), 0.001) << name;
        EXPECT_NEAR(Number(*motion, "swing_deg"), std::stod(row.at("swing")), 0.001) << name;
        ASSERT_TRUE(motion->Find("best_aim")) << run.out;
        EXPECT_NEAR(Number(*motion->Find("best_aim"), "elevation"), std::stod(row.at("aim_el")), 0.001) << name;
        EXPECT_NEAR(Number(*motion, "largest_error_deg"), std::stod(row.at("largest_error")), 0.001) << name;
        const JsonValue* loss = motion->Find("peak_loss_db");
        ASSERT_TRUE(loss) << run.out;
        if (row.at("peak_loss").empty()) {
            EXPECT_EQ(loss->kind, JsonValue::Kind::Null) << name;
        } else {
            EXPECT_NEAR(Number(*motion, "peak_loss_db"), std::stod(row.at("peak_loss")), 0.01) << name;
        }
        EXPECT_NEAR(Number(*motion, "hours_within_1db"), std::stod(row.at("hours_1db")), 5.0 / 60) << name;
        EXPECT_NEAR(Number(*motion, "hours_within_3db"), std::stod(row.at("hours_3db")), 5.0 / 60) << name;
        const JsonValue* worst = motion->Find("worst_times");
        ASSERT_TRUE(worst) << run.out;
        std::istringstream expected(row.at("worst_times"));
        std::size_t count = 0;
        for (double t; expected >> t; ++count) {
            ASSERT_LT(count, worst->items.size()) << name;
            const auto instant = ParseIsoInstant(worst->items[count].text);
            ASSERT_TRUE(instant) << worst->items[count].text;
            EXPECT_NEAR(instant->instant, t, 300) << name;
        }
        EXPECT_EQ(count, worst->items.size()) << name;
    }
}

// The keys in order, as one JSON object a line; the day's times in the zone.
TEST_F(CalcElementsAtSite, JsonLinesWithTheKeysInOrder) {
    const ProgramRun run = RunShellCommand(kCalc + " --tle " + File("two.tle", kTwoSets) +
                                           " --lat 38.72 --lon 9.14 --date 2026-04-12 --tz Europe/Lisbon --json");
    ASSERT_EQ(run.status, 0) << run.out;
    std::istringstream lines(run.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        std::size_t position = 0;
        for (const char* key : {"name", "catalogue_number", "sat_lon", "inclination", "drift_per_day", "epoch_age_days",
                                "warning", "azimuth", "elevation", "daily_motion", "inclination_deg", "swing_deg",
                                "best_aim", "azimuth", "elevation", "largest_error_deg", "peak_loss_db",
                                "hours_within_1db", "hours_within_3db", "worst_times", "beamwidth_deg", "nominal_lon",
                                "nominal_aim", "nominal_error_deg", "hours_above_horizon", "station_kept",
                                "elements_outdated", "inclination_rate_deg_per_year", "verdict", "verdict_text",
                                "inclination_text", "elements_text", "version", "format"}) {
            const std::size_t found = line.find(std::string("\"") + key + "\": ", position);
            ASSERT_NE(found, std::string::npos) << key << " in " << line;
            position = found;
        }
        // Lisbon keeps summer time (UTC+1) on 2026-04-12: the day runs from 2026-04-11T23:00Z.
        const JsonValue object = ParseJson(line);
        for (const JsonValue& t : object.Find("daily_motion")->Find("worst_times")->items) {
            EXPECT_TRUE(std::regex_match(t.text, std::regex(R"(2026-04-1[23]T\d\d:\d\d:\d\d\+01:00)"))) << t.text;
            EXPECT_TRUE(t.text < "2026-04-13T00:00:01+01:00") << t.text;
        }
    }
    EXPECT_EQ(count, 2);
    EXPECT_NE(run.out.find("\"verdict\": \"fades\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"verdict\": \"needs_tracking_mount\""), std::string::npos) << run.out;
}

TEST_F(CalcElementsAtSite, CsvColumnsOfTheSameNames) {
    const ProgramRun run =
        RunShellCommand(kCalc + " --tle " + File("two.tle", kTwoSets) + " --lat 38.72 --lon 9.14 --date 2026-04-12");
    ASSERT_EQ(run.status, 0) << run.out;
    std::istringstream in(run.out);
    CsvReader reader(in);
    std::vector<std::string> header, fields;
    ASSERT_EQ(reader.Next(header), CsvReader::Status::Record);
    const std::vector<std::string> expected = {
        "name", "catalogue_number", "sat_lon", "inclination", "drift_per_day", "epoch_age_days", "warning", "azimuth",
        "elevation", "inclination_deg", "swing_deg", "best_aim_azimuth", "best_aim_elevation", "largest_error_deg",
        "peak_loss_db", "hours_within_1db", "hours_within_3db", "worst_times", "beamwidth_deg", "nominal_lon",
        "nominal_aim_azimuth", "nominal_aim_elevation", "nominal_error_deg", "hours_above_horizon", "station_kept",
        "elements_outdated", "inclination_rate_deg_per_year", "verdict", "verdict_text"};
    EXPECT_EQ(header, expected);
    std::vector<std::vector<std::string>> rows;
    while (reader.Next(fields) == CsvReader::Status::Record) rows.push_back(fields);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) EXPECT_EQ(row.size(), expected.size());
    EXPECT_EQ(rows[0][27], "fades");
    EXPECT_TRUE(std::regex_match(rows[0][17], std::regex(R"(2026-04-12T\d\d:\d\d:\d\dZ( 2026-04-1[23]T\d\d:\d\d:\d\dZ)+)")))
        << rows[0][17];
    EXPECT_EQ(rows[1][14], "") << "beyond the main beam, the loss is no number";
    EXPECT_EQ(rows[1][27], "needs_tracking_mount");
}

TEST_F(CalcElementsAtSite, ATableForAPerson) {
    const ProgramRun run = RunShellCommand(kCalc + " --tle " + File("two.tle", kTwoSets) +
                                           " --lat 38.72 --lon 9.14 --date 2026-04-12 --dish-m 0.6 --freq-ghz 11.7 --table");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.rfind("Site                  38.72 N, 9.14 W\n"
                            "Dish                  0.60 m at 11.70 GHz, a half-power beam of 2.99 deg\n"
                            "Day                   24 hours from 2026-04-12 00:00:00 UTC\n\n"
                            "Object                   Number Sat lon  Incl  Swing Aim az Aim el Error Peak loss         "
                            "    1 dB h 3 dB h Verdict\n",
                            0),
              0u)
        << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\nINCLINED 1.05 +90102  30.00 W  1.04  2.31 .* 1.80 dB +12.8 +24.0 "
                                                      "+fades for 11.2 hours a day around .*, down to 1.80 dB\n")))
        << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\nINCLINED 6.2 +90103 .* outside the main beam .*needs a tracking "
                                                      "mount: a fixed dish loses it for .* hours a day around .*\n")))
        << run.out;
    EXPECT_NE(run.out.find("\nINCLINED 6.2: inclined 6.19 deg; one element set tells no rate: left alone, it grows about "
                           "0.8 deg a year\n"),
              std::string::npos)
        << run.out;
}

// Two sets of one object two months apart: the inclination's rate between them.
TEST_F(CalcElementsAtSite, TheRateFromTwoSetsOfOneObject) {
    const std::string later =
        "INCLINED 1.05\n"
        "1 90102U 26001A   26160.00000000  .00000000  00000-0  00000-0 0  9996\n"
        "2 90102   1.1800  78.0000 0000300 200.0000 250.2399  1.00272000    17\n";
    const std::string sets = kTwoSets.substr(0, kTwoSets.find("INCLINED 6.2")) + later;
    const ProgramRun run = RunShellCommand(kCalc + " --tle " + File("history.tle", sets) +
                                           " --lat 38.72 --lon 9.14 --date 2026-04-12 --json");
    ASSERT_EQ(run.status, 0) << run.out;
    std::istringstream lines(run.out);
    std::string first, second;
    std::getline(lines, first), std::getline(lines, second);
    for (const std::string& line : {first, second}) {
        const JsonValue object = ParseJson(line);
        EXPECT_NEAR(Number(*object.Find("daily_motion"), "inclination_rate_deg_per_year"), 0.13 / 60 * 365.25, 1e-9)
            << line;
    }
}

TEST(CalcElementsAtSiteArguments, WhatGoesWithASite) {
    struct Case {
        std::vector<std::string_view> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--tle", "x.tle", "--lat", "1"}, "--lon is required with --lat (the site of --tle)"},
        {{"--tle", "x.tle", "--lon", "1"}, "--lat is required with --lon (the site of --tle)"},
        {{"--tle", "x.tle", "--lat", "1", "--lon", "1", "--sat-lon", "1"},
         "--sat-lon does not apply to --tle at a site, whose objects are the satellites"},
        {{"--tle", "x.tle", "--lat", "1", "--lon", "1", "--kml"},
         "--kml does not apply to --tle at a site, whose objects are the satellites"},
        {{"--tle", "x.tle", "--lat", "1", "--lon", "1", "--json", "--table"},
         "--json and --table choose one output; give one of them"},
        {{"--tle", "x.tle", "--table"}, "--table does not apply without --tle (or --kept-elements) and --lat and --lon"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--table"},
         "--table does not apply without --tle (or --kept-elements) and --lat and --lon"},
        {{"--batch", "x.csv", "--table"}, "--table does not apply without --tle (or --kept-elements) and --lat and --lon"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseCalcArguments(c.args, 0);
        const auto* error = std::get_if<ArgumentError>(&parsed);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(error->message, c.message);
    }
    const std::vector<std::string_view> site = {"--kept-elements", "--lat", "1", "--lon", "1", "--tz", "site", "--table"};
    const auto parsed = ParseCalcArguments(site, 0);
    ASSERT_TRUE(std::holds_alternative<CalcOptions>(parsed));
    EXPECT_TRUE(std::get<CalcOptions>(parsed).elementsAtSite);
    EXPECT_TRUE(std::get<CalcOptions>(parsed).table);
}

}  // namespace
}  // namespace azimora::calc
