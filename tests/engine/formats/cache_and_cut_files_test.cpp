// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The user's cache folder trusted no more than the network: its record read
// only from a short regular file; files cut off inside a record known as
// such; a file that is no element file quoted only at the start of a line.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "formats/kept_elements.h"
#include "formats/orbit_mean_elements.h"
#include "formats/two_line_elements.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace azimora {
namespace {

void Write(const std::filesystem::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// A FIFO, a device, a folder or a huge file in the record's place: no kept
// download, found at once (an ordinary open of a FIFO waits for a writer
// forever, and /dev/zero never ends).
TEST(KeptElements, TheRecordIsReadOnlyFromAShortRegularFile) {
    testing::TempFolder folder;
    Write(folder.Path() / kKeptElementsFile, "[]");
    const auto info = folder.Path() / kKeptElementsInfo;
    Write(info, "https://example.org/gp.php\n2026-12-07T10:00:00Z\n");
    ASSERT_TRUE(FindKeptElements(folder.Path()));
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    for (const Case& c : {Case{"a FIFO", [&] { ASSERT_EQ(::mkfifo(info.c_str(), 0600), 0); }},
                          Case{"a link to /dev/zero", [&] { std::filesystem::create_symlink("/dev/zero", info); }},
                          Case{"a folder", [&] { std::filesystem::create_directory(info); }},
                          Case{"a large file", [&] { Write(info, std::string(1 << 20, 'x') + "\n2026-12-07T10:00:00Z\n"); }}}) {
        std::filesystem::remove_all(info);
        c.make();
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(FindKeptElements(folder.Path())) << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << c.what << " was waited on";
    }
}

// A kept copy that cannot be used says why, apart from none kept at all, so
// that the user is not sent to download what is there.
TEST(KeptElements, WhyAKeptCopyCannotBeUsed) {
    testing::TempFolder folder;
    const auto elements = folder.Path() / kKeptElementsFile;
    const auto info = folder.Path() / kKeptElementsInfo;
    struct Case {
        const char* what;
        std::function<void()> make;
        std::string problem;
    };
    const std::string record = "its record current-elements.info ";
    for (const Case& c : {
             Case{"nothing kept", [] {}, ""},
             Case{"the copy a FIFO", [&] { ASSERT_EQ(::mkfifo(elements.c_str(), 0600), 0); },
                  "the kept copy current-elements is no regular file (a folder, a FIFO or a device)"},
             Case{"no record", [&] { Write(elements, "[]"); }, record + "of where and when it came from is missing"},
             Case{"the record a FIFO",
                  [&] {
                      Write(elements, "[]");
                      ASSERT_EQ(::mkfifo(info.c_str(), 0600), 0);
                  },
                  record + "is no regular file (a folder, a FIFO or a device)"},
             Case{"the record too large",
                  [&] {
                      Write(elements, "[]");
                      Write(info, std::string(1 << 20, 'x'));
                  },
                  record + "is larger than 16 KB"},
             Case{"the record one line",
                  [&] {
                      Write(elements, "[]");
                      Write(info, "https://example.org/gp.php\n");
                  },
                  record + "is not the address and the time of the download (ISO 8601), a line each"},
         }) {
        std::filesystem::remove_all(elements);
        std::filesystem::remove_all(info);
        c.make();
        const KeptElementsLookup lookup = LookUpKeptElements(folder.Path());
        EXPECT_FALSE(lookup.kept) << c.what;
        EXPECT_EQ(lookup.problem, c.problem) << c.what;
    }
    // Unreadable, for a user other than root.
    std::filesystem::remove_all(info);
    Write(elements, "[]");
    Write(info, "https://example.org/gp.php\n2026-12-07T10:00:00Z\n");
    std::filesystem::permissions(info, std::filesystem::perms::none);
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
    const auto problem = testing::RunUnprivileged([&] { return LookUpKeptElements(folder.Path()).problem; });
    if (!problem) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*problem, record + "cannot be read: Permission denied");
}

// A body that stops inside a record, in each form that has lines: known,
// so that it never replaces a kept copy. Whole files are not.
TEST(ElementFiles, AFileCutInsideARecordIsKnownAsSuch) {
    const std::string tle = "GOES 9\n1 23581U 95025A   26340.50000000  .00000000  00000-0  00000-0 0  9990\n"
                            "2 23581   8.0000  60.0000 0004000 120.0000 240.0000  1.00270000 12345\n";
    const std::string csv = "OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY\n"
                            "GEO,2026-12-06T12:00:00,1.0027,0.0001,0.05,90,10,200\n";
    const std::string kvn = "CCSDS_OMM_VERS = 2.0\nOBJECT_NAME = GEO\nEPOCH = 2026-12-06T12:00:00\nMEAN_MOTION = 1.0027\n"
                            "ECCENTRICITY = 0.0001\nINCLINATION = 0.05\nRA_OF_ASC_NODE = 90\nARG_OF_PERICENTER = 10\n"
                            "MEAN_ANOMALY = 200\n";
    const double instant = StartOfDay({2026, 12, 7});
    for (const std::string& whole : {tle, csv, kvn}) {
        EXPECT_FALSE(ReadOrbitElements(whole, instant).endsMidRecord) << whole;
        for (const std::size_t cut : {whole.size() - 1, whole.size() - 10, whole.size() / 2 + 3}) {
            EXPECT_TRUE(ReadOrbitElements(whole.substr(0, cut), instant).endsMidRecord) << whole.substr(0, cut);
        }
    }
    // Cut just after a line: a name or a line 1 left alone, a message short of keywords.
    EXPECT_TRUE(ReadOrbitElements(tle.substr(0, tle.find("2 23581")), instant).endsMidRecord);
    EXPECT_TRUE(ReadOrbitElements(kvn.substr(0, kvn.find("RA_OF")), instant).endsMidRecord);
}

// JSON and XML that read to their end are whole: a last record short of a
// keyword, or no record at all, is what the file holds, not a cut.
TEST(ElementFiles, WholeJsonAndXmlAreNeverTakenAsCut) {
    const std::string geo = "{\"OBJECT_NAME\":\"GEO\",\"EPOCH\":\"2026-12-06T12:00:00\",\"MEAN_MOTION\":1.0027,"
                            "\"ECCENTRICITY\":0.0001,\"INCLINATION\":0.05,\"RA_OF_ASC_NODE\":90,\"ARG_OF_PERICENTER\":10,"
                            "\"MEAN_ANOMALY\":200}";
    const std::string noMotion = "{\"OBJECT_NAME\":\"NO MOTION\",\"EPOCH\":\"2026-12-06T12:00:00\"}";
    const std::string xml = "<ndm><omm><body><segment><data><meanElements><EPOCH>2026-12-06T12:00:00</EPOCH>"
                            "<ECCENTRICITY>0.0001</ECCENTRICITY></meanElements></data></segment></body></omm></ndm>";
    const double instant = StartOfDay({2026, 12, 7});
    struct Case {
        std::string text;
        std::size_t objects;
    };
    for (const Case& c : {Case{"[" + geo + "," + geo + "," + noMotion + "]", 2}, Case{"[0,0,0]", 0}, Case{xml, 0}}) {
        const ElementSetFile read = ReadOrbitElements(c.text, instant);
        EXPECT_FALSE(read.endsMidRecord) << c.text;
        EXPECT_EQ(read.objects.size(), c.objects) << c.text;
        EXPECT_EQ(read.skippedCount, c.text.starts_with("[0") ? 3u : 1u) << c.text;
    }
}

// A file that is no element file (a password file linked into place, read
// by a program running as root): its lines are not repeated in messages.
TEST(ElementFiles, ALineOfAnotherFileIsQuotedOnlyAtItsStart) {
    const ElementSetFile read =
        ReadElementSets("root:$y$j9T$abcdefghijklmnopqrstuv$0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd:19700:0:99999:7:::\n"
                        "daemon:*:19700:0:99999:7:::\n",
                        0);
    ASSERT_EQ(read.skipped.size(), 2u);
    for (const std::string& message : read.skipped) {
        EXPECT_EQ(message.find("ABCDEFG"), std::string::npos) << message;
        EXPECT_EQ(message.find("99999:7:::"), std::string::npos) << message;
    }
    EXPECT_EQ(read.skipped[0], "line 1: a name without an element set: 'root:$y$j9T$abcdefghijkl...', which is no name "
                               "of an element set (at most 24 characters, then lines 1 and 2)");
    EXPECT_EQ(read.skipped[1], "line 2: a name without an element set: 'daemon:*:19700:0:99999:7...', which is no name "
                               "of an element set (at most 24 characters, then lines 1 and 2)");
    // A name of an element set is quoted whole.
    EXPECT_EQ(ReadElementSets("INTELSAT 901 (IS-901)\n", 0).skipped[0],
              "line 1: a name without an element set: INTELSAT 901 (IS-901)");
}

}  // namespace
}  // namespace azimora
