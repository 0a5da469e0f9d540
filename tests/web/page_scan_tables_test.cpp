// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The page's copy of Debian's DVB scan tables: what the engine reads from
// the tables installed, satellite for satellite (else make it again with
// scripts/make-web-scan-tables.sh), and a list that reads back as written.
#include "page_scan_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/dvb_scan_tables.h"

namespace azimora::web {
namespace {

TEST(PageScanTables, TheCopyIsWhatTheInstalledTablesSay) {
    const auto copy = ReadScanTableList(PageScanTableList());
    // A position whose tables the report's edge cases rely on: 119 W, circular.
    EXPECT_EQ(PolarisationOf(copy, "EchoStar 14", 119).ofSatellite, Polarisation::Circular);
    if (!std::filesystem::is_directory(kDvbScanTablesFolder)) GTEST_SKIP() << "dtv-scan-tables is not installed";
    const auto installed = ReadScanTables().satellites;
    ASSERT_EQ(copy.size(), installed.size()) << "run scripts/make-web-scan-tables.sh";
    for (std::size_t i = 0; i < copy.size(); ++i) {
        EXPECT_EQ(copy[i].file, installed[i].file);
        EXPECT_EQ(copy[i].name, installed[i].name);
        EXPECT_EQ(copy[i].longitudeWest, installed[i].longitudeWest) << copy[i].file;
        EXPECT_EQ(copy[i].polarisation, installed[i].polarisation) << copy[i].file;
    }
}

TEST(PageScanTables, AListReadsBackAsWritten) {
    const std::vector<ScanTableSatellite> tables = {
        {"EchoStar 14", "119.0", 119, Polarisation::Circular, "EchoStar-14-119.0W"},
        {"Astra 1L", "-19.2", -19.2, Polarisation::Linear, "Astra-1L-19.2E"},
        {"Mixed", "-5.0", -5, Polarisation::Mixed, "Mixed-5.0E"},
        {"Silent", "30.0", 30, Polarisation::Unknown, "Silent-30.0W"},
    };
    const auto read = ReadScanTableList(ScanTableList(tables) + "no tab here\nBad-Name\tlinear\nX-1.0W\tsquare\n");
    ASSERT_EQ(read.size(), tables.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].name, tables[i].name);
        EXPECT_EQ(read[i].longitudeWest, tables[i].longitudeWest);
        EXPECT_EQ(read[i].polarisation, tables[i].polarisation);
    }
}

}  // namespace
}  // namespace azimora::web
