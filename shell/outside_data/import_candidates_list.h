// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "controller/display_site.h"
#include "outside_data/import_candidates_model.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableView;

// Import Satellites' list of candidates: the filter by name or position
// and by what the site can see, the table to tick them in, and, while the
// list is empty because a source is missing, what is missing, said whole
// where the list would be.
namespace azimora::shell {

class ImportCandidatesList final : public QWidget {
    Q_OBJECT

public:
    // site: the main window's location now, for "Visible from this site".
    using SiteNow = std::function<std::optional<SiteLocation>()>;
    ImportCandidatesList(SiteNow site, QWidget* parent);
    Q_DISABLE_COPY_MOVE(ImportCandidatesList)

    [[nodiscard]] ImportCandidatesModel& model() const { return *model_; }
    [[nodiscard]] QTableView& table() const { return *table_; }

    // Rows of an element file just opened: at the top, selected, shown
    // whatever the filter was.
    void showOpened(std::vector<ImportCandidate> rows);
    // A source missing: said where the list would be while it is empty.
    void setMissingNote(const QString& note);
    // The note, while it is shown instead of the list.
    [[nodiscard]] QString emptyListNote() const;

    void setFilterText(const QString& text);
    void setOnlyVisible(bool visible);
    // Filters the rows anew: the site may have changed.
    void applyFilter();

private:
    void showListOrNote();

    SiteNow site_;
    ImportCandidatesModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* emptyNote_ = nullptr;
    QStackedWidget* listArea_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QCheckBox* visibleOnly_ = nullptr;
};

}  // namespace azimora::shell
