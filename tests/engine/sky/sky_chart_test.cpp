// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "controller/display_site.h"
#include "geometry/pointing.h"
#include "sky/sky_chart.h"
#include "sky/sun_position.h"

namespace azimora {
namespace {

TEST(ObstacleHorizon, StraightBetweenNeighbouringMarks) {
    ObstacleHorizon skyline;
    EXPECT_EQ(skyline.ElevationAt(123), 0);
    skyline.Add({170, 20});
    EXPECT_EQ(skyline.ElevationAt(170), 20);  // one mark: there only
    EXPECT_EQ(skyline.ElevationAt(171), 0);
    skyline.Add({190, 40});
    skyline.Add({350, 10});
    skyline.Add({-30, 30});  // 330, and round north to 10 degrees
    skyline.Add({10, 20});
    struct Case {
        double azimuth, elevation;
    };
    for (const Case& c : {Case{170, 20}, Case{180, 30}, Case{190, 40}, Case{270, 0}, Case{340, 20}, Case{350, 10},
                          Case{0, 15}, Case{-10, 10}, Case{10, 20}, Case{90, 0}, Case{530, 20}}) {
        EXPECT_NEAR(skyline.ElevationAt(c.azimuth), c.elevation, 1e-9) << c.azimuth;
    }
    EXPECT_TRUE(skyline.Blocks({180, 29.9}));
    EXPECT_FALSE(skyline.Blocks({180, 30.1}));
    EXPECT_TRUE(skyline.Blocks({90, -1}));
    skyline.Add({190, 10});  // the same azimuth again replaces it
    EXPECT_EQ(skyline.Points().size(), 5u);
    EXPECT_NEAR(skyline.ElevationAt(190), 10, 1e-9);
    skyline.Remove(0);
    EXPECT_EQ(skyline.Points().front().azimuth, 170);
}

TEST(SkyChart, TheSatellitesStandOnTheArcAndTheSelectedOneWhereTheWindowPointsTheDish) {
    SkyChartRequest request;
    request.latitude = 51.08;
    request.longitudeWest = 114.08;
    request.selectedName = "Anik E2 - Star Choice (Canada)";
    request.selectedLongitudeWest = 107.3;
    const std::vector<CatalogueSatellite> catalogue = {{"Anik E2", 107.3}, {"Astra", -19.2}, {"Galaxy 3", 93.5}};
    request.catalogue = catalogue;
    // Calgary's day of 2026-12-07 (MST, UTC-7), its whole hours.
    request.dayStart = StartOfDay({2026, 12, 7}) + 7 * 3600;
    request.dayEnd = request.dayStart + kSecondsPerDay;
    for (int hour = 0; hour < 24; ++hour) request.hours.push_back({request.dayStart + hour * 3600, hour});
    ObstacleHorizon skyline;
    skyline.Add({150, 35});
    skyline.Add({200, 35});
    const SkyChart chart = BuildSkyChart(request, skyline);

    PointingInputs inputs;
    inputs.Latitude = 51.08;
    inputs.Longitude = 114.08;
    inputs.SatLongitude = 107.3;
    const PointingResult pointing = CalculatePointing(inputs);
    ASSERT_EQ(chart.satellites.size(), 3u);  // Astra is below Calgary's horizon
    const ChartSatellite& anik = chart.satellites.back();
    EXPECT_TRUE(anik.selected);
    EXPECT_EQ(anik.name, "Anik E2 - Star Choice (Canada)");
    EXPECT_NEAR(anik.position.azimuth, static_cast<double>(pointing.Azimuth), 1e-6);
    EXPECT_NEAR(anik.position.elevation, static_cast<double>(pointing.Elevation), 1e-6);
    EXPECT_TRUE(anik.blocked);  // 31 degrees under a 35 degree skyline
    EXPECT_FALSE(chart.satellites[0].selected);
    EXPECT_EQ(chart.satellites[1].name, "Galaxy 3");
    // The arc runs from the eastern horizon to the western one and peaks near the south.
    ASSERT_GT(chart.geostationaryArc.size(), 100u);
    EXPECT_LT(chart.geostationaryArc.front().azimuth, 180);
    EXPECT_GT(chart.geostationaryArc.back().azimuth, 180);
    const auto highest = std::max_element(chart.geostationaryArc.begin(), chart.geostationaryArc.end(),
                                          [](const SkyPosition& a, const SkyPosition& b) { return a.elevation < b.elevation; });
    EXPECT_NEAR(highest->azimuth, 180, 1);
    // The sun of a December day in Calgary, with local hours 8 to 16.
    ASSERT_FALSE(chart.sunHours.empty());
    EXPECT_GE(chart.sunHours.front().hour, 8);
    EXPECT_LE(chart.sunHours.back().hour, 16);
    for (const SunMark& mark : chart.sunHours) {
        const HorizonPosition sun = ToHorizon(SunDirection(request.dayStart + mark.hour * 3600.0), 51.08, 114.08);
        EXPECT_NEAR(mark.position.azimuth, sun.azimuth, 1e-9);
    }
}

TEST(DisplaySite, OnlyTextsThatCalculateDescribeASite) {
    DisplayValues values;
    EXPECT_FALSE(SiteOfDisplay(values));  // "0.00" everywhere at the start
    values.NLat = "51.08";
    values.WLong = "114.08";
    values.SatLong = "107.3";
    const auto site = SiteOfDisplay(values);
    ASSERT_TRUE(site);
    EXPECT_DOUBLE_EQ(site->latitude, 51.08);
    EXPECT_DOUBLE_EQ(site->satelliteLongitudeWest, 107.3);
    EXPECT_EQ(site->locationName, "No location selected.");
    for (const auto& [field, text] : {std::pair{DisplayField::NLat, ""}, std::pair{DisplayField::WLong, "0.00"},
                                      std::pair{DisplayField::SatLong, "-"}, std::pair{DisplayField::NLat, "1e5000"}}) {
        DisplayValues edited = values;
        edited[field] = text;
        EXPECT_FALSE(SiteOfDisplay(edited)) << text;
    }
    values.NLat = "0";
    values.WLong = "10";
    values.SatLong = "10";
    EXPECT_TRUE(SiteOfDisplay(values));  // straight overhead still calculates
}

}  // namespace
}  // namespace azimora
