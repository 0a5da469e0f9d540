// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Satellites from DVB scan tables and two-line elements, places from typed
// coordinates, and the town search.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "formats/dvb_scan_tables.h"
#include "formats/place_search.h"
#include "formats/satellite_import.h"
#include "formats/two_line_elements.h"
#include "lists/userlists.h"
#include "temp_folder.h"
#include "text/coordinate_text.h"

namespace azimora {
namespace {

TEST(DvbScanTables, NameAndPositionFromTheFileName) {
    struct Case {
        const char* file;
        const char* name;
        const char* text;
        double west;
    };
    for (const Case& c : {Case{"Astra-19.2E", "Astra", "-19.2", -19.2}, Case{"EchoStar-14-119.0W", "EchoStar 14", "119.0", 119},
                          Case{"Anik-F1R_C-107.3W", "Anik F1R C", "107.3", 107.3}, Case{"Eutelsat5_5.0W", "Eutelsat5", "5.0", 5},
                          Case{"Thor-5-0.8W", "Thor 5", "0.8", 0.8}, Case{"ABS-2A-75.0E", "ABS 2A", "-75.0", -75}}) {
        const auto satellite = SatelliteOfScanTableName(c.file);
        ASSERT_TRUE(satellite) << c.file;
        EXPECT_EQ(satellite->name, c.name);
        EXPECT_EQ(satellite->longitudeText, c.text);
        EXPECT_DOUBLE_EQ(satellite->longitudeWest, c.west);
    }
    for (const char* bad : {"README", "Astra-19.2", "Weird-190.0E", "19.2E-Astra", "5E", "E", "-E", "Line\nBreak-5E"})
        EXPECT_FALSE(SatelliteOfScanTableName(bad)) << bad;
    // Three whole degrees at most, a name of one character at least.
    for (const auto& [file, name, text] : {std::tuple{"X1123.5E", "X1", "-123.5"}, std::tuple{"12E", "1", "-2"},
                                           std::tuple{"A12.34.5W", "A12.", "34.5"}, std::tuple{"-12E", " ", "-12"},
                                           std::tuple{"Hot_Bird_13E", "Hot Bird", "-13"}}) {
        const auto satellite = SatelliteOfScanTableName(file);
        ASSERT_TRUE(satellite) << file;
        EXPECT_EQ(satellite->name, name) << file;
        EXPECT_EQ(satellite->longitudeText, text) << file;
    }
    // A name of any length is read in one pass (a regular expression's
    // backtracking ran the stack out at 50 KB).
    const auto huge = SatelliteOfScanTableName(std::string(1 << 20, 'x') + "-19.2E");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->longitudeText, "-19.2");
    EXPECT_EQ(huge->name.size(), 1u << 20);
}

TEST(DvbScanTables, PolarisationOfTheTransponders) {
    EXPECT_EQ(PolarisationOfScanTable("[CHANNEL]\n\tPOLARIZATION = HORIZONTAL\n[CHANNEL]\n\tPOLARIZATION = VERTICAL\n"),
              Polarisation::Linear);
    EXPECT_EQ(PolarisationOfScanTable("[CHANNEL]\n\tPOLARIZATION = LEFT\n[CHANNEL]\n\tPOLARIZATION = RIGHT\n"),
              Polarisation::Circular);
    EXPECT_EQ(PolarisationOfScanTable("\tPOLARIZATION = LEFT\n\tPOLARIZATION = VERTICAL\n"), Polarisation::Mixed);
    EXPECT_EQ(PolarisationOfScanTable("# nothing here\n"), Polarisation::Unknown);
}

TEST(DvbScanTables, AFolderOfTablesAndAMissingOne) {
    azimora::testing::TempFolder folder;
    azimora::testing::WriteFile(folder.Path() / "EchoStar-14-119.0W", "[CHANNEL]\n\tPOLARIZATION = LEFT\n");
    azimora::testing::WriteFile(folder.Path() / "Astra-19.2E", "[CHANNEL]\n\tPOLARIZATION = HORIZONTAL\n");
    azimora::testing::WriteFile(folder.Path() / "notes.txt", "no satellite\n");
    const ScanTables tables = ReadScanTables(folder.Path());
    ASSERT_EQ(tables.satellites.size(), 2u);
    EXPECT_EQ(tables.satellites[0].name, "Astra");
    EXPECT_EQ(tables.satellites[1].polarisation, Polarisation::Circular);
    EXPECT_EQ(tables.skipped, (std::vector<std::string>{"notes.txt: no orbital position at the end of its name"}));
    EXPECT_EQ(PolarisationAt(tables.satellites, 119), Polarisation::Circular);
    EXPECT_EQ(PolarisationAt(tables.satellites, 119.04), Polarisation::Circular);
    EXPECT_EQ(PolarisationAt(tables.satellites, 61.5), Polarisation::Unknown);
    try {
        (void)ReadScanTables(folder.Path() / "missing");
        FAIL();
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("dtv-scan-tables"), std::string::npos) << error.what();
    }
}

// The real tables of Debian's package, when installed.
TEST(DvbScanTables, DebiansPackage) {
    if (!std::filesystem::is_directory(kDvbScanTablesFolder)) GTEST_SKIP() << "dtv-scan-tables is not installed";
    const ScanTables tables = ReadScanTables();
    EXPECT_GT(tables.satellites.size(), 300u);
    EXPECT_EQ(PolarisationAt(tables.satellites, 119), Polarisation::Circular);  // EchoStar 14, DBS
    EXPECT_EQ(PolarisationAt(tables.satellites, -19.2), Polarisation::Linear);  // Astra
}

// Made for these tests: three objects at epoch 1987 April 10, 0h UT, where
// Meeus (Astronomical Algorithms, Example 12.a) gives the mean sidereal time
// at Greenwich as 13h10m46.3668s = 197.693195 degrees. A mean anomaly of
// 216.8932 = 197.6932 + 19.2 puts a circular equatorial orbit over 19.2 E.
constexpr const char* kElementSets =
    "MADE-UP GEO\n"
    "1 90001U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9992\n"
    "2 90001   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   104\n"
    "MADE-UP INCLINED\n"
    "1 90002U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9993\n"
    "2 90002   2.5000   0.0000 0000000   0.0000 216.8932  1.00273791   102\n"
    "MADE-UP DRIFTER\n"
    "1 90003U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9994\n"
    "2 90003   0.0500   0.0000 0000000   0.0000 216.8932  1.00380000   103\n"
    "ISS (ZARYA)\n"
    "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n"
    "BAD SUM\n"
    "1 90004U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9991\n"
    "2 90004   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   104\n"
    "nonsense\n";

TEST(TwoLineElements, ChecksumsOfThePublishedIssExample) {
    EXPECT_EQ(TleChecksum("1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  292"), 7);
    EXPECT_EQ(TleChecksum("2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.7212539156353"), 7);
}

TEST(TwoLineElements, GeostationaryObjectsWhereTheyStandAndWhatIsSkipped) {
    const UnixSeconds epoch = StartOfDay({1987, 4, 10});
    const ElementSetFile file = ReadElementSets(kElementSets, epoch);
    ASSERT_EQ(file.objects.size(), 3u);
    const GeostationaryObject& geo = file.objects[0];
    EXPECT_EQ(geo.elements.name, "MADE-UP GEO");
    EXPECT_NEAR(geo.longitudeWest, -19.2, 0.01);  // over 19.2 E
    // Near standing: its drift by the model is checked against python3-sgp4
    // in tests/engine/formats/geostationary_objects_test.cpp.
    EXPECT_LT(std::fabs(geo.driftPerDay), 0.05);
    EXPECT_EQ(geo.warning, "");
    EXPECT_EQ(file.objects[1].warning, "inclined 2.5 degrees: it swings north and south");
    EXPECT_EQ(file.objects[2].warning, "drifting 0.39 degrees a day east");
    EXPECT_EQ(file.skipped, (std::vector<std::string>{
                                "line 11: not geostationary: 15.72 revolutions a day (ISS (ZARYA))",
                                "line 14: checksum is 5, the line says 1 (BAD SUM)",
                                "line 16: a name without an element set: nonsense",
                            }));
    // Ten days on, the drifter has moved 3.8 degrees east of the other, as
    // the difference of their mean motions says (where each stands, the
    // SGP4 verification set decides: tests/engine/orbits/).
    const ElementSetFile later = ReadElementSets(kElementSets, epoch + 10 * kSecondsPerDay);
    EXPECT_NEAR(later.objects[0].longitudeWest - later.objects[2].longitudeWest, 10 * 360 * (1.0038 - 1.00273791), 0.02);
}

TEST(TwoLineElements, BrokenSetsAreListedNotDropped) {
    const ElementSetFile file = ReadElementSets(
        "ORPHAN\n"
        "2 90001   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   104\n"
        "1 90001U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9992\n"
        "SHORT\n"
        "1 90001U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9992\n"
        "2 90001   0.0000   0.0000 0000000\n",
        0);
    EXPECT_TRUE(file.objects.empty());
    EXPECT_EQ(file.skipped, (std::vector<std::string>{
                                "line 2: line 2 of an element set without its line 1",
                                "line 3: line 1 without its line 2 (ORPHAN)",
                                "line 6: too short for line 2 of an element set (SHORT)",
                            }));
}

TEST(CoordinateText, DecimalAndDegreesMinutesSeconds) {
    struct Case {
        const char* text;
        double latitude, west;
    };
    for (const Case& c : {Case{"51 05 N 114 05 W", 51 + 5 / 60.0, 114 + 5 / 60.0},
                          Case{"51\u00B005'N 114\u00B005'W", 51 + 5 / 60.0, 114 + 5 / 60.0},
                          Case{"51\u00B005\u203230\u2033N, 114\u00B005\u203230\u2033W", 51 + 5.5 / 60, 114 + 5.5 / 60},
                          Case{"N51 05 W114 05", 51 + 5 / 60.0, 114 + 5 / 60.0},
                          Case{"51.0833 N 114.0833 W", 51.0833, 114.0833},
                          Case{"33 52 S 151 12 E", -(33 + 52 / 60.0), -(151 + 12 / 60.0)},
                          Case{"51.0447, -114.0719", 51.0447, 114.0719},  // as maps give them: east positive
                          Case{"-33.87 151.21", -33.87, -151.21},
                          Case{"51 N, 114 W", 51, 114}}) {
        const auto place = ParseCoordinates(c.text);
        ASSERT_TRUE(place) << c.text;
        EXPECT_NEAR(place->latitude, c.latitude, 1e-9) << c.text;
        EXPECT_NEAR(place->longitudeWest, c.west, 1e-9) << c.text;
    }
    for (const char* bad : {"", "51", "Calgary", "91 N 10 W", "51 N 114 N", "51 65 N 114 W", "51,0 N 114 W N",
                            "51.0.1 N 114 W", "W 51 N 114"})
        EXPECT_FALSE(ParseCoordinates(bad)) << bad;
}

TEST(PlaceSearch, AnExactNameComesFirst) {
    const PlaceIndex index({
        {{55, 1.6}, "Newcastle upon Tyne", "", "United Kingdom", "newcastle upon tyne", ""},
        {{40.7, 74}, "New York", "New York", "United States", "new york", ""},
        {{54, 1.1}, "York", "", "United Kingdom", "york", ""},
        {{51.2, 102.5}, "Yorkton", "Saskatchewan", "Canada", "yorkton", ""},
        {{47.4, -8.5}, "Zurich", "", "Switzerland", "zurich", ""},
    });
    const auto names = [&](std::string_view query) {
        std::vector<std::string> found;
        for (const Place* place : index.Search(query)) found.push_back(place->name);
        return found;
    };
    EXPECT_EQ(names("york"), (std::vector<std::string>{"York", "Yorkton", "New York"}));
    EXPECT_EQ(names("new"), (std::vector<std::string>{"New York", "Newcastle upon Tyne"}));
    EXPECT_EQ(names("tyne"), (std::vector<std::string>{"Newcastle upon Tyne"}));
    EXPECT_EQ(names("uric"), (std::vector<std::string>{"Zurich"}));
    EXPECT_TRUE(names("").empty());
    EXPECT_EQ(index.Search("york", 1).size(), 1u);
}

// Imported satellites land in the user's list and in the listing at once,
// as a restart would show them, and never twice.
TEST(SatelliteImport, AppendsToTheListAndTheListingOnce) {
    azimora::testing::TempFolder folder;
    auto satellites = BuiltInSatelliteCatalogue();
    const std::vector<SatelliteEntry> entries = {{"Astra", "-19.2"}, {"EchoStar 14", "119.0"}, {"Odd, name", "1"}};
    const ImportResult first = ImportSatellites(*satellites, folder.Path(), entries);
    EXPECT_EQ(first.added, 3);
    EXPECT_EQ(first.alreadyListed, 0);
    EXPECT_EQ(azimora::testing::ReadFile(UserSatelliteFile(folder.Path())),
              "Astra,-19.2\r\nEchoStar 14,119.0\r\nOdd; name,1\r\n");
    ASSERT_EQ(satellites->RootCount(), 104u);
    EXPECT_EQ(satellites->Root(101).Text, "USER: Astra");
    EXPECT_EQ(satellites->Root(101).Data1, "-19.2");
    EXPECT_EQ(satellites->Root(103).Text, "USER: Odd; name");

    // Again, with one new: only that one is added.
    const std::vector<SatelliteEntry> again = {{"Astra", "-19.2"}, {"Odd, name", "1"}, {"Astra", "-19.3"}};
    const ImportResult second = ImportSatellites(*satellites, folder.Path(), again);
    EXPECT_EQ(second.added, 1);
    EXPECT_EQ(second.alreadyListed, 2);

    // An entry that cannot be saved is left out with its reason; the rest go on.
    const std::vector<SatelliteEntry> refused = {
        {"Astra", "-19.2"}, {"No position", ""}, {"Brand new", "7"}, {"Not a number", "nan"}, {"Last", "8"}};
    const ImportResult third = ImportSatellites(*satellites, folder.Path(), refused);
    EXPECT_EQ(third.alreadyListed, 1);
    EXPECT_EQ(third.added, 2);
    ASSERT_EQ(third.notAdded.size(), 2u);
    EXPECT_EQ(third.notAdded[0].entry, 1u);
    EXPECT_EQ(third.notAdded[0].reason, "Nothing was saved: the satellite longitude is empty");
    EXPECT_EQ(third.notAdded[1].entry, 3u);
    EXPECT_EQ(third.notAdded[1].reason, "Nothing was saved: the satellite longitude is not a finite number");

    // What a restart loads is what the listing shows now.
    auto restarted = BuiltInSatelliteCatalogue();
    LoadUserSatellites(*restarted, folder.Path());
    ASSERT_EQ(restarted->RootCount(), satellites->RootCount());
    for (std::size_t i = 101; i < restarted->RootCount(); ++i) {
        EXPECT_EQ(restarted->Root(i).Text, satellites->Root(i).Text);
        EXPECT_EQ(restarted->Root(i).Data1, satellites->Root(i).Data1);
    }
}

}  // namespace
}  // namespace azimora
