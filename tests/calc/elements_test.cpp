// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc --tle, --elements and --kept-elements: two-line sets and
// orbit mean-elements messages give the same objects at the same places.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/kept_elements.h"
#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
using azimora::testing::RunShellCommand;

const std::string kCalc = AZIMORA_CALC;

// GOES 9: the OMM example of CCSDS 502.0-B-2, and its two-line set.
const std::string kGoes9Tle =
    "GOES 9\n"
    "1 23581U 95025A   07064.44075725 -.00000113  00000-0  10000-3 0  9250\n"
    "2 23581   3.0539  81.7939 0005013 249.2363 150.1602  1.00273272 43169\n";
const std::string kGoes9Json =
    "[{\"OBJECT_NAME\":\"GOES 9\",\"OBJECT_ID\":\"1995-025A\",\"EPOCH\":\"2007-03-05T10:34:41.426400\","
    "\"MEAN_MOTION\":1.00273272,\"ECCENTRICITY\":0.0005013,\"INCLINATION\":3.0539,\"RA_OF_ASC_NODE\":81.7939,"
    "\"ARG_OF_PERICENTER\":249.2363,\"MEAN_ANOMALY\":150.1602,\"NORAD_CAT_ID\":23581,\"BSTAR\":0.0001}]";

class CalcElements : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;
    std::string File(const std::string& name, const std::string& text) {
        const auto path = folder.Path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

TEST_F(CalcElements, TheSameObjectFromTwoLinesAndFromOmm) {
    const ProgramRun tle = RunShellCommand(kCalc + " --tle " + File("goes9.tle", kGoes9Tle) + " --date 2007-03-06");
    const ProgramRun omm = RunShellCommand(kCalc + " --elements " + File("goes9.json", kGoes9Json) + " --date 2007-03-06");
    EXPECT_EQ(tle.status, 0) << tle.out;
    EXPECT_EQ(omm.status, 0) << omm.out;
    EXPECT_EQ(omm.out.rfind("name,catalogue_number,sat_lon,inclination,drift_per_day,epoch_age_days,warning\nGOES 9,23581,", 0),
              0u)
        << omm.out;
    // To the 15 digits printed, or within a microdegree.
    const auto longitude = [](const std::string& out) { return std::stod(out.substr(out.find("GOES 9,23581,") + 13)); };
    EXPECT_NEAR(longitude(omm.out), longitude(tle.out), 1e-6);
}

TEST_F(CalcElements, TheKeptDownload) {
    const std::string cache = (folder.Path() / "cache").string();
    std::filesystem::create_directories(folder.Path() / "cache" / "azimora");
    const ProgramRun none = RunShellCommand("XDG_CACHE_HOME=" + cache + " " + kCalc + " --kept-elements");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "azimora-calc: --kept-elements: no download is kept in '" + cache +
                            "/azimora': download current elements in Azimora's Tools > Import Satellites first\n");

    File("cache/azimora/current-elements", kGoes9Json);
    File("cache/azimora/current-elements.info",
         KeptElementsInfoText("https://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=json",
                              StartOfDay({2007, 3, 5}) + 12 * 3600));
    const ProgramRun kept = RunShellCommand("XDG_CACHE_HOME=" + cache + " " + kCalc + " --kept-elements --date 2007-03-06");
    EXPECT_EQ(kept.status, 0) << kept.out;
    EXPECT_NE(kept.out.find("azimora-calc: --kept-elements: downloaded 2007-03-05T12:00:00Z from "
                            "https://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=json, "),
              std::string::npos)
        << kept.out;
    EXPECT_NE(kept.out.find("\nGOES 9,23581,"), std::string::npos) << kept.out;
}

// There, but its record a FIFO: said so, not "no download is kept".
TEST_F(CalcElements, AKeptCopyThatCannotBeUsedSaysWhy) {
    const std::string cache = (folder.Path() / "cache").string();
    std::filesystem::create_directories(folder.Path() / "cache" / "azimora");
    File("cache/azimora/current-elements", kGoes9Json);
    const ProgramRun fifo = RunShellCommand("mkfifo " + cache + "/azimora/current-elements.info; XDG_CACHE_HOME=" + cache +
                                            " timeout 20 " + kCalc + " --kept-elements");
    EXPECT_EQ(fifo.status, 1);
    EXPECT_EQ(fifo.out, "azimora-calc: --kept-elements: the download kept in '" + cache +
                            "/azimora' cannot be used: its record current-elements.info is no regular file (a folder, a "
                            "FIFO or a device); download current elements again in Azimora's Tools > Import Satellites\n");
}

TEST_F(CalcElements, AFileThatIsNoOmmSaysWhere) {
    const ProgramRun broken = RunShellCommand(kCalc + " --tle " + File("broken.json", "[{\"EPOCH\": \n nope}]"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "azimora-calc: The file cannot be read as OMM (JSON): line 2: expected a value\n");
}

}  // namespace
}  // namespace azimora::calc
