// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/csv_reader.h"

#include <streambuf>

namespace azimora {

CsvReader::Status CsvReader::Next(std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    recordLine_ = line_;
    std::streambuf& source = *in_.rdbuf();
    using Traits = std::char_traits<char>;
    bool quoted = false;
    bool any = false;
    std::size_t bytes = 0;
    bool tooLong = false;
    while (true) {
        const int next = source.sbumpc();
        if (next == Traits::eof()) {
            if (quoted) return tooLong ? Status::TooLong : Status::Unclosed;
            if (tooLong) return Status::TooLong;
            return any ? Status::Record : Status::End;
        }
        const char c = Traits::to_char_type(next);
        any = true;
        if (c == '\0') return Status::NotText;
        if (c == '\n') ++line_;
        if (++bytes > kMaxCsvRecordBytes && !tooLong) {
            tooLong = true;
            fields.assign(1, std::string());  // given back at once, not at the end
            fields.shrink_to_fit();
        }
        if (quoted) {
            if (c == '"') {
                if (source.sgetc() == '"') {
                    source.sbumpc();
                    if (!tooLong) fields.back() += '"';
                } else {
                    quoted = false;
                }
            } else if (!tooLong) {
                fields.back() += c;
            }
            continue;
        }
        if (c == '\n') {
            if (!tooLong && !fields.back().empty() && fields.back().back() == '\r') fields.back().pop_back();
            return tooLong ? Status::TooLong : Status::Record;
        }
        if (tooLong) continue;
        if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
}

}  // namespace azimora
