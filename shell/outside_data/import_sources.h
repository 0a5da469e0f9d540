// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "formats/dvb_scan_tables.h"
#include "formats/element_file_reader.h"
#include "outside_data/import_candidates_model.h"

class QWidget;

// Where Import Satellites' candidates come from: Debian's DVB scan tables
// and element files of two-line sets or orbit mean-elements messages (the
// current elements' download is kept as one). Both are read on other
// threads; what they hand back is taken into the list on the window's.
namespace azimora::shell {

// Skipped lines kept of one source, and reasons listed of one save.
inline constexpr int kSkippedShown = 200;

// The element file to open, chosen in a file dialog; empty when cancelled.
[[nodiscard]] QString ChooseElementFile(QWidget* owner);

// An element file being read on other threads: what they hand back.
struct ElementLoad {
    QString file;
    ElementFileProgress progress;
    std::vector<ImportCandidate> rows;
    std::vector<std::string> warnings;  // a row's warning n is warnings[n - 1]
    std::vector<std::string> skipped;
    std::size_t skippedCount = 0;
    bool cancelled = false;
    std::string error;
};

// Reads load.file's near-geostationary objects, placed where they stand
// now, into load; a cancel leaves no rows, a failure its message in error.
void ReadElementLoad(ElementLoad& load);

// The scan tables of a folder, or the problem that kept them from being read.
struct ScanTablesRead {
    ScanTables tables;
    QString problem;
};
[[nodiscard]] std::shared_ptr<ScanTablesRead> ReadScanTablesIn(const std::string& folder);

// The tables' satellites as rows of the model, each of its table.
[[nodiscard]] std::vector<ImportCandidate> ScanTableCandidates(const ScanTables& tables, ImportCandidatesModel& model);

}  // namespace azimora::shell
