// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc: its arguments, its batch rows and what it prints.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"
#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

const UnixSeconds kToday = StartOfDay({2026, 12, 7});

std::variant<CalcOptions, ArgumentError> Parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return ParseCalcArguments(list, kToday);
}

BatchSettings Today() {
    BatchSettings settings;
    settings.defaults.instant = kToday;
    return settings;
}

TEST(CalcArguments, BadArgumentsNameTheArgumentInOneLine) {
    struct Case {
        std::vector<std::string_view> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--lat", "51.08", "--lon", "114.08"}, "--sat-lon is required"},
        {{"--sat-lon", "107.3", "--lon", "114.08"}, "--lat is required (or --nmea)"},
        {{"--sat-lon", "107.3", "--lat", "51.08"}, "--lon is required (or --nmea)"},
        {{"--sat-lon", "abc", "--lat", "51.08", "--lon", "114.08"}, "--sat-lon: the satellite's longitude 'abc' is no angle: type it as 5.9W, 5 54 W or 19.2E"},
        {{"--sat-lon", "107,3,1"}, "--sat-lon: the satellite's longitude '107,3,1' is no angle: type it as 5.9W, 5 54 W or 19.2E"},
        {{"--dish-m", "1,234.5"}, "--dish-m: the dish diameter '1,234.5' is no number"},
        {{"--sat-lon", "400", "--lat", "1", "--lon", "1"}, "--sat-lon: the satellite's longitude '400' lies outside -180 to 360 degrees"},
        {{"--lon", "-181", "--lat", "1", "--sat-lon", "1"}, "--lon: the longitude '-181' lies outside -180 to 360 degrees"},
        {{"--lat", "54.6E"}, "--lat: the latitude '54.6E' is no angle: type it as 54.6N, 54 36 N or 54\u00B036'N"},
        {{"--sat-lon", "19.2N"}, "--sat-lon: the satellite's longitude '19.2N' is no angle: type it as 5.9W, 5 54 W or 19.2E"},
        {{"--json=yes"}, "--json takes no value"},
        {{"-V=1"}, "unknown option '-V=1'"},
        {{"--lat", "1", "--lat", "2"}, "--lat is given twice"},
        {{"--", "--lat", "1"}, "unexpected argument '--lat' (options take the form --name value)"},
        {{"--tz", "Mars/Olympus_Mons"}, "--tz: 'Mars/Olympus_Mons' is no time zone this system knows (an IANA name such as Europe/Zurich, or local)"},
        {{"--tz", "../../etc/passwd"}, "--tz: '../../etc/passwd' is no time zone this system knows (an IANA name such as Europe/Zurich, or local)"},
        {{"--batch", "x.csv", "--lat", "1"}, "--lat does not apply to --batch: the rows give the sites"},
        {{"--tle", "x.tle", "--json"}, "--json does not apply to --tle, which lists the objects of the file"},
        {{"--batch", "x.csv", "--tle", "y"}, "--batch, --tle, --elements and --kept-elements cannot go together"},
        {{"--tle", "y", "--kept-elements"}, "--batch, --tle, --elements and --kept-elements cannot go together"},
        {{"--kept-elements=1"}, "--kept-elements takes no value"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--dish-m", "0.1", "--freq-ghz", "1"},
         "--dish-m and --freq-ghz: the dish is too small for this frequency: a 0.1 m dish at 1 GHz has a beam "
         "wider than 60 degrees, and no sun outage to speak of"},
        {{"--lat", "95", "--sat-lon", "1", "--lon", "1"}, "--lat: the latitude '95' lies outside -90 to 90 degrees"},
        {{"--dish-m", "0"}, "--dish-m: the dish diameter '0' lies outside 0.1 to 20 m"},
        {{"--freq-ghz", "-12"}, "--freq-ghz: the frequency '-12' lies outside 1 to 40 GHz"},
        {{"--lat"}, "--lat needs a value"},
        {{"--date", "2026-13-01"}, "--date: '2026-13-01' is no date (YYYY-MM-DD), decimal year or instant with its zone (2026-12-07T12:00:00Z) from 1583 to 9999"},
        {{"--date", "yesterday"}, "--date: 'yesterday' is no date (YYYY-MM-DD), decimal year or instant with its zone (2026-12-07T12:00:00Z) from 1583 to 9999"},
        {{"--date", "0000-01-01"}, "--date: '0000-01-01' is no date (YYYY-MM-DD), decimal year or instant with its zone (2026-12-07T12:00:00Z) from 1583 to 9999"},
        {{"--date", "1582.9"}, "--date: '1582.9' is no date (YYYY-MM-DD), decimal year or instant with its zone (2026-12-07T12:00:00Z) from 1583 to 9999"},
        {{"--date", "2026-12-07T12:00:00"}, "--date: '2026-12-07T12:00:00' is no date (YYYY-MM-DD), decimal year or instant with its zone (2026-12-07T12:00:00Z) from 1583 to 9999"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"51.08"}, "unexpected argument '51.08' (options take the form --name value)"},
        {{"--batch"}, "--batch needs a file"},
        {{"--nmea"}, "--nmea needs a file"},
        {{"--sat-lon", "1", "--nmea", "a.nmea", "--lat", "1"}, "--lat does not apply with --nmea, whose fix gives the site"},
        {{"--sat-lon", "1", "--nmea", "a.nmea", "--altitude-km", "1"},
         "--altitude-km does not apply with --nmea, whose fix gives the site"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--kml", "--json"},
         "--json, --kml and --geojson choose one output; give one of them"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--los-m", "500"}, "--los-m does not apply without --kml or --geojson"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--kml", "--los-m", "0"}, "--los-m: the length of the line '0' lies outside 10 to 100000 m"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--focal-mm", "480"},
         "--focal-mm does not apply without --second-sat-lon"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--second-sat-lon", "400"},
         "--second-sat-lon: the second satellite's longitude '400' lies outside -180 to 360 degrees"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--second-sat-lon", "13N"}, "--second-sat-lon: the second satellite's longitude '13N' is no angle: type it as 5.9W, 5 54 W or 19.2E"},
        {{"--sat-lon", "1", "--lat", "1", "--lon", "1", "--kml", "--second-sat-lon", "13E"},
         "--second-sat-lon does not apply to --kml or --geojson, which draw the line of sight"},
        {{"--batch", "x.csv", "--kml"}, "--kml does not apply to --batch: it is for one site"},
        {{"--tle", "x.tle", "--second-sat-lon", "1"}, "--second-sat-lon does not apply to --tle, which lists the objects of the file"},
        {{"--kml=1"}, "--kml takes no value"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseCalcArguments(c.args, kToday);
        const auto* error = std::get_if<ArgumentError>(&parsed);
        ASSERT_NE(error, nullptr) << c.message;
        EXPECT_EQ(error->message, c.message);
        EXPECT_EQ(error->message.find('\n'), std::string::npos);
    }
}

// Typed as on the phone's page and in the window's dialogs: the letter
// before or after, degrees and minutes apart or with their marks, a
// decimal comma.
TEST(CalcArguments, AnglesAndNumbersAsTyped) {
    struct Case {
        std::string_view option, value;
        double InstallationInputs::*field;
        double expected;
    };
    const Case cases[] = {
        {"--lat", "54 36 N", &InstallationInputs::latitude, 54.6},
        {"--lat", "54\u00B036'N", &InstallationInputs::latitude, 54.6},
        {"--lat", "S 33 52", &InstallationInputs::latitude, -(33 + 52 / 60.0)},
        {"--lat", "54,6N", &InstallationInputs::latitude, 54.6},
        {"--lon", "5\u00B054\u2032 W", &InstallationInputs::longitudeWest, 5.9},
        {"--sat-lon", "E 19.2", &InstallationInputs::satelliteLongitudeWest, -19.2},
        {"--sat-lon", "19,2 E", &InstallationInputs::satelliteLongitudeWest, -19.2},
        {"--dish-m", "0,8", &InstallationInputs::dishDiameterMetres, 0.8},
        {"--freq-ghz", "11,7", &InstallationInputs::frequencyGHz, 11.7},
        {"--offset-deg", "26,5", &InstallationInputs::offsetAngle, 26.5},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> args = {"--sat-lon", "1", "--lat", "1", "--lon", "1"};
        for (std::size_t i = 0; i < args.size(); i += 2)
            if (args[i] == c.option) args[i + 1] = c.value;
        if (c.option != "--sat-lon" && c.option != "--lat" && c.option != "--lon") args.insert(args.end(), {c.option, c.value});
        const auto parsed = ParseCalcArguments(args, kToday);
        const auto* options = std::get_if<CalcOptions>(&parsed);
        ASSERT_NE(options, nullptr) << c.option << " " << c.value << ": " << std::get<ArgumentError>(parsed).message;
        EXPECT_NEAR(options->inputs.*c.field, c.expected, 1e-12) << c.option << " " << c.value;
    }
}

TEST(CalcArguments, ValuesDefaultsAndDates) {
    const auto parsed = Parse({"--sat-lon", "107.3", "--lat=51.08", "--lon", "114.08", "--json"});
    const auto& options = std::get<CalcOptions>(parsed);
    EXPECT_DOUBLE_EQ(options.inputs.satelliteLongitudeWest, 107.3);
    EXPECT_DOUBLE_EQ(options.inputs.latitude, 51.08);
    EXPECT_DOUBLE_EQ(options.inputs.longitudeWest, 114.08);
    EXPECT_DOUBLE_EQ(options.inputs.instant, kToday);
    EXPECT_DOUBLE_EQ(options.inputs.altitudeKm, 0);
    EXPECT_DOUBLE_EQ(options.inputs.dishDiameterMetres, 0.6);
    EXPECT_DOUBLE_EQ(options.inputs.frequencyGHz, 12);
    EXPECT_DOUBLE_EQ(options.inputs.offsetAngle, 22.3);
    EXPECT_TRUE(options.json);
    const auto dated = std::get<CalcOptions>(Parse({"--sat-lon", "1", "--lat", "1", "--lon", "1", "--date", "2027-03-20"}));
    EXPECT_EQ(DateOf(dated.inputs.instant), (CivilDate{2027, 3, 20}));
    const auto decimal = std::get<CalcOptions>(Parse({"--sat-lon", "1", "--lat", "1", "--lon", "1", "--date", "2026.5"}));
    EXPECT_NEAR(DecimalYear(decimal.inputs.instant), 2026.5, 1e-9);
    EXPECT_EQ(std::get<CalcOptions>(Parse({"--help"})).mode, CalcMode::Help);
    EXPECT_EQ(std::get<CalcOptions>(Parse({"--version"})).mode, CalcMode::Version);
    EXPECT_EQ(std::get<CalcOptions>(Parse({"-V"})).mode, CalcMode::Version);
    EXPECT_EQ(std::get<CalcOptions>(Parse({"-v"})).mode, CalcMode::Version);  // as azimora takes it
    // Instants with their zone; one earliest date for both forms.
    const auto instant = std::get<CalcOptions>(Parse({"--sat-lon", "1", "--lat", "1", "--lon", "1", "--date", "2026-12-07T05:00:00-07:00"}));
    EXPECT_DOUBLE_EQ(instant.inputs.instant, kToday + 12 * 3600);
    EXPECT_DOUBLE_EQ(*ParseDateArgument("2026-12-07T12:00:00Z"), kToday + 12 * 3600);
    EXPECT_DOUBLE_EQ(*ParseDateArgument("1583-01-01"), *ParseDateArgument("1583"));
    EXPECT_FALSE(ParseDateArgument("1582-12-31"));
}

TEST(CalcReport, JsonCarriesEveryKeyInOrder) {
    InstallationInputs inputs;
    inputs.latitude = 51.08;
    inputs.longitudeWest = 114.08;
    inputs.satelliteLongitudeWest = 107.3;
    inputs.instant = kToday;
    const ZoneTime utc;
    const std::string json = JsonReport(ComputeSiteReport(inputs, utc), utc) + "\n";
    std::size_t position = 0;
    for (const char* key : {"azimuth", "elevation", "azimuth_text", "elevation_text", "visible", "declination",
                            "compass_bearing", "horizontal_field_nt", "compass_warning", "magnetic_model",
                            "magnetic_model_valid", "skew", "motor_angle", "motor_declination_offset", "dish_tilt",
                            "sun_alignments", "sun_outages", "outage_threshold", "version", "format"}) {
        const std::size_t found = json.find(std::string("\"") + key + "\": ", position);
        ASSERT_NE(found, std::string::npos) << key << " in " << json;
        position = found;
    }
    EXPECT_NE(json.find("\"azimuth\": 171.306422331434,"), std::string::npos) << json;
    EXPECT_NE(json.find(", \"format\": 1}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"azimuth_text\": \"171.306422331434\""), std::string::npos);
    EXPECT_NE(json.find("\"magnetic_model\": \"WMM2025\", \"magnetic_model_valid\": true"), std::string::npos);
    EXPECT_TRUE(std::regex_search(json, std::regex(R"("sun_alignments": \["2026-12-07T\d\d:\d\d:\d\dZ"\])")));
    EXPECT_TRUE(std::regex_search(
        json, std::regex(R"(\{"start": "2026-0\d-\d\dT\d\d:\d\d:\d\dZ", "peak": "[^"]+", "end": "[^"]+"\})")));
    EXPECT_EQ(json.back(), '\n');
}

TEST(CalcBatch, AFailingRowCarriesItsMessageAndTheOthersGoOn) {
    std::istringstream in(
        "name,lat,lon,sat_lon\r\n"
        "Calgary,51.08,114.08,107.3\r\n"
        "\"Bad, latitude\",abc,114.08,107.3\n"
        "Too far north,95,0,0\n"
        "Short,1,2\n"
        "\n"
        "Overhead,0,10,10\n"
        "Belfast,54.6,5.93,-19.2\n");
    std::ostringstream out;
    const BatchResult result = RunBatch(in, out, Today());
    EXPECT_FALSE(result.headerError);
    EXPECT_EQ(result.rows, 6u);
    EXPECT_EQ(result.failed, 3u);
    std::vector<std::string> lines;
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 7u) << out.str();
    EXPECT_EQ(lines[0],
              "name,lat,lon,sat_lon,azimuth,elevation,compass_bearing,declination,horizontal_field_nt,compass_warning,"
              "skew,dish_tilt,motor_angle,next_outage_start,next_outage_end,error");
    EXPECT_TRUE(lines[1].starts_with("Calgary,51.08,114.08,107.3,171.306422331434,31.1920790500568,")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with(",")) << lines[1];
    EXPECT_EQ(lines[2], "\"Bad, latitude\",abc,114.08,107.3,,,,,,,,,,,,\"the latitude 'abc' is no angle: type it as 54.6N, 54 36 N or 54\u00B036'N\"");
    EXPECT_EQ(lines[3], "Too far north,95,0,0,,,,,,,,,,,,the latitude '95' lies outside -90 to 90 degrees");
    EXPECT_EQ(lines[4], "Short,1,2,,,,,,,,,,,,,expected 4 fields but found 3");
    EXPECT_TRUE(lines[5].starts_with("Overhead,0,10,10,180,90,")) << lines[5];
    EXPECT_TRUE(lines[6].starts_with("Belfast,54.6,5.93,-19.2,")) << lines[6];
}

TEST(CalcBatch, TheHeaderIsRequired) {
    for (const char* text : {"", "Calgary,51.08,114.08,107.3\n", "name,lat,lon\n"}) {
        std::istringstream in(text);
        std::ostringstream out;
        EXPECT_TRUE(RunBatch(in, out, Today()).headerError.has_value()) << text;
        EXPECT_EQ(out.str(), "");
    }
    std::istringstream spaced(" Name , LAT,lon , sat_lon\n");
    std::ostringstream out;
    EXPECT_FALSE(RunBatch(spaced, out, Today()).headerError.has_value());
}

// The program itself: exit codes and where its words go.
using azimora::testing::ProgramRun;
ProgramRun Calc(const std::string& arguments) {
    return azimora::testing::RunShellCommand(std::string(AZIMORA_CALC) + " " + arguments);
}

// GNU Coding Standards: --help fits 80 columns and says where bugs go.
TEST(CalcProgram, HelpFitsEightyColumns) {
    const ProgramRun help = Calc("--help");
    EXPECT_EQ(help.status, 0);
    std::istringstream lines(help.out);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        EXPECT_LE(line.size(), 80u) << "line " << number << ": " << line;
    }
    EXPECT_GT(number, 20);
    EXPECT_NE(help.out.find("Report bugs to"), std::string::npos);
    EXPECT_NE(help.out.find("Exit status:"), std::string::npos);
}

TEST(CalcProgram, ExitCodes) {
    const ProgramRun calgary = Calc("--sat-lon 107.3 --lat 51.08 --lon 114.08 --json");
    EXPECT_EQ(calgary.status, 0);
    EXPECT_EQ(calgary.out.rfind("{\"azimuth\": 171.306422331434,", 0), 0u) << calgary.out;
    const ProgramRun table = Calc("--sat-lon 107.3 --lat 51.08 --lon 114.08 --date 2026-12-07");
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("Compass bearing"), std::string::npos) << table.out;
    // GNU Coding Standards: the version, then copyright, licence, warranty.
    EXPECT_EQ(Calc("--version").out,
              "azimora-calc 2.0\nCopyright (C) 2026 The Azimora developers\nLicense: MIT (the Expat licence).\n"
              "This is free software: you are free to change and redistribute it.\n"
              "There is NO WARRANTY, to the extent permitted by law.\n");
    const ProgramRun bad = Calc("--lat x");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "azimora-calc: --lat: the latitude 'x' is no angle: type it as 54.6N, 54 36 N or 54\u00B036'N\nTry 'azimora-calc --help'\n");

    azimora::testing::TempFolder folder;
    const auto sites = folder.Path() / "sites.csv";
    std::ofstream(sites) << "name,lat,lon,sat_lon\nGood,51.08,114.08,107.3\nBad,x,1,1\n";
    EXPECT_EQ(Calc("--batch " + sites.string()).status, 1);
    std::ofstream(sites) << "name,lat,lon,sat_lon\nGood,51.08,114.08,107.3\n";
    EXPECT_EQ(Calc("--batch " + sites.string()).status, 0);
    // An input that cannot be read is no usage error: 1, and no pointer to --help.
    std::ofstream(sites) << "Good,51.08,114.08,107.3\n";
    EXPECT_EQ(Calc("--batch " + sites.string()).status, 1);
    for (const char* unreadable : {"--batch /nonexistent/sites.csv", "--tle /nonexistent/geo.tle",
                                   "--sat-lon 19.2E --nmea /nonexistent/roof.nmea"}) {
        const ProgramRun run = Calc(unreadable);
        EXPECT_EQ(run.status, 1) << unreadable;
        EXPECT_EQ(run.out.find("Try 'azimora-calc --help'"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("No such file or directory"), std::string::npos) << run.out;
    }
}

}  // namespace
}  // namespace azimora::calc
