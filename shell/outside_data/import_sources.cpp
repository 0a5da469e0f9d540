// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_sources.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <exception>
#include <utility>

#include "errors.h"
#include "formats/geostationary_objects.h"

namespace azimora::shell {

QString ChooseElementFile(QWidget* owner) {
    return QFileDialog::getOpenFileName(
        owner, QStringLiteral("Open an Element File"), QDir::homePath(),
        QStringLiteral("Element files: two-line sets, OMM (*.txt *.tle *.3le *.json *.xml *.csv *.kvn *.omm);;All files (*)"));
}

void ReadElementLoad(ElementLoad& load) {
    try {
        const UnixSeconds now = static_cast<double>(QDateTime::currentSecsSinceEpoch());
        const auto summary = ReadElementFile(QFile::encodeName(load.file).toStdString(), now, load.progress,
                                             [&load](ElementBlock&& block) {
            for (GeostationaryObject& object : block.objects) {
                ImportCandidate row;
                row.name = std::move(object.elements.name);
                row.longitudeWest = static_cast<float>(object.longitudeWest);
                row.longitudeText = QString::number(object.longitudeWest, 'f', 1).toStdString();
                if (!object.warning.empty()) {
                    load.warnings.push_back(std::move(object.warning));
                    row.warning = static_cast<std::uint32_t>(load.warnings.size());
                }
                load.rows.push_back(std::move(row));
            }
            for (std::string& line : block.skipped)
                if (load.skipped.size() < kSkippedShown) load.skipped.push_back(std::move(line));
            load.skippedCount += block.skippedCount;
        });
        load.cancelled = summary.cancelled;
    } catch (const std::exception& error) {
        load.error = error.what();
    }
    if (load.cancelled) load.rows = {};
}

std::shared_ptr<ScanTablesRead> ReadScanTablesIn(const std::string& folder) {
    auto read = std::make_shared<ScanTablesRead>();
    try {
        read->tables = ReadScanTables(folder);
    } catch (const Error& error) {
        read->problem = QString::fromUtf8(error.what());
    }
    return read;
}

std::vector<ImportCandidate> ScanTableCandidates(const ScanTables& tables, ImportCandidatesModel& model) {
    std::vector<ImportCandidate> rows;
    for (const ScanTableSatellite& satellite : tables.satellites) {
        ImportCandidate row;
        row.name = satellite.name;
        row.longitudeText = satellite.longitudeText;
        row.longitudeWest = static_cast<float>(satellite.longitudeWest);
        row.polarisation = satellite.polarisation;
        row.source = model.sourceIndex(QStringLiteral("DVB scan table ") + QString::fromStdString(satellite.file));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace azimora::shell
