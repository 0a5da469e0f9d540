// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc --batch with input as it comes: huge lines, endless NULs, a
// folder for a file, an output that cannot be written. Memory stays bounded,
// failures are reported and never end in exit status 0.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "batch.h"
#include "text/csv_reader.h"
#include "shell_command.h"
#include "temp_folder.h"

namespace azimora::calc {
namespace {

using azimora::testing::ProgramRun;
ProgramRun Shell(const std::string& command) { return azimora::testing::RunShellCommand(command); }

const std::string kCalc = AZIMORA_CALC;

struct ReadCase {
    const char* input;
    std::vector<CsvReader::Status> statuses;
    std::vector<std::vector<std::string>> records;
};

class CsvRecords : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvRecords, AreReadAsRfc4180HasThem) {
    std::istringstream in(GetParam().input);
    CsvReader reader(in);
    std::vector<std::string> fields;
    std::vector<CsvReader::Status> statuses;
    std::vector<std::vector<std::string>> records;
    for (CsvReader::Status status; (status = reader.Next(fields)) != CsvReader::Status::End;) {
        statuses.push_back(status);
        if (status == CsvReader::Status::Record) records.push_back(fields);
        if (status == CsvReader::Status::NotText || status == CsvReader::Status::Unclosed) break;
    }
    EXPECT_EQ(statuses, GetParam().statuses);
    EXPECT_EQ(records, GetParam().records);
}

using S = CsvReader::Status;
INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvRecords,
    ::testing::Values(ReadCase{"a,b\r\nc,d", {S::Record, S::Record}, {{"a", "b"}, {"c", "d"}}},
                      ReadCase{"\"x, y\",\"say \"\"hi\"\"\"\n", {S::Record}, {{"x, y", "say \"hi\""}}},
                      ReadCase{"\"two\nlines\",2\nnext,3\n", {S::Record, S::Record}, {{"two\nlines", "2"}, {"next", "3"}}},
                      ReadCase{"\"open,1\n", {S::Unclosed}, {}},
                      ReadCase{"a\0b\n", {S::Record}, {{"a"}}},
                      ReadCase{",\n", {S::Record}, {{"", ""}}}));

TEST(CsvRecords, ALongRecordIsSkippedToItsEndAndTheNextOneRead) {
    std::istringstream in("first,1\n" + std::string(kMaxCsvRecordBytes + 10, 'x') + "\nlast,2\n");
    CsvReader reader(in);
    std::vector<std::string> fields;
    EXPECT_EQ(reader.Next(fields), S::Record);
    EXPECT_EQ(reader.Next(fields), S::TooLong);
    EXPECT_EQ(reader.Next(fields), S::Record);
    EXPECT_EQ(fields, (std::vector<std::string>{"last", "2"}));
    EXPECT_EQ(reader.RecordLine(), 3u);
}

TEST(CsvRecords, ANulByteEndsTheReading) {
    std::istringstream in(std::string("a,1\nb\0", 6));
    CsvReader reader(in);
    std::vector<std::string> fields;
    EXPECT_EQ(reader.Next(fields), S::Record);
    EXPECT_EQ(reader.Next(fields), S::NotText);
}

// A 100 MB line needed 5.9 GB and, under a memory limit, the rows after it
// vanished with exit status 0.
TEST(CalcBatchInput, AHugeLineFailsItsRowUnderAMemoryLimitAndTheRestGoOn) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    azimora::testing::TempFolder folder;
    const auto sites = folder.Path() / "sites.csv";
    {
        std::ofstream out(sites, std::ios::binary);
        out << "name,lat,lon,sat_lon\nFirst,51.08,114.08,107.3\nHuge,";
        const std::string chunk(1 << 20, '7');
        for (int i = 0; i < 100; ++i) out << chunk;
        out << ",1,1\nLast,54.6,5.93,-19.2\n";
    }
    const ProgramRun run = Shell("ulimit -v 200000; " + kCalc + " --batch " + sites.string());
    EXPECT_EQ(run.status, 1) << run.out.substr(0, 500);
    EXPECT_NE(run.out.find("\n,,,,,,,,,,,,,,,the row is longer than 64 KiB\n"), std::string::npos) << run.out.substr(0, 500);
    EXPECT_NE(run.out.find("\nLast,54.6,5.93,-19.2,"), std::string::npos) << run.out.substr(0, 500);
}

TEST(CalcBatchInput, WhatIsNoCsvIsAPromptClearError) {
    struct Case {
        std::string command;
        int status;
        std::string message;
    };
    azimora::testing::TempFolder folder;
    const Case cases[] = {
        {kCalc + " --batch /dev/zero", 1,
         "azimora-calc: --batch: the first line must be the header name,lat,lon,sat_lon (sat_lon may be left out with "
         "--sat-lon)\n"},
        {"(echo name,lat,lon,sat_lon; cat /dev/zero) | " + kCalc + " --batch - >/dev/null", 1,
         "azimora-calc: --batch: line 2 holds a NUL byte: this is not a CSV file\n"},
        {kCalc + " --batch " + folder.Path().string(), 1,
         "azimora-calc: --batch: cannot read '" + folder.Path().string() + "': Is a directory\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Shell(c.command);
        EXPECT_EQ(run.status, c.status) << c.command;
        EXPECT_EQ(run.out, c.message) << c.command;
    }
}

// Sites from standard input ("--batch -"), written as JSON Lines and read
// back by Python's json module, so that what a script's parser sees is
// checked, not our own substrings. Calgary to Anik F2 (107.3 W): azimuth
// 171.31 deg, as in the window's tests.
TEST(CalcBatchInput, StandardInputToJsonLinesThatAJsonParserReads) {
    const std::string sites =
        "\"name\",lat,lon\n"
        "\"Calgary, AB\nsouth gate\",51.08N,114.08W\n"
        "=1+1,51.08,114.08\n"
        "Broken,abc,1\n";
    const std::string reader =
        "import json, sys\n"
        "for line in sys.stdin:\n"
        "    o = json.loads(line)\n"
        "    print(o['line'], json.dumps(o['name']), o.get('sat_lon'), round(o['azimuth'], 2) if 'azimuth' in o else None,\n"
        "          len(o['sun_alignments']) if 'sun_alignments' in o else None, o['version'] if 'version' in o else None,\n"
        "          o.get('error'), sep='|')\n";
    azimora::testing::TempFolder folder;
    std::ofstream(folder.Path() / "sites.csv") << sites;
    std::ofstream(folder.Path() / "read.py") << reader;
    const ProgramRun run = Shell(kCalc + " --batch - --sat-lon 107.3W --date 2026-12-07 --json < " +
                                 (folder.Path() / "sites.csv").string() + " 2>/dev/null | python3 " +
                                 (folder.Path() / "read.py").string());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "2|\"Calgary, AB\\nsouth gate\"|107.3|171.31|1|2.0|None\n"
              "4|\"=1+1\"|107.3|171.31|1|2.0|None\n"
              "5|\"Broken\"|None|None|None|None|the latitude 'abc' is no angle: type it as 54.6N, 54 36 N or 54\u00B036'N\n");
}

// Names and values in bytes that are no UTF-8 (a file in Latin-1, a broken
// one): the JSON Lines are UTF-8 all the same, each such part written as
// U+FFFD, and a strict reader (Python's, decoding UTF-8 with errors raised)
// takes every line.
TEST(CalcBatchInput, JsonLinesAreUtf8WhateverTheRowsHold) {
    azimora::testing::TempFolder folder;
    std::ofstream(folder.Path() / "sites.csv", std::ios::binary)
        << "name,lat,lon\n\xff\xfe" "bad,47,-8\nZ\xfcrich,47.37,-8.54\nOk \xc3\xa9,4\xff,-8\n";
    std::ofstream(folder.Path() / "read.py") << "import json, sys\n"
                                                "for line in sys.stdin.buffer:\n"
                                                "    o = json.loads(line.decode('utf-8', errors='strict'))\n"
                                                "    print(ascii(o['name']), ascii(o.get('error')), sep='|')\n";
    const ProgramRun run = Shell(kCalc + " --batch - --sat-lon 19.2E --json < " + (folder.Path() / "sites.csv").string() +
                                 " 2>/dev/null | python3 " + (folder.Path() / "read.py").string());
    EXPECT_EQ(run.out,
              "'\\ufffd\\ufffdbad'|None\n"
              "'Z\\ufffdrich'|None\n"
              "'Ok \\xe9'|\"the latitude '4\\ufffd' is no angle: type it as 54.6N, 54 36 N or 54\\xb036'N\"\n");
}

// "> /dev/full" used to exit 0 without a word.
TEST(CalcBatchInput, OutputThatCannotBeWrittenIsAFailure) {
    azimora::testing::TempFolder folder;
    const auto sites = folder.Path() / "sites.csv";
    std::ofstream(sites) << "name,lat,lon,sat_lon\nGood,51.08,114.08,107.3\n";
    for (const std::string& arguments : {"--batch " + sites.string(), std::string("--sat-lon 107.3 --lat 51 --lon 114"),
                                        std::string("--sat-lon 107.3 --lat 51 --lon 114 --json")}) {
        const ProgramRun run = Shell(kCalc + " " + arguments + " >/dev/full");
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.out, "azimora-calc: cannot write the output: No space left on device\n") << arguments;
    }
}

// A reader that goes away (head, a closed pipe) with SIGPIPE ignored, as some
// shells and services leave it: said as the system says it, "Broken pipe".
TEST(CalcBatchInput, AClosedPipeIsSaidToBeBroken) {
    azimora::testing::TempFolder folder;
    const auto sites = folder.Path() / "sites.csv";
    {
        std::ofstream out(sites);
        out << "name,lat,lon,sat_lon\n";
        for (int i = 0; i < 20000; ++i) out << "Site " << i << ",51.08,114.08,107.3\n";
    }
    const ProgramRun run = Shell("trap '' PIPE; " + kCalc + " --batch " + sites.string() + " 2>" +
                                 (folder.Path() / "errors").string() + " | head -c 10 >/dev/null; cat " +
                                 (folder.Path() / "errors").string());
    EXPECT_EQ(run.out, "azimora-calc: cannot write the output: Broken pipe\n");
}

}  // namespace
}  // namespace azimora::calc
