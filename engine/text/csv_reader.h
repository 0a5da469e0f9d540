// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Records of comma-separated values as RFC 4180 has them: a field in double
// quotes may hold commas, doubled quotes and line breaks; a record ends at a
// line break outside quotes (LF or CR LF). Memory stays bounded whatever the
// input: a record longer than kMaxCsvRecordBytes is skipped to its end and
// reported, and bytes that are no text (NUL) end the reading.
namespace azimora {

inline constexpr std::size_t kMaxCsvRecordBytes = 64 * 1024;

class CsvReader {
public:
    enum class Status {
        Record,    // fields holds the record
        TooLong,   // a record over the limit, skipped to its end; go on
        Unclosed,  // the input ended inside a quoted field
        NotText,   // a NUL byte: no CSV; stop
        End        // nothing more
    };

    explicit CsvReader(std::istream& in) : in_(in) {}

    Status Next(std::vector<std::string>& fields);

    // The line the last record started on, counting from 1.
    [[nodiscard]] std::size_t RecordLine() const noexcept { return recordLine_; }

private:
    std::istream& in_;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 0;
};

}  // namespace azimora
