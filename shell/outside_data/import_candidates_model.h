// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/dvb_scan_tables.h"

// The satellites Import Satellites offers, as compact rows: a whole
// catalogue's element file is hundreds of thousands of them. Ticked in the
// first column; filtered by name or position and by what the site can see,
// without copying a row.
namespace azimora::shell {

struct ImportCandidate {
    std::string name;
    std::string longitudeText;  // west positive, as the user list keeps it: "-19.2"
    float longitudeWest = 0;
    Polarisation polarisation = Polarisation::Unknown;
    std::uint16_t source = 0;   // index into the model's sources
    std::uint32_t warning = 0;  // index into the model's warnings; 0: none
    bool ticked = false;
};

class ImportCandidatesModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, Position, PolarisationColumn, Source, Warning, ColumnCount };

    explicit ImportCandidatesModel(QObject* parent);
    Q_DISABLE_COPY_MOVE(ImportCandidatesModel)

    // The index a source's rows carry; the same source name gives the same index.
    [[nodiscard]] std::uint16_t sourceIndex(const QString& name);
    // Warning texts kept for rows to name by index: the index of the first.
    [[nodiscard]] std::uint32_t addWarnings(std::vector<std::string> texts);
    // Rows, each of its source: the rows those sources had before are
    // replaced; at the top (an element file just opened) or at the end.
    void setRows(std::vector<ImportCandidate> rows, bool atTop);

    // Shows only rows whose name or position holds text (without regard to
    // case), and, with sees set, those it accepts.
    void setFilter(const QString& text, std::function<bool(float longitudeWest)> sees);

    [[nodiscard]] std::size_t totalRows() const { return rows_.size(); }
    [[nodiscard]] const ImportCandidate& candidate(int shownRow) const { return rows_[shown_[static_cast<std::size_t>(shownRow)]]; }
    [[nodiscard]] QString positionText(const ImportCandidate& candidate) const;
    [[nodiscard]] QString warningText(const ImportCandidate& candidate) const;
    [[nodiscard]] QString sourceText(const ImportCandidate& candidate) const;

    // The ticked rows, shown or not, in model order, with their row numbers.
    [[nodiscard]] std::vector<std::size_t> tickedRows() const;
    [[nodiscard]] const ImportCandidate& row(std::size_t index) const { return rows_[index]; }
    void setTicked(std::size_t index, bool ticked);
    // Ticks or clears the rows shown.
    void tickShown(bool ticked);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    [[nodiscard]] bool passes(const ImportCandidate& candidate) const;
    void refilter();

    std::vector<ImportCandidate> rows_;
    std::vector<std::uint32_t> shown_;  // indices into rows_
    QStringList sources_;
    std::vector<std::string> warnings_{std::string()};
    QString filter_;
    std::function<bool(float)> sees_;
};

}  // namespace azimora::shell
