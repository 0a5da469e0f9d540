// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_candidates_list.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "geometry/visibility.h"
#include "sky/sky_chart.h"

namespace azimora::shell {

ImportCandidatesList::ImportCandidatesList(SiteNow site, QWidget* parent) : QWidget(parent), site_(std::move(site)) {
    // The filter's row and the list, spaced as the dialog's own rows are.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* filterRow = new QHBoxLayout;
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(QStringLiteral("name or position, 19.2 E"));
    filter_->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filterLabel->setBuddy(filter_);
    visibleOnly_ = new QCheckBox(QStringLiteral("&Visible from this site"), this);
    visibleOnly_->setObjectName(QStringLiteral("visibleOnly"));
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(visibleOnly_);
    layout->addLayout(filterRow);

    model_ = new ImportCandidatesModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("candidates"));
    table_->setAccessibleName(QStringLiteral("Satellites to import"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(ImportCandidatesModel::Name, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(ImportCandidatesModel::Warning, QHeaderView::Interactive);
    table_->horizontalHeader()->resizeSection(ImportCandidatesModel::Warning, 220);
    // A source missing is said where the list would be, whole, not only in a
    // line of the skipped box below.
    emptyNote_ = new QLabel(this);
    emptyNote_->setObjectName(QStringLiteral("emptyListNote"));
    emptyNote_->setWordWrap(true);
    emptyNote_->setAlignment(Qt::AlignCenter);
    emptyNote_->setMargin(emptyNote_->fontMetrics().height());
    emptyNote_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    emptyNote_->setFrameShape(QFrame::StyledPanel);
    listArea_ = new QStackedWidget(this);
    listArea_->addWidget(table_);
    listArea_->addWidget(emptyNote_);
    layout->addWidget(listArea_, 1);
    connect(model_, &QAbstractItemModel::modelReset, this, &ImportCandidatesList::showListOrNote);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &ImportCandidatesList::showListOrNote);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ImportCandidatesList::showListOrNote);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ImportCandidatesList::showListOrNote);
    connect(filter_, &QLineEdit::textChanged, this, &ImportCandidatesList::applyFilter);
    connect(visibleOnly_, &QCheckBox::toggled, this, &ImportCandidatesList::applyFilter);
}

void ImportCandidatesList::showOpened(std::vector<ImportCandidate> rows) {
    const std::size_t count = rows.size();
    model_->setRows(std::move(rows), true);
    if (!filter_->text().isEmpty() || visibleOnly_->isChecked()) {
        filter_->clear();
        visibleOnly_->setChecked(false);
    }
    if (count > 0) {
        table_->selectionModel()->select(
            QItemSelection(model_->index(0, 0), model_->index(static_cast<int>(count) - 1, ImportCandidatesModel::ColumnCount - 1)),
            QItemSelectionModel::ClearAndSelect);
        table_->scrollToTop();
    }
}

void ImportCandidatesList::setMissingNote(const QString& note) {
    emptyNote_->setText(note);
    emptyNote_->setAccessibleName(note);
}

void ImportCandidatesList::applyFilter() {
    std::function<bool(float)> sees;
    const auto site = site_();
    visibleOnly_->setEnabled(site.has_value() || visibleOnly_->isChecked());
    visibleOnly_->setToolTip(site ? QString() : QStringLiteral("Choose a location in the main window first"));
    if (visibleOnly_->isChecked() && site) {
        sees = [latitude = site->latitude, longitudeWest = site->longitudeWest](float satelliteLongitudeWest) {
            return IsVisible(GeostationaryPositionInSky(latitude, longitudeWest, satelliteLongitudeWest).elevation);
        };
    }
    model_->setFilter(filter_->text(), std::move(sees));
    showListOrNote();
}

void ImportCandidatesList::showListOrNote() {
    const bool noteInstead = model_->rowCount() == 0 && filter_->text().isEmpty() && !visibleOnly_->isChecked() &&
                             !emptyNote_->text().isEmpty();
    listArea_->setCurrentWidget(noteInstead ? static_cast<QWidget*>(emptyNote_) : table_);
}

QString ImportCandidatesList::emptyListNote() const {
    return listArea_->currentWidget() == emptyNote_ ? emptyNote_->text() : QString();
}

void ImportCandidatesList::setFilterText(const QString& text) { filter_->setText(text); }

void ImportCandidatesList::setOnlyVisible(bool visible) { visibleOnly_->setChecked(visible); }

}  // namespace azimora::shell
