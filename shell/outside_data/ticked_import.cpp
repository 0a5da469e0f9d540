// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/ticked_import.h"

#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/satellite_import.h"
#include "main_window/main_window.h"
#include "outside_data/import_candidates_model.h"
#include "outside_data/import_sources.h"
#include "trees/catalogue_model.h"
#include "trees/catalogue_tree_view.h"

namespace azimora::shell {

struct TickedImport::Saving {
    ImportPlan plan;
    std::vector<std::size_t> rows;  // the model's row of each entry
    std::string error;
};

TickedImport::TickedImport(TfrmKorvel& main, ImportCandidatesModel& model, QObject* parent)
    : QObject(parent), main_(main), model_(model) {
    connect(&watcher_, &QFutureWatcher<void>::finished, this, &TickedImport::saved);
}

TickedImport::~TickedImport() { watcher_.waitForFinished(); }

std::size_t TickedImport::start() {
    const std::vector<std::size_t> rows = model_.tickedRows();
    if (rows.empty()) return 0;
    std::vector<SatelliteEntry> entries;
    entries.reserve(rows.size());
    for (const std::size_t row : rows) entries.push_back({model_.row(row).name, model_.row(row).longitudeText});
    saving_ = std::make_shared<Saving>();
    saving_->plan = PlanImport(main_.satellites(), entries);
    saving_->rows = rows;
    watcher_.setFuture(QtConcurrent::run([saving = saving_, folder = main_.controller().ListsFolder()] {
        try {
            SaveImport(folder, saving->plan);
        } catch (const std::exception& error) {
            saving->error = error.what();
        }
    }));
    return rows.size();
}

void TickedImport::saved() {
    const std::shared_ptr<Saving> saving = std::move(saving_);
    if (!saving) return;
    ImportResult result;
    if (!saving->error.empty()) {
        result = FailImport(saving->plan, saving->error);
    } else {
        // Many thousand nodes at once: the listing takes them in one go.
        auto* listing = main_.findChild<CatalogueTreeView*>(QStringLiteral("tvwSat"));
        std::optional<CatalogueModel::BulkAppend> bulk;
        if (listing != nullptr) bulk.emplace(listing->catalogueModel());
        result = ApplyImport(main_.satellites(), saving->plan);
    }
    if (result.added > 0) emit main_.displayValuesChanged();  // the catalogue grew
    // What was not added keeps its tick, and its reason is listed.
    std::vector<bool> keepTick(saving->rows.size(), false);
    QStringList notAdded;
    for (const NotAdded& entry : result.notAdded) {
        keepTick[entry.entry] = true;
        if (notAdded.size() >= kSkippedShown) continue;
        const ImportCandidate& candidate = model_.row(saving->rows[entry.entry]);
        notAdded.append(QStringLiteral("Not added: %1 at %2: %3")
                            .arg(QString::fromStdString(candidate.name), model_.positionText(candidate),
                                 QString::fromStdString(entry.reason)));
    }
    for (std::size_t i = 0; i < saving->rows.size(); ++i)
        if (!keepTick[i]) model_.setTicked(saving->rows[i], false);
    QString text = QStringLiteral("Added %1 to your satellite list; %2 already there.")
                       .arg(result.added == 1 ? QStringLiteral("1 satellite") : QStringLiteral("%1 satellites").arg(result.added))
                       .arg(result.alreadyListed);
    if (!result.notAdded.empty()) {
        text.chop(1);
        text += QStringLiteral("; not added: %1 (listed below with the reason, still ticked).").arg(result.notAdded.size());
    }
    emit finished(text, notAdded);
}

}  // namespace azimora::shell
