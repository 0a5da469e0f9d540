// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Outside files as they may come: other line ends, numbers that are no
// numbers, sizes no source of ours has. What cannot be used is skipped with
// a reason; nothing non-finite ever reaches a list.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/builtin_catalogues.h"
#include "formats/dvb_scan_tables.h"
#include "formats/satellite_import.h"
#include "formats/two_line_elements.h"
#include "lists/userlists.h"
#include "small_disk.h"
#include "temp_folder.h"
#include "text/coordinate_text.h"

namespace azimora {
namespace {

// A line 1 or 2 with its checksum digit made to fit.
std::string WithChecksum(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(TleChecksum(line));
}

std::string ElementSet(const std::string& name, const std::string& motion, const std::string& inclination = "  0.0500") {
    return name + "\n" + WithChecksum("1 90001U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  999") + "\n" +
           WithChecksum("2 90001 " + inclination + "   0.0000 0000000   0.0000 216.8932 " + motion + "   10") + "\n";
}

TEST(HostileElementSets, LineEndsOfEverySystemReadAlike) {
    const std::string unix = ElementSet("ONE", " 1.00273791") + ElementSet("TWO", " 1.00273791");
    std::string mac = unix, windows;
    std::replace(mac.begin(), mac.end(), '\n', '\r');
    for (const char c : unix) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const UnixSeconds now = StartOfDay({1987, 4, 10});
    for (const std::string& text : {unix, mac, windows}) {
        const ElementSetFile file = ReadElementSets(text, now);
        ASSERT_EQ(file.objects.size(), 2u);
        EXPECT_TRUE(file.skipped.empty()) << file.skipped.front();
        EXPECT_EQ(file.objects[1].elements.name, "TWO");
    }
}

TEST(HostileElementSets, NumbersThatAreNoNumbersAreSkipped) {
    const UnixSeconds now = StartOfDay({1987, 4, 10});
    for (const auto& [motion, inclination] : {std::pair{" nan       ", "  0.0500"}, std::pair{" inf       ", "  0.0500"},
                                              std::pair{" 1.00273791", "     nan"}, std::pair{" 1.00273791", "    -inf"}}) {
        const ElementSetFile file = ReadElementSets(ElementSet("BAD", motion, inclination), now);
        EXPECT_TRUE(file.objects.empty()) << motion << inclination;
        ASSERT_EQ(file.skipped.size(), 1u) << motion << inclination;
        EXPECT_EQ(file.skipped[0], "line 3: a number of the element set cannot be read (BAD)");
    }
}

TEST(HostileScanTables, AFileTooLargeForATableIsSkippedWithANote) {
    azimora::testing::TempFolder folder;
    azimora::testing::WriteFile(folder.Path() / "Astra-19.2E", "[CHANNEL]\n\tPOLARIZATION = HORIZONTAL\n");
    azimora::testing::WriteFile(folder.Path() / "Huge-1.0W", "");
    std::filesystem::resize_file(folder.Path() / "Huge-1.0W", 1ULL << 30);  // sparse: no disk used
    const ScanTables tables = ReadScanTables(folder.Path());
    ASSERT_EQ(tables.satellites.size(), 1u);
    EXPECT_EQ(tables.skipped, (std::vector<std::string>{"Huge-1.0W: larger than 1 MiB, not a scan table"}));
}

TEST(HostileCoordinates, OnlyFiniteNumbersOnTheGlobe) {
    const std::string huge(400, '9');
    for (const std::string& text : {std::string("nan, 1"), std::string("inf 1"), std::string("1e999 1"),
                                    std::string("51 N 1e400 W"), std::string("91 N 1 W"), std::string("1 N 181 W"), huge})
        EXPECT_FALSE(ParseCoordinates(text)) << text;
}

// 628 ticked onto a disk with room for 432: "Disk full." and then "Added 432"
// cleared every tick and named none of the 196. Now: one save for all, so
// none lands and each says why.
TEST(HostileImport, AFullDiskAddsNoneAndSaysWhyOfEach) {
    azimora::testing::SmallDisk disk(8 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small disk here";
    auto satellites = BuiltInSatelliteCatalogue();
    std::vector<SatelliteEntry> entries;
    for (int i = 0; i < 628; ++i) entries.push_back({"Satellite number " + std::to_string(i), std::to_string(i % 360)});
    const ImportResult result = ImportSatellites(*satellites, disk.Path(), entries);
    EXPECT_EQ(result.added, 0);
    ASSERT_EQ(result.notAdded.size(), 628u);
    EXPECT_EQ(result.notAdded[0].reason, "Disk full");
    EXPECT_EQ(result.notAdded[627].entry, 627u);
    EXPECT_EQ(satellites->RootCount(), 101u);
    EXPECT_FALSE(std::filesystem::exists(UserSatelliteFile(disk.Path())) &&
                 std::filesystem::file_size(UserSatelliteFile(disk.Path())) > 0);
}

}  // namespace
}  // namespace azimora
