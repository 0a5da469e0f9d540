// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Orbit mean-elements messages in their four forms against published
// examples: the OMM of GOES 9 in CCSDS 502.0-B-2 ("Orbit Data Messages",
// its OMM example, with the two-line set it was made from) and the samples
// of CelesTrak's GP data that python3-sgp4 installs (VANGUARD 1). The same
// object in OMM and TLE must stand at the same place.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "errors.h"
#include "formats/orbit_mean_elements.h"
#include "formats/two_line_elements.h"

namespace azimora {
namespace {

// CCSDS 502.0-B-2, the OMM example (KVN), as published.
const std::string kGoes9Kvn =
    "CCSDS_OMM_VERS = 2.0\n"
    "CREATION_DATE = 2007-065T16:00:00\n"
    "ORIGINATOR = NOAA/USA\n"
    "OBJECT_NAME = GOES 9\n"
    "OBJECT_ID = 1995-025A\n"
    "CENTER_NAME = EARTH\n"
    "REF_FRAME = TEME\n"
    "TIME_SYSTEM = UTC\n"
    "MEAN_ELEMENT_THEORY = SGP/SGP4\n"
    "EPOCH = 2007-064T10:34:41.4264\n"
    "MEAN_MOTION = 1.00273272 [rev/day]\n"
    "ECCENTRICITY = 0.0005013\n"
    "INCLINATION = 3.0539 [deg]\n"
    "RA_OF_ASC_NODE = 81.7939 [deg]\n"
    "ARG_OF_PERICENTER = 249.2363 [deg]\n"
    "MEAN_ANOMALY = 150.1602 [deg]\n"
    "GM = 398600.8 [km**3/s**2]\n"
    "EPHEMERIS_TYPE = 0\n"
    "CLASSIFICATION_TYPE = U\n"
    "NORAD_CAT_ID = 23581\n"
    "ELEMENT_SET_NO = 0925\n"
    "REV_AT_EPOCH = 4316\n"
    "BSTAR = 0.0001 [1/ER]\n"
    "MEAN_MOTION_DOT = -0.00000113 [rev/day**2]\n"
    "MEAN_MOTION_DDOT = 0.0 [rev/day**3]\n";
const std::string kGoes9Tle =
    "GOES 9\n"
    "1 23581U 95025A   07064.44075725 -.00000113  00000-0  10000-3 0  9250\n"
    "2 23581   3.0539  81.7939 0005013 249.2363 150.1602  1.00273272 43169\n";
// The same message in the NDM/XML schema, CelesTrak's JSON and its CSV.
const std::string kGoes9Xml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ndm xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<!-- GOES 9, CCSDS 502.0-B-2 -->\n"
    "<omm id=\"CCSDS_OMM_VERS\" version=\"2.0\">\n"
    "<header><CREATION_DATE>2007-065T16:00:00</CREATION_DATE><ORIGINATOR>NOAA/USA</ORIGINATOR></header>\n"
    "<body><segment><metadata><OBJECT_NAME>GOES 9</OBJECT_NAME><OBJECT_ID>1995-025A</OBJECT_ID>"
    "<CENTER_NAME>EARTH</CENTER_NAME><REF_FRAME>TEME</REF_FRAME><TIME_SYSTEM>UTC</TIME_SYSTEM>"
    "<MEAN_ELEMENT_THEORY>SGP/SGP4</MEAN_ELEMENT_THEORY></metadata>\n"
    "<data><meanElements><EPOCH>2007-03-05T10:34:41.4264</EPOCH><MEAN_MOTION>1.00273272</MEAN_MOTION>"
    "<ECCENTRICITY>0.0005013</ECCENTRICITY><INCLINATION>3.0539</INCLINATION><RA_OF_ASC_NODE>81.7939</RA_OF_ASC_NODE>"
    "<ARG_OF_PERICENTER>249.2363</ARG_OF_PERICENTER><MEAN_ANOMALY>150.1602</MEAN_ANOMALY></meanElements>\n"
    "<tleParameters><NORAD_CAT_ID>23581</NORAD_CAT_ID><BSTAR>0.0001</BSTAR></tleParameters></data>"
    "</segment></body></omm></ndm>\n";
const std::string kGoes9Json =
    "[{\"OBJECT_NAME\":\"GOES 9\",\"OBJECT_ID\":\"1995-025A\",\"EPOCH\":\"2007-03-05T10:34:41.426400\","
    "\"MEAN_MOTION\":1.00273272,\"ECCENTRICITY\":0.0005013,\"INCLINATION\":3.0539,\"RA_OF_ASC_NODE\":81.7939,"
    "\"ARG_OF_PERICENTER\":249.2363,\"MEAN_ANOMALY\":150.1602,\"EPHEMERIS_TYPE\":0,\"CLASSIFICATION_TYPE\":\"U\","
    "\"NORAD_CAT_ID\":23581,\"ELEMENT_SET_NO\":999,\"REV_AT_EPOCH\":4316,\"BSTAR\":0.0001,"
    "\"MEAN_MOTION_DOT\":-1.13e-6,\"MEAN_MOTION_DDOT\":0}]\n";
const std::string kGoes9Csv =
    "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,"
    "EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\r\n"
    "GOES 9,1995-025A,2007-03-05T10:34:41.426400,1.00273272,.0005013,3.0539,81.7939,249.2363,150.1602,0,U,23581,999,"
    "4316,.1E-3,-.113E-5,0\r\n";

const UnixSeconds kGoes9Epoch = StartOfDay({2007, 3, 5}) + 10 * 3600 + 34 * 60 + 41.4264;

TEST(OrbitMeanElements, EachFormIsKnownByItsFirstBytes) {
    struct Case {
        std::string text;
        ElementFormat format;
    };
    for (const Case& c : {Case{kGoes9Kvn, ElementFormat::OmmKvn}, Case{kGoes9Xml, ElementFormat::OmmXml},
                          Case{"\xEF\xBB\xBF" + kGoes9Json, ElementFormat::OmmJson}, Case{kGoes9Csv, ElementFormat::OmmCsv},
                          Case{kGoes9Tle, ElementFormat::TwoLine}, Case{"", ElementFormat::TwoLine},
                          Case{"COMMENT made by hand\nCCSDS_OMM_VERS = 2.0\n", ElementFormat::OmmKvn}})
        EXPECT_EQ(SniffElementFormat(c.text), c.format) << c.text.substr(0, 40);
}

// The four forms and the two-line set give the same elements, and SGP4
// puts them in the same place a day after the epoch.
TEST(OrbitMeanElements, TheStandardsExampleInEveryFormAsItsTwoLineSet) {
    const ElementSetFile fromTle = ReadOrbitElements(kGoes9Tle, kGoes9Epoch + kSecondsPerDay);
    ASSERT_EQ(fromTle.objects.size(), 1u);
    const GeostationaryObject& reference = fromTle.objects[0];
    for (const std::string& text : {kGoes9Kvn, kGoes9Xml, kGoes9Json, kGoes9Csv}) {
        const ElementFormat format = SniffElementFormat(text);
        const std::vector<OmmRecord> records = OmmRecordsOf(text, format);
        ASSERT_EQ(records.size(), 1u) << ElementFormatName(format);
        std::string problem;
        const auto elements = ElementsOfOmm(records[0], problem);
        ASSERT_TRUE(elements) << ElementFormatName(format) << ": " << problem;
        EXPECT_EQ(elements->name, "GOES 9");
        EXPECT_EQ(elements->catalogueNumber, "23581");
        EXPECT_NEAR(elements->epoch, kGoes9Epoch, 1e-3) << ElementFormatName(format);
        EXPECT_NEAR(elements->epoch, reference.elements.epoch, 1e-3) << ElementFormatName(format);
        EXPECT_DOUBLE_EQ(elements->meanMotion, 1.00273272);
        EXPECT_DOUBLE_EQ(elements->eccentricity, 0.0005013);
        EXPECT_DOUBLE_EQ(elements->inclination, 3.0539);
        EXPECT_DOUBLE_EQ(elements->bstar, 1e-4);
        const ElementSetFile placed = ReadOrbitElements(text, kGoes9Epoch + kSecondsPerDay);
        ASSERT_EQ(placed.objects.size(), 1u) << ElementFormatName(format);
        EXPECT_NEAR(placed.objects[0].longitudeWest, reference.longitudeWest, 1e-6) << ElementFormatName(format);
        EXPECT_NEAR(placed.objects[0].driftPerDay, reference.driftPerDay, 1e-9) << ElementFormatName(format);
    }
}

// CelesTrak's GP samples as python3-sgp4 installs them (reference data).
TEST(OrbitMeanElements, CelesTraksSamples) {
    const std::string folder = "/usr/lib/python3/dist-packages/sgp4/";
    for (const char* name : {"sample_omm.xml", "sample_omm.csv"}) {
        std::ifstream file(folder + name);
        if (!file) GTEST_SKIP() << "python3-sgp4 is not installed";
        std::stringstream text;
        text << file.rdbuf();
        const std::vector<OmmRecord> records = OmmRecordsOf(text.str(), SniffElementFormat(text.str()));
        ASSERT_EQ(records.size(), 1u) << name;
        std::string problem;
        const auto elements = ElementsOfOmm(records[0], problem);
        ASSERT_TRUE(elements) << name << ": " << problem;
        EXPECT_EQ(elements->name, "VANGUARD 1");
        EXPECT_EQ(elements->catalogueNumber, "5");
        EXPECT_NEAR(elements->epoch, StartOfDay({2020, 10, 13}) + 4 * 3600 + 52 * 60 + 48.47232, 1e-4);
        EXPECT_DOUBLE_EQ(elements->meanMotion, 10.84869164);
        EXPECT_DOUBLE_EQ(elements->eccentricity, 0.1845686);
        EXPECT_DOUBLE_EQ(elements->bstar, -0.22483e-4);
        // Not geostationary: skipped with its place and reason.
        const ElementSetFile placed = ReadOrbitElements(text.str(), elements->epoch);
        EXPECT_TRUE(placed.objects.empty());
        ASSERT_EQ(placed.skipped.size(), 1u);
        EXPECT_EQ(placed.skipped[0].substr(placed.skipped[0].find(": ")),
                  ": not geostationary: 10.85 revolutions a day") << placed.skipped[0];
    }
}

// Every unusable record is listed with its place and reason; the others go on.
TEST(OrbitMeanElements, WhatCannotBeUsedIsListedWithItsPlace) {
    const std::string header = "OBJECT_NAME,NORAD_CAT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
                               "ARG_OF_PERICENTER,MEAN_ANOMALY,BSTAR\n";
    const std::string good = ",2026-12-01T00:00:00,1.00271,0.0001,0.05,90,0,180,0\n";
    const std::string csv = header + "FUTURE SAT,270000" + good +  // a catalogue number TLE cannot hold
                            "NO MOTION,1,2026-12-01T00:00:00,,0.0001,0.05,90,0,180,0\n"
                            "NAN ECC,2,2026-12-01T00:00:00,1.00271,nan,0.05,90,0,180,0\n"
                            "INF INC,3,2026-12-01T00:00:00,1.00271,0.0001,inf,90,0,180,0\n"
                            "HYPERBOLA,4,2026-12-01T00:00:00,1.00271,1.2,0.05,90,0,180,0\n"
                            "RETRO,5,2026-12-01T00:00:00,1.00271,0.0001,190,90,0,180,0\n"
                            "NO DATE,6,yesterday,1.00271,0.0001,0.05,90,0,180,0\n"
                            "ODD ID,7A" + good +
                            "SHORT,8,2026-12-01T00:00:00\n"
                            "\"QUOTED, NAME\",9" + good;
    const ElementSetFile file = ReadOrbitElements(csv, StartOfDay({2026, 12, 7}));
    ASSERT_EQ(file.objects.size(), 2u);
    EXPECT_EQ(file.objects[0].elements.catalogueNumber, "270000");
    EXPECT_EQ(file.objects[1].elements.name, "QUOTED, NAME");
    EXPECT_EQ(file.skipped, (std::vector<std::string>{
                                "line 3: no MEAN_MOTION",
                                "line 4: ECCENTRICITY 'nan' is not a finite number",
                                "line 5: INCLINATION 'inf' is not a finite number",
                                "line 6: ECCENTRICITY 1.2 lies out of its range",
                                "line 7: INCLINATION 190 lies out of its range",
                                "line 8: EPOCH 'yesterday' is no date of the space age",
                                "line 9: NORAD_CAT_ID '7A' is no catalogue number",
                                "line 10: expected 10 fields but found 3",
                            }));
    EXPECT_EQ(file.skippedCount, 8u);
}

TEST(OrbitMeanElements, ElementsOfAnotherTheoryFrameOrCentreAreRefused) {
    struct Case {
        const char* replaced;
        const char* by;
        const char* problem;
    };
    for (const Case& c : {Case{"MEAN_ELEMENT_THEORY = SGP/SGP4", "MEAN_ELEMENT_THEORY = SGP4-XP", "mean elements of SGP4-XP, not of SGP4"},
                          Case{"REF_FRAME = TEME", "REF_FRAME = GCRF", "elements in the frame GCRF, not TEME"},
                          Case{"CENTER_NAME = EARTH", "CENTER_NAME = MOON", "an orbit about MOON, not the Earth"}}) {
        std::string text = kGoes9Kvn;
        text.replace(text.find(c.replaced), std::string(c.replaced).size(), c.by);
        const ElementSetFile file = ReadOrbitElements(text, kGoes9Epoch);
        ASSERT_EQ(file.skipped.size(), 1u) << c.by;
        EXPECT_EQ(file.skipped[0], std::string("message 1 (line 1): ") + c.problem);
    }
}

TEST(OrbitMeanElements, AFileThatIsNoSuchFormatSaysWhere) {
    struct Case {
        std::string text;
        std::string message;
    };
    for (const Case& c : {
             Case{"[{\"OBJECT_NAME\": \"A\",\n \"EPOCH\": }]", "The file cannot be read as OMM (JSON): line 2: expected a value"},
             Case{"[" + std::string(100, '[') + std::string(100, ']') + "]",
                  "The file cannot be read as OMM (JSON): line 1: nested deeper than 64 levels"},
             Case{"<ndm>\n<omm><segment></omm></ndm>", "The file cannot be read as OMM (XML): line 2: </omm> where </segment> belongs"},
             Case{"<!DOCTYPE x [<!ENTITY a \"b\">]><ndm/>",
                  "The file cannot be read as OMM (XML): line 1: a document type declaration, which this reader does not take"},
             Case{"<ndm><omm>&bogus;</omm></ndm>", "The file cannot be read as OMM (XML): line 1: an entity XML does not define: &bogus;"},
             Case{"OBJECT_NAME,EPOCH\nA,2026-12-01T00:00:00\n",
                  "The file cannot be read as OMM (CSV): the CSV file's header names no MEAN_MOTION: no orbit mean elements"},
         }) {
        try {
            (void)ReadOrbitElements(c.text, 0);
            ADD_FAILURE() << "read: " << c.text.substr(0, 40);
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

// XML as publishers write it: entities, CDATA, comments, namespaces.
TEST(OrbitMeanElements, XmlAsPublishersWriteIt) {
    std::string xml = kGoes9Xml;
    xml.replace(xml.find("<OBJECT_NAME>GOES 9</OBJECT_NAME>"), 33, "<OBJECT_NAME>GOES&#32;9 &amp; co</OBJECT_NAME>");
    xml.replace(xml.find("<NORAD_CAT_ID>23581</NORAD_CAT_ID>"), 34, "<ns:NORAD_CAT_ID><![CDATA[23581]]></ns:NORAD_CAT_ID>");
    const auto records = OmmRecordsOf(xml, ElementFormat::OmmXml);
    ASSERT_EQ(records.size(), 1u);
    std::string problem;
    const auto elements = ElementsOfOmm(records[0], problem);
    ASSERT_TRUE(elements) << problem;
    EXPECT_EQ(elements->name, "GOES 9 & co");
    EXPECT_EQ(elements->catalogueNumber, "23581");
}

}  // namespace
}  // namespace azimora
