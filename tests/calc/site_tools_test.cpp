// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc on the roof: the site from a GPS log, the line of sight for
// a map program (read back by Python's XML and JSON parsers), and a second
// satellite on the same dish.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "geometry/geodesic.h"
#include "nmea_sentences.h"
#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
using azimora::testing::RunShellCommand;

const std::string kCalc = AZIMORA_CALC;

// The textbook pair of NMEA 0183 (D. DePriester, "NMEA data"), checksums and all.
const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

class CalcOnTheRoof : public ::testing::Test {
protected:
    std::string File(const std::string& name, const std::string& text) {
        const auto path = folder_.Path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    // Python reads what azimora-calc wrote, with the parser a script would use.
    ProgramRun ThroughPython(const std::string& arguments, const std::string& script) {
        return RunShellCommand(kCalc + " " + arguments + " 2>/dev/null | python3 " + File("read.py", script));
    }

private:
    azimora::testing::TempFolder folder_;
};

TEST_F(CalcOnTheRoof, TheSiteFromTheLastValidFixOfAGpsLog) {
    const std::string log = File("roof.nmea", kGga + "\r\n" + kRmc + "\r\n$GPGGA,123520,4807.040,N*00\r\n");
    const ProgramRun run = RunShellCommand(kCalc + " --sat-lon 19.2E --date 2026-12-07 --nmea " + log);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("azimora-calc: --nmea: line 3: wrong checksum 00 (the sentence gives "), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Site                  48.12 N, 11.52 E (GPS fix of 1994-03-23 12:35:19 UTC, line 2)\n"), std::string::npos)
        << run.out;

    const ProgramRun json = ThroughPython("--sat-lon 19.2E --date 2026-12-07 --json --nmea " + log,
                                          "import json, sys\n"
                                          "o = json.load(sys.stdin)\n"
                                          "f = o['gps_fix']\n"
                                          "print(round(f['lat'], 6), round(f['lon'], 6), f['altitude_m'], "
                                          "round(f['ellipsoid_height_m'], 1), f['sentence'], f['line'], f['date'], f['time'])\n");
    // The textbook RMC's date, 230394: 23 March 1994.
    EXPECT_EQ(json.out, "48.1173 -11.516667 545.4 592.3 RMC 2 1994-03-23 12:35:19\n");

    struct Failing {
        std::string log;
        int status;
        std::string message;
    };
    for (const Failing& f : {
             Failing{File("nofix.nmea", "$GPGGA,123521,,,,,0,00,,,M,,M,,*60\n"), 1,
                     "azimora-calc: --nmea: no valid fix in '"},
             Failing{File("empty.nmea", ""), 1, "azimora-calc: --nmea: no valid fix in '"},
             Failing{"/nonexistent/roof.nmea", 1, "azimora-calc: --nmea: cannot read '/nonexistent/roof.nmea': "},
             // Shown as 99:99:99 in the table and the JSON before.
             Failing{File("time.nmea", azimora::testing::NmeaSentence(
                                           "GPGGA,999999,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") + "\n"),
                     1, "azimora-calc: --nmea: line 1: GGA with a time that is no time of day: '999999'\n"
                        "azimora-calc: --nmea: no valid fix in '"},
         }) {
        const ProgramRun failed = RunShellCommand(kCalc + " --sat-lon 19.2E --nmea " + f.log);
        EXPECT_EQ(failed.status, f.status) << f.log << ": " << failed.out;
        EXPECT_EQ(failed.out.rfind(f.message, 0), 0u) << failed.out;
    }
}

// The line of sight for Calgary to Anik F1R (107.3 W): the site, then 1 km
// (or as asked) along the true azimuth of 171.306 degrees, rising at 31.19.
TEST_F(CalcOnTheRoof, TheLineOfSightReadByXmlAndJsonParsers) {
    const std::string site = "--sat-lon 107.3 --lat 51.08 --lon 114.08 --date 2026-12-07";
    const ProgramRun kml = ThroughPython(
        site + " --kml --los-m 2000",
        "import sys, xml.etree.ElementTree as ET\n"
        "ns = {'k': 'http://www.opengis.net/kml/2.2'}\n"
        "root = ET.parse(sys.stdin).getroot()\n"
        "for mark in root.iterfind('.//k:Placemark', ns):\n"
        "    line = mark.find('k:LineString', ns)\n"
        "    point = mark.find('k:Point', ns)\n"
        "    shape = line if line is not None else point\n"
        "    mode = shape.find('k:altitudeMode', ns)\n"
        "    coords = shape.find('k:coordinates', ns).text.split()\n"
        "    print(mode.text if mode is not None else 'point', len(coords), coords[-1])\n");
    EXPECT_EQ(kml.status, 0) << kml.out;
    std::istringstream lines(kml.out);
    std::vector<std::string> modes, ends;
    std::vector<int> counts;
    std::string mode, end;
    for (int count = 0; lines >> mode >> count >> end;) {
        modes.push_back(mode);
        counts.push_back(count);
        ends.push_back(end);
    }
    // The site, the line on the ground, the line in the air: a vertex every 50 m.
    EXPECT_EQ(modes, (std::vector<std::string>{"point", "clampToGround", "relativeToGround"})) << kml.out;
    EXPECT_EQ(counts, (std::vector<int>{1, 41, 41})) << kml.out;
    ASSERT_EQ(ends.size(), 3u) << kml.out;
    EXPECT_EQ(ends[0], "-114.08000000,51.08000000,0.00");
    double longitude = 0, latitude = 0, height = 0;
    ASSERT_EQ(std::sscanf(ends[2].c_str(), "%lf,%lf,%lf", &longitude, &latitude, &height), 3) << ends[2];
    const auto back = GeodesicInverse(51.08, -114.08, latitude, longitude);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->distanceMetres, 2000, 1.0);
    EXPECT_NEAR(back->startAzimuth, 171.306422331434, 0.01);
    EXPECT_NEAR(height, 2000 * 0.60547 + 0.54, 0.5);  // tan(31.192) = 0.60547, plus the Earth's curvature

    const ProgramRun geojson = ThroughPython(site + " --geojson",
                                             "import json, sys\n"
                                             "o = json.load(sys.stdin)\n"
                                             "print(o['type'])\n"
                                             "for f in o['features']:\n"
                                             "    g = f['geometry']\n"
                                             "    c = g['coordinates']\n"
                                             "    print(g['type'], c if g['type'] == 'Point' else c[-1], "
                                             "f['properties']['name'])\n");
    std::istringstream features(geojson.out);
    std::string collection, pointLine, lineLine;
    std::getline(features, collection);
    std::getline(features, pointLine);
    std::getline(features, lineLine);
    EXPECT_EQ(collection, "FeatureCollection") << geojson.out;
    EXPECT_EQ(pointLine, "Point [-114.08, 51.08] 51.08 N, 114.08 W") << geojson.out;
    ASSERT_EQ(lineLine.rfind("LineString [", 0), 0u) << geojson.out;
    ASSERT_EQ(std::sscanf(lineLine.c_str(), "LineString [%lf, %lf]", &longitude, &latitude), 2) << lineLine;
    const auto geoBack = GeodesicInverse(51.08, -114.08, latitude, longitude);
    ASSERT_TRUE(geoBack);
    EXPECT_NEAR(geoBack->distanceMetres, 1000, 1.0);
    EXPECT_NEAR(geoBack->startAzimuth, 171.306422331434, 0.01);

    // Straight overhead: a vertical line; nearly overhead, the line stops at the satellite.
    const ProgramRun overhead = RunShellCommand(kCalc + " --sat-lon 0 --lat 1e-9 --lon 0 --kml");
    EXPECT_EQ(overhead.status, 0) << overhead.out;
    EXPECT_NE(overhead.out.find("The satellite stands straight overhead"), std::string::npos) << overhead.out;
    EXPECT_EQ(overhead.out.find(",-"), std::string::npos) << "a height below the dish: " << overhead.out;
    const ProgramRun near = RunShellCommand(kCalc + " --sat-lon 33E --lat 0.35N --lon 32.6E --kml --los-m 100000");
    EXPECT_EQ(near.status, 0);
    EXPECT_NE(near.out.find("The line ends where it reaches the satellite"), std::string::npos) << near.out;
    EXPECT_EQ(near.out.find("20584007895"), std::string::npos);

    // Out of sight: no line, and says so.
    const ProgramRun hidden = RunShellCommand(kCalc + " --sat-lon 19.2E --lat 51.08 --lon 114.08 --kml");
    EXPECT_EQ(hidden.status, 1);
    EXPECT_EQ(hidden.out, "azimora-calc: The satellite is not in sight from this site: there is no line of sight\n");
}

// Zurich with Astra 19.2 E and Astra 23.5 E on an 80 cm dish: one JSON
// object that a parser reads, the table's own section. The separation of
// 4.739 degrees is our vector reference's (WGS84, 42,164.17 km orbit).
TEST_F(CalcOnTheRoof, ASecondSatelliteOnTheSameDish) {
    const std::string site = "--sat-lon 19.2E --lat 47.37N --lon 8.54E --dish-m 0.8 --date 2026-12-07 --second-sat-lon 23.5E";
    const ProgramRun json = ThroughPython(site + " --json",
                                          "import json, sys\n"
                                          "s = json.load(sys.stdin)['second_satellite']\n"
                                          "print(s['sat_lon'], round(s['separation'], 2), s['lnb_right_mm'] > 0, "
                                          "round(s['focal_mm']), s['monoblock'], s['skew'] is not None, s['visible'])\n");
    EXPECT_EQ(json.out, "-23.5 4.74 True 480 4.3 True True\n");
    const ProgramRun none = ThroughPython("--sat-lon 19.2E --lat 47.37N --lon 8.54E --json",
                                          "import json, sys\nprint(json.load(sys.stdin)['second_satellite'])\n");
    EXPECT_EQ(none.out, "None\n");
    const ProgramRun table = RunShellCommand(kCalc + " " + site + " --focal-mm 500");
    EXPECT_NE(table.out.find("\nSecond satellite      23.50 E\n  Separation          4.74 deg apart seen from the site"), std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("(focal length 500 mm)\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("  Monoblock           a 4.3 deg monoblock fits\n"), std::string::npos) << table.out;
    const ProgramRun fits = ThroughPython(site + " --json", "import json, sys\nprint(json.load(sys.stdin)['second_satellite_warning'])\n");
    EXPECT_EQ(fits.out, "None\n");
}

// Satellites too far apart for any second LNB on the dish: no millimetres,
// the reason instead, in the table and in JSON.
TEST_F(CalcOnTheRoof, NoSecondLnbForSatellitesFarApart) {
    for (const char* second : {"80E", "75E", "60E"}) {
        const std::string site = std::string("--sat-lon 0 --lat 0 --lon 0 --second-sat-lon ") + second;
        const ProgramRun json = ThroughPython(site + " --json",
                                              "import json, sys\n"
                                              "d = json.load(sys.stdin)\n"
                                              "s = d['second_satellite']\n"
                                              "print(s['lnb_right_mm'], s['lnb_up_mm'], s['lnb_offset_mm'], s['monoblock'])\n"
                                              "print(d['second_satellite_warning'])\n");
        EXPECT_EQ(json.status, 0);
        EXPECT_EQ(json.out.substr(0, json.out.find('\n')), "None None None None") << second;
        EXPECT_NE(json.out.find("no second LNB serves"), std::string::npos) << json.out;
        const ProgramRun table = RunShellCommand(kCalc + " " + site);
        EXPECT_NE(table.out.find("  Second LNB          none: "), std::string::npos) << table.out;
        EXPECT_EQ(table.out.find(" mm right"), std::string::npos) << table.out;
        EXPECT_EQ(table.out.find(" mm left"), std::string::npos) << table.out;
    }
}

}  // namespace
}  // namespace azimora::calc
