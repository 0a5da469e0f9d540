// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The installer's figures at the edges: satellites out of sight or straight
// overhead, the sun below the horizon, a compass near the magnetic poles,
// dishes too small for their frequency, polarisation by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "errors.h"
#include "formats/dvb_scan_tables.h"
#include "installation.h"
#include "sky/sun_position.h"

namespace azimora {
namespace {

InstallationInputs Site(double latitude, double longitudeWest, double satellite, CivilDate date = {2026, 12, 7}) {
    InstallationInputs inputs;
    inputs.latitude = latitude;
    inputs.longitudeWest = longitudeWest;
    inputs.satelliteLongitudeWest = satellite;
    inputs.instant = StartOfDay(date);
    return inputs;
}

// The sun outages of the UTC year of the instant, for the dish of the inputs.
std::vector<SunOutage> OutagesOfTheYear(const InstallationInputs& inputs) {
    CheckDishAndFrequency(inputs.dishDiameterMetres, inputs.frequencyGHz);
    const int year = DateOf(inputs.instant).year;
    return SunOutages(DishSiteOf(inputs), OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz),
                      StartOfDay({year, 1, 1}), StartOfDay({year + 1, 1, 1}));
}

TEST(InstallationEdges, ASatelliteOutOfSightHasNothingToSet) {
    // Calgary and Astra 19.2 E: far below the horizon.
    const InstallationFigures figures = ComputeInstallation(Site(51.08, 114.08, -19.2));
    EXPECT_FALSE(figures.visible);
    EXPECT_LT(static_cast<double>(figures.pointing.Elevation), 0);
    EXPECT_FALSE(figures.skew);
    EXPECT_FALSE(figures.motor);
    EXPECT_FALSE(figures.dishTilt);
    EXPECT_TRUE(OutagesOfTheYear(Site(51.08, 114.08, -19.2)).empty());
    // Calgary and Anik E2: all there.
    const InstallationFigures anik = ComputeInstallation(Site(51.08, 114.08, 107.3));
    EXPECT_TRUE(anik.visible && anik.skew && anik.motor && anik.dishTilt);
}

// Straight under the satellite the LNB has no "up" to turn from: no skew,
// where the table printed "nan".
TEST(InstallationEdges, StraightUnderTheSatelliteThereIsNoSkew) {
    const InstallationFigures figures = ComputeInstallation(Site(0, 10, 10));
    EXPECT_TRUE(figures.visible);
    EXPECT_NEAR(static_cast<double>(figures.pointing.Elevation), 90, 1e-9);
    EXPECT_FALSE(figures.skew);
    EXPECT_TRUE(figures.motor && figures.dishTilt);
}

// 81.3 N, satellite at 0, 2026-03-01: eight outages were listed with the
// sun below the horizon, where the Earth is in the way. (The satellite
// stands 0.03 degree high there: too low to count as seen, high enough for
// the geometry of the search.)
TEST(InstallationEdges, AnOutageNeedsTheSunAboveTheHorizon) {
    const InstallationInputs inputs = Site(81.3, 0, 0, {2026, 3, 1});
    const InstallationFigures figures = ComputeInstallation(inputs);
    ASSERT_GT(static_cast<double>(figures.pointing.Elevation), 0);
    ASSERT_FALSE(OutagesOfTheYear(inputs).empty());
    const auto up = [&](UnixSeconds t) { return ToHorizon(SunDirection(t), inputs.latitude, inputs.longitudeWest).elevation; };
    for (const SunOutage& outage : OutagesOfTheYear(inputs)) {
        EXPECT_LE(outage.start, outage.peak);
        EXPECT_LE(outage.peak, outage.end);
        for (const UnixSeconds t : {outage.start + 1, outage.peak, outage.end - 1})
            EXPECT_GT(up(t), -0.01) << IsoUtc(outage.start) << " sun at " << up(t);
    }
    // Sampled every minute around the equinox: no moment inside an outage
    // has the sun below the horizon, and no sunny moment within the
    // threshold is missed.
    const auto outages = OutagesOfTheYear(inputs);
    for (UnixSeconds t = StartOfDay({2026, 2, 25}); t < StartOfDay({2026, 3, 15}); t += 60) {
        bool inside = false;
        for (const SunOutage& outage : outages) inside |= t >= outage.start && t <= outage.end;
        if (inside) {
            EXPECT_GT(up(t), -0.01) << IsoUtc(t);
        }
    }
}

// Refused with one line, where the search hung (1e-200) or ended before it began.
TEST(InstallationEdges, ADishWithoutABeamIsRefused) {
    struct Case {
        double dish, frequency;
        bool refused;
    };
    for (const Case& c : {Case{1e-200, 1e-200, true}, Case{0.01, 0.001, true}, Case{0.6, 0.1, true}, Case{0, 12, true},
                          Case{0.3, 1, true}, Case{0.6, 12, false}, Case{0.6, 1, false}, Case{3, 4, false}}) {
        InstallationInputs inputs = Site(51.08, 114.08, 107.3);
        inputs.dishDiameterMetres = c.dish;
        inputs.frequencyGHz = c.frequency;
        if (c.refused) {
            EXPECT_THROW((void)ComputeInstallation(inputs), Error) << c.dish << " m, " << c.frequency << " GHz";
            EXPECT_THROW((void)OutagesOfTheYear(inputs), Error);
        } else {
            EXPECT_LE(ComputeInstallation(inputs).outageThreshold, kWidestOutageThreshold);
            for (const SunOutage& outage : OutagesOfTheYear(inputs)) EXPECT_LT(outage.start, outage.end);
        }
    }
}

// The horizontal field against NOAA's WMM2025 test values (their column
// h_nt, to 1 nT), and the warning the model's report sets for it: under
// 2000 nT unreliable, under 6000 nT caution.
TEST(InstallationEdges, TheCompassWarningFollowsTheHorizontalField) {
    std::ifstream in(AZIMORA_TEST_DATA "/wmm2025_test_values.csv");
    ASSERT_TRUE(in);
    std::string line;
    std::getline(in, line);
    int unreliable = 0, caution = 0;
    while (std::getline(in, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream fields(line);
        double year, altitude, latitude, east, x, y, z, h;
        fields >> year >> altitude >> latitude >> east >> x >> y >> z >> h;
        InstallationInputs inputs = Site(latitude, -east, -east);
        inputs.altitudeKm = altitude;
        inputs.instant = InstantOfDecimalYear(year);
        const InstallationFigures figures = ComputeInstallation(inputs);
        EXPECT_NEAR(figures.horizontalFieldNt, h, 1) << line;
        const CompassWarning expected = h < 2000 ? CompassWarning::Unreliable
                                        : h < 6000 ? CompassWarning::Caution
                                                   : CompassWarning::None;
        EXPECT_EQ(figures.compassWarning, expected) << line;
        unreliable += expected == CompassWarning::Unreliable;
        caution += expected == CompassWarning::Caution;
    }
    EXPECT_GT(unreliable, 0);
    EXPECT_GT(caution, 0);
}

// "Circular" only for the satellite a scan table names at that position.
TEST(InstallationEdges, PolarisationByTheSatellitesName) {
    const std::vector<ScanTableSatellite> tables = {
        {"EchoStar 14", "119.0", 119, Polarisation::Circular, "EchoStar-14-119.0W"},
        {"DirecTV 10", "103.0", 103, Polarisation::Circular, "DirecTV-10-103.0W"},
        {"Galaxy 3", "103.0", 103, Polarisation::Linear, "Galaxy-3-103.0W"},
        {"Intelsat 11", "43.0", 43, Polarisation::Linear, "Intelsat-11-43.0W"},
    };
    const SatellitePolarisation echostar = PolarisationOf(tables, "USER: EchoStar-14", 119);
    EXPECT_EQ(echostar.ofSatellite, Polarisation::Circular);
    // A linear service at a circular table's position keeps its skew.
    const SatellitePolarisation other = PolarisationOf(tables, "Echostar I/II - Dish Network (English)", 119);
    EXPECT_EQ(other.ofSatellite, Polarisation::Unknown);
    EXPECT_EQ(other.atPosition, Polarisation::Circular);
    EXPECT_EQ(other.namesAtPosition, (std::vector<std::string>{"EchoStar 14"}));
    // Tables that differ at one position.
    const SatellitePolarisation shared = PolarisationOf(tables, "GE-4", 103);
    EXPECT_EQ(shared.atPosition, Polarisation::Mixed);
    EXPECT_EQ(PolarisationOf(tables, "galaxy 3", 103).ofSatellite, Polarisation::Linear);
    EXPECT_EQ(PolarisationOf(tables, "Anything", 47.5).atPosition, Polarisation::Unknown);
}

}  // namespace
}  // namespace azimora
