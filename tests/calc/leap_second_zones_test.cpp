// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// tz's right/ zones count leap seconds in their clocks, which no civil clock
// does: their times ran 27 s early under a civil zone's name. --tz refuses
// any zone whose clock, read back through its offset, is not UTC, and names
// the civil zone to give instead. Checked on zones this test writes itself
// (TZif, RFC 8536), the same but for one leap second, and on the system's
// right/ zones where tzdata installs them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
using azimora::testing::RunShellCommand;

const std::string kCalc = AZIMORA_CALC;
const std::string kSite = " --sat-lon 19.2E --lat 47.37 --lon 8.54E --date 2026-12-07";

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// A version-1 TZif file (RFC 8536 section 3) of one local time type, UTC,
// with the leap-second records given: {occurrence, correction}.
std::string ZoneFile(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& leaps) {
    std::string file = "TZif";
    file.append(16, '\0');  // version 1, then fifteen unused bytes
    for (const std::uint32_t count : {0u, 0u, static_cast<std::uint32_t>(leaps.size()), 0u, 1u, 4u}) Put32(file, count);
    Put32(file, 0);  // the type: UT offset 0, not daylight time, designation at 0
    file += '\0';
    file += '\0';
    file.append("UTC", 4);
    for (const auto& [occurrence, correction] : leaps) {
        Put32(file, occurrence);
        Put32(file, correction);
    }
    return file;
}

TEST(CalcLeapSecondZones, AZoneThatCountsLeapSecondsIsRefusedACivilOneTaken) {
    azimora::testing::TempFolder zones;
    std::filesystem::create_directories(zones.Path() / "Test");
    // The first leap second, at the end of June 1972.
    std::ofstream(zones.Path() / "Test" / "Leaping", std::ios::binary) << ZoneFile({{78796800, 1}});
    std::ofstream(zones.Path() / "Test" / "Civil", std::ios::binary) << ZoneFile({});
    const std::string tzdir = "TZDIR=" + zones.Path().string() + " ";

    const ProgramRun leaping = RunShellCommand(tzdir + kCalc + kSite + " --tz Test/Leaping");
    EXPECT_EQ(leaping.status, 2);
    EXPECT_EQ(leaping.out, "azimora-calc: --tz: 'Test/Leaping' counts leap seconds in its clock, which runs 1 s behind "
                           "civil time\nTry 'azimora-calc --help'\n");
    const ProgramRun civil = RunShellCommand(tzdir + kCalc + kSite + " --tz Test/Civil --json");
    EXPECT_EQ(civil.status, 0) << civil.out;
    // The sun in the azimuth at the second it is in UTC (no --tz), not a leap second earlier.
    const ProgramRun utc = RunShellCommand(kCalc + kSite + " --json");
    const auto alignment = [](const std::string& out) {
        const std::size_t at = out.find("\"sun_alignments\": [\"");
        return at == std::string::npos ? std::string("none") : out.substr(at + 20, 19);
    };
    EXPECT_EQ(alignment(civil.out), alignment(utc.out));
    EXPECT_TRUE(alignment(utc.out).starts_with("2026-12-07T")) << utc.out;

    // The system's own zone, when TZ names one that counts them.
    const ProgramRun local = RunShellCommand(tzdir + "TZ=Test/Leaping " + kCalc + kSite + " --tz local");
    EXPECT_EQ(local.status, 2);
    EXPECT_EQ(local.out, "azimora-calc: --tz: 'local' counts leap seconds in its clock, which runs 1 s behind civil time: "
                         "the system's zone (TZ, /etc/localtime) is one of tz's right/ zones\nTry 'azimora-calc --help'\n");
}

TEST(CalcLeapSecondZones, TheSystemsRightZonesNameTheirCivilZone) {
    const std::filesystem::path system = "/usr/share/zoneinfo/right/Europe/Zurich";
    if (!std::filesystem::exists(system)) GTEST_SKIP() << "this tzdata installs no right/ zones";
    for (const std::string zone : {"UTC", "Europe/Zurich"}) {
        const ProgramRun run = RunShellCommand("TZDIR=/usr/share/zoneinfo " + kCalc + kSite + " --tz right/" + zone);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "azimora-calc: --tz: 'right/" + zone +
                               "' counts leap seconds in its clock, which runs 27 s behind civil time: give '" + zone +
                               "', its civil zone\nTry 'azimora-calc --help'\n");
    }
}

}  // namespace
}  // namespace azimora::calc
