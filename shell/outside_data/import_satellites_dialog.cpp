// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_satellites_dialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

#include "controller/display_site.h"
#include "errors.h"
#include "formats/element_file_reader.h"
#include "formats/kept_elements.h"
#include "main_window/main_window.h"
#include "settings_file.h"
#include "placement/window_placement.h"
#include "sky/sky_chart.h"
#include "trees/catalogue_model.h"
#include "trees/catalogue_tree_view.h"

namespace azimora::shell {

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

struct ImportSatellitesDialog::Saving {
    ImportPlan plan;
    std::vector<std::size_t> rows;  // the model's row of each entry
    std::string error;
};

namespace {

constexpr int kSkippedShown = 200;
constexpr int kSkippedLineLength = 160;

QString ChooseElementFile(QWidget* owner) {
    return QFileDialog::getOpenFileName(
        owner, QStringLiteral("Open an Element File"), QDir::homePath(),
        QStringLiteral("Element files: two-line sets, OMM (*.txt *.tle *.3le *.json *.xml *.csv *.kvn *.omm);;All files (*)"));
}

// The address of the last download that worked; the publisher's default first.
constexpr const char* kAddressKey = "elements/address";

QString RememberedAddress() {
    const auto settings = sources::OpenSettings();
    const QString fallback = QString::fromLatin1(sources::kDefaultElementsAddress);
    return settings ? settings->value(QString::fromLatin1(kAddressKey), fallback).toString() : fallback;
}

void RememberAddress(const QString& address) {
    const auto settings = sources::OpenSettings();
    if (!settings) return;
    if (address != QLatin1String(sources::kDefaultElementsAddress) || settings->contains(QString::fromLatin1(kAddressKey)))
        settings->setValue(QString::fromLatin1(kAddressKey), address);
}

void ReadInto(ElementLoad& load) {
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

}  // namespace

struct ImportSatellitesDialog::ScanTablesRead {
    ScanTables tables;
    QString problem;
};

ImportSatellitesDialog::ImportSatellitesDialog(TfrmKorvel& main, QString scanTablesFolder,
                                               std::filesystem::path keptFolder)
    : QDialog(&main), main_(main), chooseFile_(ChooseElementFile), keptFolder_(std::move(keptFolder)) {
    setObjectName(QStringLiteral("ImportSatellites"));
    setWindowTitle(QStringLiteral("Import Satellites"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Satellites from Debian's DVB scan tables, from element files you choose (two-line sets or "
                       "orbit mean-elements messages), and current elements downloaded when you ask, all placed where "
                       "they stand now. Tick those to add to your satellite list."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    // The network only when the user asks: the address is the user's to change.
    auto* downloadRow = new QHBoxLayout;
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("elementsAddress"));
    address_->setAccessibleName(QStringLiteral("Address of the current elements"));
    address_->setText(RememberedAddress());
    auto* addressLabel = new QLabel(QStringLiteral("C&urrent elements from:"), this);
    addressLabel->setBuddy(address_);
    auto* download = new QPushButton(QStringLiteral("Do&wnload"), this);
    download->setObjectName(QStringLiteral("download"));
    download->setAccessibleName(QStringLiteral("Download Current Elements"));
    downloadRow->addWidget(addressLabel);
    downloadRow->addWidget(address_, 1);
    downloadRow->addWidget(download);
    layout->addLayout(downloadRow);
    auto* keptRow = new QHBoxLayout;
    kept_ = new QLabel(this);
    kept_->setObjectName(QStringLiteral("keptCopy"));
    kept_->setWordWrap(true);
    useKept_ = new QPushButton(QStringLiteral("Use &Kept Copy"), this);
    useKept_->setObjectName(QStringLiteral("useKept"));
    keptRow->addWidget(kept_, 1);
    keptRow->addWidget(useKept_);
    layout->addLayout(keptRow);
    download_ = new sources::ElementDownload(keptFolder_, this);
    connect(download, &QPushButton::clicked, this, [this] { downloadCurrentElements(); });
    connect(useKept_, &QPushButton::clicked, this, &ImportSatellitesDialog::useKeptCopy);
    connect(download_, &sources::ElementDownload::finished, this, &ImportSatellitesDialog::downloaded);
    connect(download_, &sources::ElementDownload::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0) {
            progress_->setRange(0, 1000);
            progress_->setValue(static_cast<int>(1000 * received / total));
        } else {
            progress_->setRange(0, 0);  // no length given: busy without an end
        }
    });

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
    connect(model_, &QAbstractItemModel::modelReset, this, &ImportSatellitesDialog::showListOrNote);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &ImportSatellitesDialog::showListOrNote);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ImportSatellitesDialog::showListOrNote);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ImportSatellitesDialog::showListOrNote);

    auto* progressRow = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    cancel_ = new QPushButton(QStringLiteral("Cance&l"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    layout->addLayout(progressRow);
    progress_->hide();
    cancel_->hide();

    auto* skippedTitle = new QLabel(QStringLiteral("Skipped:"), this);
    skipped_ = new QPlainTextEdit(this);
    skipped_->setObjectName(QStringLiteral("skipped"));
    skipped_->setAccessibleName(QStringLiteral("Skipped entries"));
    skipped_->setReadOnly(true);
    skipped_->setMaximumHeight(110);
    skipped_->setLineWrapMode(QPlainTextEdit::NoWrap);
    skippedTitle->setBuddy(skipped_);
    layout->addWidget(skippedTitle);
    layout->addWidget(skipped_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("Open &Element File..."), this);
    auto* all = new QPushButton(QStringLiteral("Tick &All"), this);
    auto* none = new QPushButton(QStringLiteral("Tick &None"), this);
    auto* add = new QPushButton(QStringLiteral("A&dd Ticked"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(open, &QPushButton::clicked, this, [this] { openElementSets(); });
    connect(all, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { tickAll(false); });
    connect(add, &QPushButton::clicked, this, &ImportSatellitesDialog::addTicked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(cancel_, &QPushButton::clicked, this, &ImportSatellitesDialog::cancelWork);
    connect(filter_, &QLineEdit::textChanged, this, &ImportSatellitesDialog::applyFilter);
    connect(visibleOnly_, &QCheckBox::toggled, this, &ImportSatellitesDialog::applyFilter);
    for (QPushButton* button : {open, all, none}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    actions_ = {open, all, none, add, download, useKept_};

    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, [this] {
        if (!load_ || load_->progress.bytesTotal == 0) return;
        progress_->setValue(static_cast<int>(1000 * load_->progress.bytesRead / load_->progress.bytesTotal));
    });
    connect(&loading_, &QFutureWatcher<void>::finished, this, &ImportSatellitesDialog::elementsRead);
    connect(&savingWatcher_, &QFutureWatcher<void>::finished, this, &ImportSatellitesDialog::importSaved);

    // The scan tables on another thread (a few hundred small files, but a
    // folder may hold anything); element files when asked for.
    connect(&scanning_, &QFutureWatcher<std::shared_ptr<ScanTablesRead>>::finished, this,
            &ImportSatellitesDialog::scanTablesRead);
    status_->setText(QStringLiteral("Reading the DVB scan tables\u2026"));
    scanning_.setFuture(QtConcurrent::run([folder = QFile::encodeName(scanTablesFolder).toStdString()] {
        auto read = std::make_shared<ScanTablesRead>();
        try {
            read->tables = ReadScanTables(folder);
        } catch (const Error& error) {
            read->problem = QString::fromUtf8(error.what());
        }
        return read;
    }));
    applyFilter();
    showKeptCopy();
}

void ImportSatellitesDialog::finishScan() {
    if (scanning_.isRunning()) scanning_.waitForFinished();  // a moment: the tables are small
    scanTablesRead();
}

void ImportSatellitesDialog::scanTablesRead() {
    if (scanApplied_ || !scanning_.isFinished()) return;
    scanApplied_ = true;
    const std::shared_ptr<ScanTablesRead> read = scanning_.result();
    status_->clear();
    if (!read->problem.isEmpty()) {
        skipped_->appendPlainText(read->problem);
        emptyNote_->setText(read->problem + QStringLiteral(".\nAn element file (Open Element File) or the current "
                                                           "elements (Download) give satellites without them."));
        emptyNote_->setAccessibleName(emptyNote_->text());
    } else {
        std::vector<ImportCandidate> rows;
        for (const ScanTableSatellite& satellite : read->tables.satellites) {
            ImportCandidate row;
            row.name = satellite.name;
            row.longitudeText = satellite.longitudeText;
            row.longitudeWest = static_cast<float>(satellite.longitudeWest);
            row.polarisation = satellite.polarisation;
            row.source = model_->sourceIndex(QStringLiteral("DVB scan table ") + QString::fromStdString(satellite.file));
            rows.push_back(std::move(row));
        }
        model_->setRows(std::move(rows), false);
        showSkipped(QStringLiteral("DVB scan tables"), read->tables.skipped, read->tables.skipped.size());
    }
    applyFilter();
}

void ImportSatellitesDialog::showKeptCopy() {
    const KeptElementsLookup lookup = LookUpKeptElements(keptFolder_);
    const auto& kept = lookup.kept;
    useKept_->setVisible(kept.has_value());
    if (!kept) {
        kept_->setText(lookup.problem.empty()
                           ? QStringLiteral("No download kept yet.")
                           : QStringLiteral("The kept download cannot be used: %1.").arg(QString::fromStdString(lookup.problem)));
        return;
    }
    const double age = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000 - kept->downloaded;
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(kept->downloaded * 1000), Qt::UTC);
    kept_->setText(QStringLiteral("Kept download of %1 UTC, %2 old, from %3.")
                       .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QString::fromStdString(AgeText(age)),
                            QUrl(QString::fromStdString(kept->address)).host()));
}

QString ImportSatellitesDialog::keptText() const { return kept_->text(); }

void ImportSatellitesDialog::useKeptCopy() {
    if (const auto kept = FindKeptElements(keptFolder_)) openElementSets(QFile::decodeName(kept->file.c_str()));
}

void ImportSatellitesDialog::downloadCurrentElements(int timeoutMs) {
    finishScan();
    if (busy()) return;
    const QUrl address(address_->text().trimmed());
    switch (download_->start(address, QDateTime::currentDateTimeUtc(), timeoutMs)) {
        case sources::ElementDownload::Start::Refused:
            status_->setText(download_->message());
            emit finished();
            return;
        case sources::ElementDownload::Start::KeptIsFresh:
            downloadNote_ = download_->message();
            useKeptCopy();
            return;
        case sources::ElementDownload::Start::Started:
            downloadingFrom_ = address_->text().trimmed();
            setBusy(download_->message());
            progress_->setRange(0, 0);
            return;
    }
}

void ImportSatellitesDialog::downloaded(bool ok) {
    setBusy({});
    status_->setText(download_->message());
    showKeptCopy();
    if (ok) {
        // What worked is remembered; a failed address stays in the field only.
        RememberAddress(downloadingFrom_);
        downloadNote_ = download_->message();
        useKeptCopy();
        return;
    }
    emit finished();
}

ImportSatellitesDialog::~ImportSatellitesDialog() {
    // Work still running ends before the window goes.
    if (load_) load_->progress.cancelled = true;
    scanning_.waitForFinished();
    loading_.waitForFinished();
    savingWatcher_.waitForFinished();
}

bool ImportSatellitesDialog::busy() const {
    return !scanApplied_ || load_ != nullptr || saving_ != nullptr || (download_ != nullptr && download_->running());
}

void ImportSatellitesDialog::setBusy(const QString& what) {
    const bool working = !what.isEmpty();
    progress_->setVisible(working);
    cancel_->setVisible(working);
    for (QPushButton* button : actions_) button->setEnabled(!working);
    if (working) {
        status_->setText(what);
        progress_->setRange(0, 1000);
        progress_->setValue(0);
        progressTimer_.start();
    } else {
        progressTimer_.stop();
    }
}

void ImportSatellitesDialog::showSkipped(const QString& source, const std::vector<std::string>& lines, std::size_t count) {
    int shown = 0;
    for (const std::string& line : lines) {
        if (shown++ == kSkippedShown) break;
        QString text = source + QStringLiteral(": ") + QString::fromStdString(line);
        if (text.size() > kSkippedLineLength) text = text.left(kSkippedLineLength - 1) + u'\u2026';
        skipped_->appendPlainText(text);
    }
    if (count > static_cast<std::size_t>(shown))
        skipped_->appendPlainText(QStringLiteral("%1: and %2 more lines skipped").arg(source).arg(count - static_cast<std::size_t>(shown)));
}

void ImportSatellitesDialog::applyFilter() {
    std::function<bool(float)> sees;
    const auto site = LocationOfDisplay(main_.controller().Values());
    visibleOnly_->setEnabled(site.has_value() || visibleOnly_->isChecked());
    visibleOnly_->setToolTip(site ? QString() : QStringLiteral("Choose a location in the main window first"));
    if (visibleOnly_->isChecked() && site) {
        sees = [latitude = site->latitude, longitude = site->longitudeWest](float west) {
            return GeostationaryPositionInSky(latitude, longitude, west).elevation > 0;
        };
    }
    model_->setFilter(filter_->text(), std::move(sees));
    showListOrNote();
}

void ImportSatellitesDialog::showListOrNote() {
    const bool noteInstead = model_->rowCount() == 0 && filter_->text().isEmpty() && !visibleOnly_->isChecked() &&
                             !emptyNote_->text().isEmpty();
    listArea_->setCurrentWidget(noteInstead ? static_cast<QWidget*>(emptyNote_) : table_);
}

QString ImportSatellitesDialog::emptyListNote() const {
    return listArea_->currentWidget() == emptyNote_ ? emptyNote_->text() : QString();
}

void ImportSatellitesDialog::setFilterText(const QString& text) { filter_->setText(text); }

void ImportSatellitesDialog::setOnlyVisible(bool visible) { visibleOnly_->setChecked(visible); }

void ImportSatellitesDialog::openElementSets() {
    const QString file = chooseFile_(this);
    if (!file.isEmpty()) openElementSets(file);
}

void ImportSatellitesDialog::openElementSets(const QString& file) {
    finishScan();
    if (busy()) return;
    load_ = std::make_shared<ElementLoad>();
    load_->file = file;
    setBusy(QStringLiteral("Reading %1\u2026").arg(QFileInfo(file).fileName()));
    loading_.setFuture(QtConcurrent::run([load = load_] { ReadInto(*load); }));
}

void ImportSatellitesDialog::elementsRead() {
    setBusy({});
    const QString note = std::exchange(downloadNote_, QString());
    const std::shared_ptr<ElementLoad> load = std::move(load_);
    if (!load) return;
    const QString name = QFileInfo(load->file).fileName();
    if (!load->error.empty()) {
        skipped_->appendPlainText(QString::fromStdString(load->error));
        status_->setText(QStringLiteral("%1 could not be read.").arg(name));
    } else if (load->cancelled) {
        status_->setText(QStringLiteral("Reading %1 was cancelled; nothing from it was added to the list.").arg(name));
    } else {
        // The rows at the top, selected: what the user just opened.
        const std::uint16_t source = model_->sourceIndex(QStringLiteral("elements ") + name);
        const std::uint32_t firstWarning = model_->addWarnings(std::move(load->warnings));
        for (ImportCandidate& row : load->rows) {
            row.source = source;
            if (row.warning != 0) row.warning += firstWarning - 1;
        }
        const std::size_t count = load->rows.size();
        model_->setRows(std::move(load->rows), true);
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
        showSkipped(name, load->skipped, load->skippedCount);
        if (count == 0 && load->skippedCount == 0) skipped_->appendPlainText(name + QStringLiteral(": no element sets in it"));
        status_->setText((note.isEmpty() ? QString() : note + u' ') +
                         QStringLiteral("%1: %2 near-geostationary objects, at the top; %3 skipped.")
                             .arg(name)
                             .arg(count)
                             .arg(load->skippedCount));
    }
    emit finished();
}

void ImportSatellitesDialog::cancelWork() {
    if (load_) load_->progress.cancelled = true;
    download_->cancel();
}

void ImportSatellitesDialog::tickAll(bool ticked) { model_->tickShown(ticked); }

void ImportSatellitesDialog::addTicked() {
    finishScan();
    if (busy()) return;
    const std::vector<std::size_t> rows = model_->tickedRows();
    if (rows.empty()) {
        status_->setText(QStringLiteral("Nothing is ticked."));
        emit finished();
        return;
    }
    std::vector<SatelliteEntry> entries;
    entries.reserve(rows.size());
    for (const std::size_t row : rows) entries.push_back({model_->row(row).name, model_->row(row).longitudeText});
    saving_ = std::make_shared<Saving>();
    saving_->plan = PlanImport(main_.satellites(), entries);
    saving_->rows = rows;
    setBusy(QStringLiteral("Adding %1 satellites to your list\u2026").arg(rows.size()));
    cancel_->hide();  // the list is written whole or not at all, in one step
    progress_->setRange(0, 0);
    savingWatcher_.setFuture(QtConcurrent::run([saving = saving_, folder = main_.controller().ListsFolder()] {
        try {
            SaveImport(folder, saving->plan);
        } catch (const std::exception& error) {
            saving->error = error.what();
        }
    }));
}

void ImportSatellitesDialog::importSaved() {
    setBusy({});
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
    int listed = 0;
    for (const NotAdded& entry : result.notAdded) {
        keepTick[entry.entry] = true;
        if (listed++ >= kSkippedShown) continue;
        const ImportCandidate& candidate = model_->row(saving->rows[entry.entry]);
        skipped_->appendPlainText(QStringLiteral("Not added: %1 at %2: %3")
                                      .arg(QString::fromStdString(candidate.name), model_->positionText(candidate),
                                           QString::fromStdString(entry.reason)));
    }
    for (std::size_t i = 0; i < saving->rows.size(); ++i)
        if (!keepTick[i]) model_->setTicked(saving->rows[i], false);
    QString text = QStringLiteral("Added %1 to your satellite list; %2 already there.")
                       .arg(result.added == 1 ? QStringLiteral("1 satellite") : QStringLiteral("%1 satellites").arg(result.added))
                       .arg(result.alreadyListed);
    if (!result.notAdded.empty()) {
        text.chop(1);
        text += QStringLiteral("; not added: %1 (listed below with the reason, still ticked).").arg(result.notAdded.size());
    }
    status_->setText(text);
    emit finished();
}

QString ImportSatellitesDialog::skippedText() const { return skipped_->toPlainText(); }

QString ImportSatellitesDialog::status() const { return status_->text(); }

// Whole on the screen at any scale (at 2x a dialog's own size may pass the screen's).
void ImportSatellitesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    KeepWithinScreen(*this);
}

}  // namespace azimora::shell
