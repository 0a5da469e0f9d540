// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "csv_table.h"

#include <fstream>

#include "text/csv_reader.h"

namespace azimora::testing {

std::vector<CsvRow> ReadCsvTable(const std::filesystem::path& file) {
    std::ifstream in(file);
    CsvReader reader(in);
    std::vector<std::string> header, fields;
    std::vector<CsvRow> rows;
    if (reader.Next(header) != CsvReader::Status::Record) return rows;
    while (reader.Next(fields) == CsvReader::Status::Record) {
        CsvRow row;
        for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

}  // namespace azimora::testing
