// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFutureWatcher>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "element_download.h"

#include "formats/dvb_scan_tables.h"
#include "outside_data/import_candidates_model.h"
#include "placement/on_screen_dialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;

// Tools > Import Satellites: satellites in orbit now, from Debian's DVB
// scan tables and from files of two-line elements the user chooses, ticked
// and appended to the user's satellite list and listing. A file of the
// whole catalogue is read on other threads with progress and a Cancel; the
// save runs off the window's thread too, and the window keeps answering.
// The sources are read by import_sources, the current elements downloaded
// by CurrentElementsPanel, the candidates listed by ImportCandidatesList and
// added by TickedImport; the dialog runs them in turn and says how it went.
namespace azimora::shell {

class CurrentElementsPanel;
class ImportCandidatesList;
class TfrmKorvel;
class TickedImport;
struct ElementLoad;
struct ScanTablesRead;

class ImportSatellitesDialog final : public OnScreenDialog {
    Q_OBJECT

public:
    ImportSatellitesDialog(TfrmKorvel& main, QString scanTablesFolder = QString::fromLatin1(kDvbScanTablesFolder),
                           std::filesystem::path keptFolder = sources::DefaultKeptElementsFolder());
    ~ImportSatellitesDialog() override;
    Q_DISABLE_COPY_MOVE(ImportSatellitesDialog)

    // The element file to open: a file dialog; tests answer with a path. Empty: cancelled.
    using FileChooser = std::function<QString(QWidget* owner)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    void openElementSets();
    // Starts reading the file; finished() when its rows are in (or it was cancelled).
    void openElementSets(const QString& file);
    void cancelWork();
    // Download Current Elements: from the address field, unless the kept copy
    // is fresh; then they are read as an element file. finished() at the end.
    void downloadCurrentElements(int timeoutMs = sources::kDownloadTimeoutMs);
    // Use Kept Copy: the last download, read as an element file.
    void useKeptCopy();
    [[nodiscard]] QLineEdit& address() const;
    [[nodiscard]] QString keptText() const;
    [[nodiscard]] bool busy() const;
    void tickAll(bool ticked);
    // Starts adding the ticked satellites; finished() when done.
    void addTicked();

    [[nodiscard]] ImportCandidatesModel& candidates() const;
    [[nodiscard]] QTableView& table() const;
    // Said where the list would be while it is empty and a source is missing.
    [[nodiscard]] QString emptyListNote() const;
    [[nodiscard]] QString skippedText() const;
    [[nodiscard]] QString status() const;
    void setFilterText(const QString& text);
    void setOnlyVisible(bool visible);

signals:
    void finished();

private:
    void showSkipped(const QString& source, const std::vector<std::string>& lines, std::size_t count);
    void elementsRead();
    void importSaved(const QString& status, const QStringList& notAdded);
    void setBusy(const QString& what);
    void downloaded(bool ok);

    TfrmKorvel& main_;
    FileChooser chooseFile_;
    CurrentElementsPanel* currentElements_ = nullptr;
    ImportCandidatesList* list_ = nullptr;
    QString downloadNote_;  // what the download said, before what the reading says
    QPlainTextEdit* skipped_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QList<QPushButton*> actions_;
    QTimer progressTimer_;

    std::shared_ptr<ElementLoad> load_;
    QFutureWatcher<void> loading_;
    // The scan tables, read on another thread as the window opens.
    QFutureWatcher<std::shared_ptr<ScanTablesRead>> scanning_;
    bool scanApplied_ = false;
    void scanTablesRead();
    // Whatever the user does first waits the moment the tables take, so that
    // nothing of theirs is overwritten by them.
    void finishScan();
    TickedImport* import_ = nullptr;
};

}  // namespace azimora::shell
