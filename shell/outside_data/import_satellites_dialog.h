// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "formats/dvb_scan_tables.h"

class QLabel;
class QPlainTextEdit;
class QTableWidget;

// Tools > Import Satellites: satellites in orbit now, from Debian's DVB
// scan tables and from a file of two-line elements the user chooses, ticked
// and appended to the user's satellite list and listing.
namespace azimora::shell {

class TfrmKorvel;

class ImportSatellitesDialog final : public QDialog {
    Q_OBJECT

public:
    ImportSatellitesDialog(TfrmKorvel& main, QString scanTablesFolder = QString::fromLatin1(kDvbScanTablesFolder));
    Q_DISABLE_COPY_MOVE(ImportSatellitesDialog)

    // The element file to open: a file dialog; tests answer with a path. Empty: cancelled.
    using FileChooser = std::function<QString(QWidget* owner)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    void openElementSets();
    void openElementSets(const QString& file);
    void tickAll(bool ticked);
    void addTicked();

    [[nodiscard]] QTableWidget& table() const { return *table_; }
    [[nodiscard]] QString skippedText() const;
    [[nodiscard]] QString status() const;

private:
    struct Candidate {
        QString name;
        QString longitudeText;
        QString polarisation;
        QString source;
        QString note;
    };
    void append(const std::vector<Candidate>& candidates);

    TfrmKorvel& main_;
    FileChooser chooseFile_;
    std::vector<Candidate> candidates_;
    QTableWidget* table_ = nullptr;
    QPlainTextEdit* skipped_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace azimora::shell
