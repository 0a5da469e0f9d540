// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// NMEA 0183 fixes from a GPS receiver's log. The sentences with their real
// checksums are the standard's textbook pair (NMEA 0183 as documented by
// D. DePriester, "NMEA data"): 48 07.038 N, 11 31.000 E, 545.4 m above mean
// sea level, geoid 46.9 m above the ellipsoid.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

#include "formats/nmea.h"
#include "nmea_sentences.h"

namespace azimora {
namespace {

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

using azimora::testing::NmeaSentence;
const auto& WithChecksum = NmeaSentence;

TEST(Nmea, TheTextbookFixes) {
    std::string why;
    const auto gga = ParseNmeaFix(kGga, why);
    ASSERT_TRUE(gga) << why;
    EXPECT_NEAR(gga->latitude, 48 + 7.038 / 60, 1e-12);
    EXPECT_NEAR(gga->longitudeWest, -(11 + 31.0 / 60), 1e-12);
    EXPECT_NEAR(*gga->altitudeMetres, 545.4, 1e-9);
    EXPECT_NEAR(*gga->ellipsoidHeightMetres, 545.4 + 46.9, 1e-9);
    EXPECT_EQ(gga->satellites, 8);
    EXPECT_NEAR(*gga->horizontalDilution, 0.9, 1e-12);
    EXPECT_EQ(gga->timeOfDay, "12:35:19");
    const auto rmc = ParseNmeaFix(kRmc + "\r", why);
    ASSERT_TRUE(rmc) << why;
    EXPECT_EQ(rmc->sentence, "RMC");
    EXPECT_FALSE(rmc->altitudeMetres);
}

struct Refused {
    std::string sentence;
    std::string why;  // empty: refused without complaint (no fix yet, another sentence)
};

TEST(Nmea, WhatCarriesNoFix) {
    for (const Refused& r : {
             Refused{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48",
                     "wrong checksum 48 (the sentence gives 47)"},
             Refused{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "no checksum"},
             Refused{"GPGGA,123519,4807.038,N*47", "not an NMEA sentence (no '$' first)"},
             Refused{WithChecksum("GPGGA,123519,4807.038,N,01131.000,E,0,00,,,M,,M,,"), ""},  // no fix yet
             Refused{WithChecksum("GPRMC,123519,V,4807.038,N,01131.000,E,,,230394,,"), ""},   // receiver's warning
             Refused{WithChecksum("GPRMC,123519,A,4807.038,N,01131.000,E,,,230394,,,N"), ""},  // mode: not valid
             Refused{WithChecksum("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00"), ""},
             Refused{WithChecksum("GPGGA,123519,9107.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},
             Refused{WithChecksum("GPGGA,123519,4867.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},  // 67 minutes
             Refused{WithChecksum("GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},
             Refused{WithChecksum("GPGGA,123519,4807.038,N,1131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},  // two digits of degrees for a longitude
             Refused{WithChecksum("GPGGA,123519,4807.038,N"), "GGA with too few fields"},
             Refused{"$GPGGA,1*ZZ", "the checksum is no hex number"},
         }) {
        std::string why = "unset";
        EXPECT_FALSE(ParseNmeaFix(r.sentence, why)) << r.sentence;
        EXPECT_EQ(why, r.why) << r.sentence;
    }
}

// Other talkers, the southern and western hemispheres, 0 E without a -0.
TEST(Nmea, TalkersAndHemispheres) {
    std::string why;
    const auto sydney = ParseNmeaFix(WithChecksum("GNRMC,031500.00,A,3352.200,S,15112.600,E,0.0,,071226,,,A"), why);
    ASSERT_TRUE(sydney) << why;
    EXPECT_NEAR(sydney->latitude, -(33 + 52.2 / 60), 1e-12);
    EXPECT_NEAR(sydney->longitudeWest, -(151 + 12.6 / 60), 1e-12);
    const auto calgary = ParseNmeaFix(WithChecksum("GLGGA,185137,5104.800,N,11404.800,W,2,10,0.7,1045.0,M,-17.3,M,,"), why);
    ASSERT_TRUE(calgary) << why;
    EXPECT_NEAR(calgary->longitudeWest, 114.08, 1e-12);
    EXPECT_NEAR(*calgary->ellipsoidHeightMetres, 1045.0 - 17.3, 1e-9);
    const auto greenwich = ParseNmeaFix(WithChecksum("GPGGA,120000,5128.670,N,00000.000,E,1,05,1.0,46.0,M,47.0,M,,"), why);
    ASSERT_TRUE(greenwich) << why;
    EXPECT_FALSE(std::signbit(greenwich->longitudeWest));
}

TEST(Nmea, TheLastValidFixOfALog) {
    std::ostringstream log;
    log << kGga << "\r\n"
        << kRmc << "\r\n"
        << WithChecksum("GPGGA,123520,4807.040,N,01131.002,E,1,08,0.9,546.0,M,46.9,M,,") << "\n"
        << "$GPGGA,123521,4807.041,N,01131.003,E,1,08,0.9,546.1,M,46.9,M,,*00\n"  // broken checksum
        << WithChecksum("GPRMC,123520,A,4807.040,N,01131.002,E,000.0,000.0,071226,,") << "\n"
        << std::string(5000, 'x') << "\n"
        << WithChecksum("GPGGA,123521,,,,,0,00,,,M,,M,,") << "\n";  // the fix lost at the end
    std::istringstream in(log.str());
    const NmeaLog result = ReadNmeaLog(in);
    ASSERT_TRUE(result.lastFix);
    EXPECT_EQ(result.lastFix->line, 5u);
    EXPECT_EQ(result.lastFix->sentence, "RMC");
    EXPECT_NEAR(result.lastFix->latitude, 48 + 7.040 / 60, 1e-12);
    // The RMC of 12:35:20 takes the height of the GGA of the same second.
    EXPECT_NEAR(*result.lastFix->altitudeMetres, 546.0, 1e-9);
    EXPECT_EQ(result.lines, 7u);
    EXPECT_EQ(result.fixes, 4u);
    EXPECT_EQ(result.broken, 2u);
    ASSERT_EQ(result.problems.size(), 2u);
    EXPECT_EQ(result.problems[0], "line 4: wrong checksum 00 (the sentence gives 47)");
    EXPECT_EQ(result.problems[1], "line 6: longer than 1 KiB: no NMEA sentence");
}

// RMC gives the date (ddmmyy: NMEA 0183 and the textbook's 230394 is 23
// March 1994); a GGA fix, which has none, takes the last RMC's day unless
// midnight came between.
TEST(Nmea, TheDayOfAFix) {
    struct Case {
        std::vector<std::string> lines;
        const char* date;
    };
    const std::string gga19 = WithChecksum("GPGGA,165719,5104.800,N,11404.800,W,1,09,0.8,1045.0,M,-17.3,M,,");
    for (const Case& c : {
             Case{{kRmc}, "1994-03-23"},
             Case{{WithChecksum("GPRMC,165715,V,,,,,,,071226,,,N"), gga19}, "2026-12-07"},  // date without a fix
             Case{{WithChecksum("GPRMC,235959,V,,,,,,,071226,,,N"), WithChecksum("GPGGA,000001,5104.800,N,11404.800,W,1,09,0.8,1045.0,M,-17.3,M,,")}, ""},
             Case{{gga19}, ""},
             Case{{WithChecksum("GPRMC,165719,A,5104.800,N,11404.800,W,0.0,0.0,010180,,,A")}, "1980-01-01"},
             Case{{WithChecksum("GPRMC,165719,A,5104.800,N,11404.800,W,0.0,0.0,311279,,,A")}, "2079-12-31"},
             Case{{WithChecksum("GPRMC,165719,A,5104.800,N,11404.800,W,0.0,0.0,,,,A")}, ""},
         }) {
        std::string text;
        for (const std::string& line : c.lines) text += line + "\r\n";
        std::istringstream in(text);
        const NmeaLog log = ReadNmeaLog(in);
        ASSERT_TRUE(log.lastFix) << text;
        EXPECT_EQ(log.lastFix->date, c.date) << text;
    }
}

TEST(Nmea, ALogWithoutAFix) {
    std::istringstream in(WithChecksum("GPGGA,123521,,,,,0,00,,,M,,M,,") + "\nhello\n\n");
    const NmeaLog result = ReadNmeaLog(in);
    EXPECT_FALSE(result.lastFix);
    EXPECT_EQ(result.broken, 1u);
    EXPECT_EQ(result.problems, (std::vector<std::string>{"line 2: not an NMEA sentence (no '$' first): 'hello'"}));
    std::istringstream empty("");
    EXPECT_FALSE(ReadNmeaLog(empty).lastFix);
}

// What editors and receivers add around good sentences is no reason to
// lose them: a UTF-8 byte-order mark, blanks before, a tab after, lines
// ended by CR alone; every line that is no sentence is named.
TEST(Nmea, HarmlessBytesAroundSentencesAreTakenAndTheRestNamed) {
    const std::string gga = WithChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    struct Case {
        std::string log;
        std::size_t fixLine;
        std::vector<std::string> problems;
    };
    for (const Case& c : {Case{"\xEF\xBB\xBF" + gga + "\r\n", 1, {}}, Case{"   " + gga + "\n", 1, {}},
                          Case{"\t" + gga + "\t\n", 1, {}}, Case{gga + "\r" + gga + "\r", 2, {}},
                          Case{"junk\r" + gga + "\rmore junk", 2,
                               {"line 1: not an NMEA sentence (no '$' first): 'junk'",
                                "line 3: not an NMEA sentence (no '$' first): 'more junk'"}},
                          Case{"!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*23\n" + gga + "\n", 2,
                               {"line 1: an AIS message, no position: '!AIVDM,1,1,,A,13u?etPv2;...'"}}}) {
        std::istringstream in(c.log);
        const NmeaLog result = ReadNmeaLog(in);
        ASSERT_TRUE(result.lastFix) << c.log;
        EXPECT_EQ(result.lastFix->line, c.fixLine) << c.log;
        EXPECT_NEAR(result.lastFix->latitude, 48 + 7.038 / 60, 1e-12);
        EXPECT_EQ(result.problems, c.problems) << c.log;
    }
}

// Every field as NMEA 0183 writes it, or the sentence is unusable and says
// which field: a height of 1e7, nan or abc was dropped and the fix kept; a
// date of 310299 shown as 1999-02-31; times -10000 and 999999 shown as
// "-1:00:00" and "99:99:99".
TEST(Nmea, AFieldNotAsNmeaWritesItMakesTheSentenceUnusable) {
    const auto gga = [](const std::string& time, const std::string& quality, const std::string& satellites,
                        const std::string& height, const std::string& unit = "M") {
        return WithChecksum("GPGGA," + time + ",4807.038,N,01131.000,E," + quality + "," + satellites + ",0.9," + height +
                            "," + unit + ",46.9,M,,");
    };
    const auto rmc = [](const std::string& status, const std::string& date, const std::string& mode = "A",
                        const std::string& speed = "0.0") {
        return WithChecksum("GPRMC,123519," + status + ",4807.038,N,01131.000,E," + speed + ",084.4," + date + ",003.1,W," +
                            mode);
    };
    for (const Refused& r : {
             Refused{gga("123519", "1", "08", "1e7"), "GGA with a height that is no number: '1e7'"},
             Refused{gga("123519", "1", "08", "nan"), "GGA with a height that is no number: 'nan'"},
             Refused{gga("123519", "1", "08", "abc"), "GGA with a height that is no number: 'abc'"},
             Refused{gga("123519", "1", "08", "+545.4"), "GGA with a height that is no number: '+545.4'"},
             Refused{gga("123519", "1", "08", "5-45"), "GGA with a height that is no number: '5-45'"},
             Refused{gga("123519", "1", "08", "."), "GGA with a height that is no number: '.'"},
             Refused{gga("123519", "1", "08", "545.4", "F"), "GGA with a height in other units than metres: 'F'"},
             Refused{gga("-10000", "1", "08", "545.4"), "GGA with a time that is no time of day: '-10000'"},
             Refused{gga("999999", "1", "08", "545.4"), "GGA with a time that is no time of day: '999999'"},
             Refused{gga("126019", "1", "08", "545.4"), "GGA with a time that is no time of day: '126019'"},
             Refused{gga("12351", "1", "08", "545.4"), "GGA with a time that is no time of day: '12351'"},
             Refused{gga("123519.x", "1", "08", "545.4"), "GGA with a time that is no time of day: '123519.x'"},
             Refused{gga("123519", "1.5", "08", "545.4"), "GGA with a fix quality that is none of 0 to 8: '1.5'"},
             Refused{gga("123519", "9", "08", "545.4"), "GGA with a fix quality that is none of 0 to 8: '9'"},
             Refused{gga("123519", "1", "8x", "545.4"), "GGA with a count of satellites that is no whole number: '8x'"},
             Refused{gga("123519", "1", "-8", "545.4"), "GGA with a count of satellites that is no whole number: '-8'"},
             Refused{rmc("A", "310299"), "RMC with a date that is no day of the calendar: '310299'"},
             Refused{rmc("A", "290201"), "RMC with a date that is no day of the calendar: '290201'"},
             Refused{rmc("A", "000000"), "RMC with a date that is no day of the calendar: '000000'"},
             Refused{rmc("A", "2303944"), "RMC with a date that is no day of the calendar: '2303944'"},
             Refused{rmc("X", "230394"), "RMC with a status that is neither A nor V: 'X'"},
             Refused{rmc("A", "230394", "Q"), "RMC with a mode indicator NMEA 0183 does not define: 'Q'"},
             Refused{rmc("A", "230394", "A", "fast"), "RMC with a speed that is no number: 'fast'"},
             Refused{WithChecksum("GPGGA,123519,4807.038.1,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},
             Refused{WithChecksum("GPGGA,123519,48O7.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},
             Refused{WithChecksum("GPGGA,123519,4807.-38,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
                     "GGA with a position that cannot be read"},
         }) {
        std::string why = "unset";
        EXPECT_FALSE(ParseNmeaFix(r.sentence, why)) << r.sentence;
        EXPECT_EQ(why, r.why) << r.sentence;
        // Said once in the log, as a bad checksum is; the fix before it stays the last.
        std::istringstream in(kGga + "\n" + r.sentence + "\n");
        const NmeaLog log = ReadNmeaLog(in);
        ASSERT_TRUE(log.lastFix);
        EXPECT_EQ(log.lastFix->line, 1u) << r.sentence;
        EXPECT_EQ(log.problems, std::vector<std::string>{"line 2: " + r.why}) << r.sentence;
    }
    // What NMEA allows is taken: an empty height (no height), fractions of
    // a second, a leap second, the 29th of February 2000.
    struct Taken {
        std::string sentence;
        std::string time;
        std::string date;
        bool height;
    };
    for (const Taken& t : {Taken{gga("123519.25", "1", "08", ""), "12:35:19", "", false},
                           Taken{gga("235960", "2", "", "545."), "23:59:60", "", true},
                           Taken{rmc("A", "290200"), "12:35:19", "2000-02-29", false},
                           Taken{rmc("A", ""), "12:35:19", "", false}}) {
        std::string why;
        const auto fix = ParseNmeaFix(t.sentence, why);
        ASSERT_TRUE(fix) << t.sentence << ": " << why;
        EXPECT_EQ(fix->timeOfDay, t.time) << t.sentence;
        EXPECT_EQ(fix->date, t.date) << t.sentence;
        EXPECT_EQ(fix->altitudeMetres.has_value(), t.height) << t.sentence;
    }
}

// A height no site has (a checksum-right GGA at -99,999,999 m) is refused as
// a typed --altitude-km of it would be: -10 to 1000 km.
TEST(Nmea, HeightsOutsideTheSitesRangeAreRefused) {
    std::string why;
    for (const char* height : {"-99999999.0", "1000001.0", "-10001.0"}) {
        const auto fix = ParseNmeaFix(
            WithChecksum(std::string("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,") + height + ",M,0.0,M,,"), why);
        EXPECT_FALSE(fix) << height;
        EXPECT_NE(why.find("outside -10 to 1000 km"), std::string::npos) << why;
    }
    EXPECT_TRUE(ParseNmeaFix(WithChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,-400.0,M,10.0,M,,"), why));
}

}  // namespace
}  // namespace azimora
