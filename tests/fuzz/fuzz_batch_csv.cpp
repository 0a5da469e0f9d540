// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc --batch over any input: never a crash, every record within
// its limit, a row written for every row read.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "batch.h"
#include "text/csv_reader.h"
#include "fuzz_support.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::istringstream in(text);
        CsvReader reader(in);
        std::vector<std::string> fields;
        std::size_t records = 0;
        for (CsvReader::Status status; (status = reader.Next(fields)) != CsvReader::Status::End;) {
            std::size_t bytes = 0;
            for (const std::string& field : fields) bytes += field.size();
            Expect(bytes <= kMaxCsvRecordBytes, "a record within its limit");
            Expect(++records <= size + 1, "no record out of nothing");
            if (status == CsvReader::Status::NotText || status == CsvReader::Status::Unclosed) break;
        }
    }
    std::istringstream in("name,lat,lon,sat_lon\n" + text);
    std::ostringstream out;
    calc::BatchSettings settings;
    settings.defaults.instant = 1.8e9;  // a fixed date: the same input, the same figures
    const calc::BatchResult result = calc::RunBatch(in, out, settings);
    Expect(result.failed <= result.rows, "no more failures than rows");
    const std::string printed = out.str();
    std::size_t lines = 0;
    bool quoted = false;
    for (const char c : printed) {
        if (c == '"') quoted = !quoted;
        if (c == '\n' && !quoted) ++lines;
    }
    Expect(lines == result.rows + 1, "a line for the header and for every row");
    return 0;
}
