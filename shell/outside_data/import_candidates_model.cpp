// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_candidates_model.h"

#include <algorithm>

#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

QString PolarisationText(Polarisation polarisation) {
    switch (polarisation) {
        case Polarisation::Linear: return QStringLiteral("linear (H/V)");
        case Polarisation::Circular: return QStringLiteral("circular (L/R)");
        case Polarisation::Mixed: return QStringLiteral("linear and circular");
        case Polarisation::Unknown: break;
    }
    return QStringLiteral("unknown");
}

}  // namespace

ImportCandidatesModel::ImportCandidatesModel(QObject* parent) : QAbstractTableModel(parent) {}

std::uint16_t ImportCandidatesModel::sourceIndex(const QString& name) {
    const qsizetype at = sources_.indexOf(name);
    if (at >= 0) return static_cast<std::uint16_t>(at);
    sources_ << name;
    return static_cast<std::uint16_t>(sources_.size() - 1);
}

std::uint32_t ImportCandidatesModel::addWarnings(std::vector<std::string> texts) {
    const auto first = static_cast<std::uint32_t>(warnings_.size());
    warnings_.insert(warnings_.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
    return first;
}

void ImportCandidatesModel::setRows(std::vector<ImportCandidate> rows, bool atTop) {
    beginResetModel();
    // The same source again replaces its rows: opening a file twice adds nothing twice.
    std::vector<bool> replaced(static_cast<std::size_t>(sources_.size()), false);
    for (const ImportCandidate& row : rows) replaced[row.source] = true;
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [&](const ImportCandidate& c) { return replaced[c.source]; }),
                rows_.end());
    rows_.insert(atTop ? rows_.begin() : rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    rows_.shrink_to_fit();
    refilter();
    endResetModel();
}

QString ImportCandidatesModel::positionText(const ImportCandidate& candidate) const {
    return LongitudeText(candidate.longitudeWest, 1);
}

QString ImportCandidatesModel::warningText(const ImportCandidate& candidate) const {
    return QString::fromStdString(warnings_[candidate.warning]);
}

QString ImportCandidatesModel::sourceText(const ImportCandidate& candidate) const { return sources_.value(candidate.source); }

bool ImportCandidatesModel::passes(const ImportCandidate& candidate) const {
    if (sees_ && !sees_(candidate.longitudeWest)) return false;
    if (filter_.isEmpty()) return true;
    return QString::fromStdString(candidate.name).contains(filter_, Qt::CaseInsensitive) ||
           positionText(candidate).contains(filter_, Qt::CaseInsensitive);
}

void ImportCandidatesModel::refilter() {
    shown_.clear();
    shown_.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (passes(rows_[i])) shown_.push_back(static_cast<std::uint32_t>(i));
}

void ImportCandidatesModel::setFilter(const QString& text, std::function<bool(float)> sees) {
    beginResetModel();
    filter_ = text.trimmed();
    sees_ = std::move(sees);
    refilter();
    endResetModel();
}

std::vector<std::size_t> ImportCandidatesModel::tickedRows() const {
    std::vector<std::size_t> ticked;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].ticked) ticked.push_back(i);
    return ticked;
}

void ImportCandidatesModel::setTicked(std::size_t index, bool ticked) {
    rows_[index].ticked = ticked;
    const auto shown = std::lower_bound(shown_.begin(), shown_.end(), static_cast<std::uint32_t>(index));
    if (shown != shown_.end() && *shown == index) {
        const QModelIndex cell = this->index(static_cast<int>(shown - shown_.begin()), Name);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
}

void ImportCandidatesModel::tickShown(bool ticked) {
    for (const std::uint32_t i : shown_) rows_[i].ticked = ticked;
    if (!shown_.empty()) emit dataChanged(index(0, Name), index(rowCount() - 1, Name), {Qt::CheckStateRole});
}

int ImportCandidatesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ImportCandidatesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ImportCandidatesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const ImportCandidate& c = candidate(index.row());
    if (role == Qt::CheckStateRole && index.column() == Name) return c.ticked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ToolTipRole && index.column() == Warning && c.warning != 0) return warningText(c);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Name: return QString::fromStdString(c.name);
        case Position: return positionText(c);
        case PolarisationColumn: return PolarisationText(c.polarisation);
        case Source: return sourceText(c);
        case Warning: return warningText(c);
        default: return {};
    }
}

QVariant ImportCandidatesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const titles[] = {"Satellite", "Position", "Polarisation", "Source", "Warning"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

Qt::ItemFlags ImportCandidatesModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Name) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ImportCandidatesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != Name || role != Qt::CheckStateRole) return false;
    setTicked(shown_[static_cast<std::size_t>(index.row())], value.toInt() == Qt::Checked);
    return true;
}

}  // namespace azimora::shell
