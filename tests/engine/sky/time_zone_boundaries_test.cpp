// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "errors.h"
#include "formats/site_zone.h"
#include "sky/time_zone_boundaries.h"
#include "temp_folder.h"

namespace azimora {
namespace {

const TimeZoneBoundaries& Boundaries() {
    static const TimeZoneBoundaries boundaries = TimeZoneBoundaries::Read(TimeZoneBoundariesFile());
    return boundaries;
}

// Towns whose zone libgweather's tz-hint gets wrong (its hint is per country
// or state): the coordinates are libgweather's where it lists the town,
// else the town's published ones; the zones are the IANA tz database's
// (zone.tab) for each place.
TEST(TimeZoneBoundaries, TownsTheCountrysZoneGetsWrong) {
    struct Case {
        const char* town;
        double latitude, longitudeEast;
        const char* zone;
    };
    for (const Case& c : {
             Case{"Cancun", 21.166667, -86.833333, "America/Cancun"},
             Case{"Denpasar", -8.65, 115.216667, "Asia/Makassar"},
             Case{"Hanga Roa", -27.15, -109.433333, "Pacific/Easter"},
             Case{"Kiritimati (London)", 1.983, -157.467, "Pacific/Kiritimati"},
             Case{"Cambridge Bay", 69.1, -105.116667, "America/Cambridge_Bay"},
             Case{"Udachnyy", 66.416667, 112.4, "Asia/Yakutsk"},
             Case{"Whitehorse", 60.716667, -135.066667, "America/Whitehorse"},
             Case{"Lord Howe Island", -31.55, 159.083, "Australia/Lord_Howe"},
             Case{"Waitangi, Chatham Islands", -43.95, -176.567, "Pacific/Chatham"},
             Case{"Broken Hill", -31.95, 141.467, "Australia/Broken_Hill"},
             Case{"Calgary", 51.0833, -114.0833, "America/Edmonton"},
             Case{"Sydney", -33.8667, 151.2, "Australia/Sydney"},
             Case{"Belfast", 54.6, -5.933, "Europe/London"},
         }) {
        const auto zone = Boundaries().ZoneAt(c.latitude, c.longitudeEast);
        ASSERT_TRUE(zone.has_value()) << c.town;
        EXPECT_EQ(*zone, c.zone) << c.town;
    }
}

// Every principal place of the tz database's zone.tab lies in its own zone
// (the boundaries are drawn for the same zones). Monaco's place, 43 42 N
// 7 23 E, lies a kilometre west of the principality, in France, for the
// boundaries' own data too (geo-tz gives Europe/Paris there).
TEST(TimeZoneBoundaries, EveryZoneTabPlaceLiesInItsZone) {
    std::ifstream table("/usr/share/zoneinfo/zone.tab");
    if (!table) GTEST_SKIP() << "tzdata's zone.tab is not installed";
    // "+4230+00131" is degrees and minutes, "+394030-0720445" adds seconds.
    const auto angle = [](const std::string& text, int degreeDigits) {
        const double sign = text[0] == '-' ? -1 : 1;
        const std::string digits = text.substr(1);
        double value = std::stod(digits.substr(0, degreeDigits)) + std::stod(digits.substr(degreeDigits, 2)) / 60;
        if (digits.size() > static_cast<std::size_t>(degreeDigits + 2))
            value += std::stod(digits.substr(degreeDigits + 2, 2)) / 3600;
        return sign * value;
    };
    int places = 0;
    std::string line;
    std::ostringstream elsewhere;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string country, coordinates, zone;
        fields >> country >> coordinates >> zone;
        const std::size_t split = coordinates.find_first_of("+-", 1);
        const double latitude = angle(coordinates.substr(0, split), 2);
        const double longitude = angle(coordinates.substr(split), 3);
        ++places;
        if (zone == "Europe/Monaco") continue;
        const auto found = Boundaries().ZoneAt(latitude, longitude);
        if (found.value_or("-") != zone) elsewhere << zone << " at " << coordinates << ": " << found.value_or("-") << "\n";
    }
    EXPECT_GT(places, 300);
    EXPECT_EQ(elsewhere.str(), "");
}

TEST(TimeZoneBoundaries, TheOpenSeaIsInNoZone) {
    for (const auto& [latitude, longitude] : {std::pair{30.0, -40.0}, {-40.0, 90.0}, {0.0, -150.0}, {-60.0, 0.0}}) {
        EXPECT_FALSE(Boundaries().ZoneAt(latitude, longitude).has_value()) << latitude << ", " << longitude;
    }
}

// The ends of the world and numbers that are none give an answer or none,
// never a fault.
TEST(TimeZoneBoundaries, TheEdgesOfTheWorld) {
    for (const auto& [latitude, longitude] : {std::pair{90.0, 0.0}, {-90.0, 0.0}, {-89.99999, 12.0}, {10.0, 180.0},
                                              {10.0, -180.0}, {-16.5, 179.99999}, {-16.5, 540.0}, {0.0, 0.0}}) {
        (void)Boundaries().ZoneAt(latitude, longitude);
    }
    EXPECT_EQ(Boundaries().ZoneAt(-90.0, 0.0).value_or("-").substr(0, 11), "Antarctica/");
    EXPECT_FALSE(Boundaries().ZoneAt(std::nan(""), 0).has_value());
    EXPECT_FALSE(Boundaries().ZoneAt(91, 0).has_value());
    // The date line: Fiji's islands either side of it are Fiji's.
    EXPECT_EQ(Boundaries().ZoneAt(-16.8, 179.99), "Pacific/Fiji");
    EXPECT_EQ(Boundaries().ZoneAt(-16.8, -179.99), "Pacific/Fiji");
    EXPECT_EQ(Boundaries().ZoneAt(-16.8, 180.01), "Pacific/Fiji");
}

// The nautical zones: 15 degrees wide, centred on the multiples of 15, with
// the POSIX sign of the IANA names (Etc/GMT+8 is eight hours behind UTC).
TEST(TimeZoneBoundaries, NauticalZonesOfTheLongitude) {
    struct Case {
        double longitudeEast;
        const char* zone;
    };
    for (const Case& c : {Case{0, "Etc/GMT"}, Case{7.4, "Etc/GMT"}, Case{-7.4, "Etc/GMT"}, Case{7.6, "Etc/GMT-1"},
                          Case{-7.6, "Etc/GMT+1"}, Case{-120, "Etc/GMT+8"}, Case{-40, "Etc/GMT+3"},
                          Case{172.4, "Etc/GMT-11"}, Case{172.6, "Etc/GMT-12"}, Case{179.9, "Etc/GMT-12"},
                          Case{-179.9, "Etc/GMT+12"}, Case{-172.4, "Etc/GMT+11"}, Case{360 - 120, "Etc/GMT+8"}}) {
        EXPECT_EQ(NauticalZone(c.longitudeEast), c.zone) << c.longitudeEast;
    }
}

TEST(TimeZoneBoundaries, ADamagedOrWrongFileIsRefusedWithAMessage) {
    testing::TempFolder folder;
    std::ifstream whole(TimeZoneBoundariesFile(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    for (const std::string& damaged : {bytes.substr(0, bytes.size() / 2), bytes.substr(0, 40), std::string("AZTZ"),
                                       "AZTZ\x02" + bytes.substr(5), std::string("hello, world"), bytes + "x"}) {
        EXPECT_THROW(TimeZoneBoundaries{damaged}, Error) << damaged.size();
    }
    const std::filesystem::path fifo = folder.Path() / "time-zones.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW((void)TimeZoneBoundaries::Read(fifo), Error);  // at once: no writer is waited for
    try {
        (void)TimeZoneBoundaries::Read(folder.Path() / "none.dat");
        ADD_FAILURE() << "a missing file read";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The time-zone boundaries' file " + (folder.Path() / "none.dat").string() +
                      " is missing; reinstall the program.");
    }
}

// Outside every boundary the nearest town within 200 km serves, else the
// nautical zone; without the boundaries' file, the towns, else UTC.
TEST(SiteZone, BoundaryThenTownThenTheSea) {
    PlaceIndex towns({Place{{51.0833, 114.0833}, "Calgary", "Alberta", "Canada", "calgary", "America/Edmonton"},
                      Place{{37.74, 25.67}, "Ponta Delgada", "Azores", "Portugal", "ponta delgada", "Atlantic/Azores"}});
    const SiteZoneFinding calgary = FindSiteZone(&Boundaries(), &towns, 51.09, 114.07);
    EXPECT_EQ(calgary.zone, "America/Edmonton");
    EXPECT_EQ(calgary.source, SiteZoneSource::Boundary);
    ASSERT_NE(calgary.town, nullptr);
    EXPECT_EQ(calgary.town->name, "Calgary");
    // 100 km out to sea from the Azores.
    const SiteZoneFinding offshore = FindSiteZone(&Boundaries(), &towns, 37.74, 24.5);
    EXPECT_EQ(offshore.zone, "Atlantic/Azores");
    EXPECT_EQ(offshore.source, SiteZoneSource::NearestTown);
    EXPECT_NEAR(offshore.townKm, 103, 2);
    const SiteZoneFinding atlantic = FindSiteZone(&Boundaries(), &towns, 30, 40);
    EXPECT_EQ(atlantic.zone, "Etc/GMT+3");
    EXPECT_EQ(atlantic.source, SiteZoneSource::AtSea);
    EXPECT_EQ(FindSiteZone(nullptr, &towns, 51.09, 114.07).source, SiteZoneSource::NearestTown);
    const SiteZoneFinding nothing = FindSiteZone(nullptr, nullptr, 51.09, 114.07);
    EXPECT_EQ(nothing.zone, "UTC");
    EXPECT_EQ(nothing.source, SiteZoneSource::Unknown);
}

}  // namespace
}  // namespace azimora
