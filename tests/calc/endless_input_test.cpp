// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc --tle and --nmea given input without an end: a device is
// refused at once, as the window refuses it; a pipe is read up to a bound
// and then refused with a message. Every run is held to a time bound, so
// that one that never ends fails instead of hanging the suite.
#include <gtest/gtest.h>

#include <fstream>

#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
using azimora::testing::RunShellCommand;

const std::string kCalc = AZIMORA_CALC;

// Far beyond what the slowest build needs for 256 MB; a run past it is
// killed and reported by its status, 124.
ProgramRun Bounded(const std::string& command, int seconds) {
    return RunShellCommand("timeout -k 5 " + std::to_string(seconds) + " sh -c '" + command + "'");
}

struct Endless {
    const char* command;  // with CALC for the program
    int seconds;
    std::string message;
};

std::string WithCalc(std::string command) {
    for (std::size_t at; (at = command.find("CALC")) != std::string::npos;) command.replace(at, 4, kCalc);
    return command;
}

const std::string kDevice = "it is a device, not a file or a pipe\n";
const std::string kTooMuch = "more than 256 MB came through the pipe without an end (a file of that size is read)\n";

class CalcEndlessInput : public ::testing::TestWithParam<Endless> {};

TEST_P(CalcEndlessInput, EndsWithAMessage) {
    const Endless& c = GetParam();
    const ProgramRun run = Bounded(WithCalc(c.command), c.seconds);
    EXPECT_EQ(run.status, 1) << c.command << " (124: it did not end within " << c.seconds << " s)";
    EXPECT_EQ(run.out, c.message) << c.command;
}

INSTANTIATE_TEST_SUITE_P(
    DevicesAndPipes, CalcEndlessInput,
    ::testing::Values(Endless{"CALC --tle /dev/zero", 20, "azimora-calc: --tle: cannot read '/dev/zero': " + kDevice},
                      Endless{"CALC --tle /dev/urandom", 20, "azimora-calc: --tle: cannot read '/dev/urandom': " + kDevice},
                      Endless{"CALC --tle - </dev/zero", 20, "azimora-calc: --tle: cannot read standard input: " + kDevice},
                      Endless{"CALC --nmea /dev/zero --sat-lon 19.2", 20,
                              "azimora-calc: --nmea: cannot read '/dev/zero': " + kDevice},
                      Endless{"CALC --nmea - --sat-lon 19.2 </dev/urandom", 20,
                              "azimora-calc: --nmea: cannot read standard input: " + kDevice},
                      Endless{"cat /dev/zero | CALC --tle -", 600, "azimora-calc: --tle: cannot read standard input: " + kTooMuch},
                      // Random bytes from a letter on: a stream that happens to start
                      // with '{' or '<' (one run in a hundred) is read as OMM and
                      // refused as no JSON or XML at its first line, as it should
                      // be, and would try the format's refusal instead of the bound.
                      Endless{"{ printf x; cat /dev/urandom; } | CALC --tle -", 600,
                              "azimora-calc: --tle: cannot read standard input: " + kTooMuch},
                      Endless{"yes 1 | CALC --nmea - --sat-lon 19.2", 600,
                              "azimora-calc: --nmea: cannot read standard input: " + kTooMuch}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// What ends is read from a pipe, a FIFO or a file alike.
TEST(CalcEndlessInput, APipeOrAFifoThatEndsIsRead) {
    azimora::testing::TempFolder folder;
    const auto log = folder.Path() / "fix.nmea";
    std::ofstream(log) << "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\n";
    const auto fifo = folder.Path() / "fifo";
    for (const std::string& input : {"cat " + log.string() + " | CALC --nmea -", "CALC --nmea " + log.string(),
                                     "mkfifo " + fifo.string() + "; cat " + log.string() + " >" + fifo.string() +
                                         " & CALC --nmea " + fifo.string()}) {
        const ProgramRun run = Bounded(WithCalc(input + " --sat-lon -19.2 --json"), 60);
        EXPECT_EQ(run.status, 0) << input << "\n" << run.out;
        EXPECT_NE(run.out.find("\"gps_fix\": {\"lat\": 48.1173, \"lon\": -11.5166666666667"), std::string::npos)
            << input << "\n" << run.out;
    }
}

}  // namespace
}  // namespace azimora::calc
