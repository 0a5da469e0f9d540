// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace azimora::testing {

// A CSV file of reference values: each row after the header as a map from
// the header's names to the row's fields. Empty when the file cannot be read.
using CsvRow = std::map<std::string, std::string>;
[[nodiscard]] std::vector<CsvRow> ReadCsvTable(const std::filesystem::path& file);

}  // namespace azimora::testing
