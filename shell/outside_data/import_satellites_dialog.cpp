// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_satellites_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

#include "main_window/main_window.h"
#include "outside_data/current_elements_panel.h"
#include "outside_data/import_candidates_list.h"
#include "outside_data/import_sources.h"
#include "outside_data/ticked_import.h"

namespace azimora::shell {

namespace {

constexpr int kSkippedLineLength = 160;

}  // namespace

ImportSatellitesDialog::ImportSatellitesDialog(TfrmKorvel& main, QString scanTablesFolder,
                                               std::filesystem::path keptFolder)
    : OnScreenDialog(&main), main_(main), chooseFile_(ChooseElementFile) {
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

    currentElements_ = new CurrentElementsPanel(std::move(keptFolder), this);
    layout->addWidget(currentElements_);
    connect(currentElements_, &CurrentElementsPanel::downloadAsked, this, [this] { downloadCurrentElements(); });
    connect(currentElements_, &CurrentElementsPanel::keptCopyAsked, this, &ImportSatellitesDialog::useKeptCopy);
    connect(currentElements_, &CurrentElementsPanel::finished, this, &ImportSatellitesDialog::downloaded);
    connect(currentElements_, &CurrentElementsPanel::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0) {
            progress_->setRange(0, 1000);
            progress_->setValue(static_cast<int>(1000 * received / total));
        } else {
            progress_->setRange(0, 0);  // no length given: busy without an end
        }
    });

    list_ = new ImportCandidatesList([&main] { return main.controller().Checked().location; }, this);
    layout->addWidget(list_, 1);

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
    for (QPushButton* button : {open, all, none}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    actions_ = {open, all, none, add, &currentElements_->downloadButton(), &currentElements_->useKeptButton()};

    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, [this] {
        if (!load_ || load_->progress.bytesTotal == 0) return;
        progress_->setValue(static_cast<int>(1000 * load_->progress.bytesRead / load_->progress.bytesTotal));
    });
    connect(&loading_, &QFutureWatcher<void>::finished, this, &ImportSatellitesDialog::elementsRead);
    import_ = new TickedImport(main_, list_->model(), this);
    connect(import_, &TickedImport::finished, this, &ImportSatellitesDialog::importSaved);

    // The scan tables on another thread (a few hundred small files, but a
    // folder may hold anything); element files when asked for.
    connect(&scanning_, &QFutureWatcher<std::shared_ptr<ScanTablesRead>>::finished, this,
            &ImportSatellitesDialog::scanTablesRead);
    status_->setText(QStringLiteral("Reading the DVB scan tables\u2026"));
    scanning_.setFuture(QtConcurrent::run(ReadScanTablesIn, QFile::encodeName(scanTablesFolder).toStdString()));
    list_->applyFilter();
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
        list_->setMissingNote(read->problem + QStringLiteral(".\nAn element file (Open Element File) or the current "
                                                             "elements (Download) give satellites without them."));
    } else {
        list_->model().setRows(ScanTableCandidates(read->tables, list_->model()), false);
        showSkipped(QStringLiteral("DVB scan tables"), read->tables.skipped, read->tables.skipped.size());
    }
    list_->applyFilter();
}

QLineEdit& ImportSatellitesDialog::address() const { return currentElements_->address(); }

QString ImportSatellitesDialog::keptText() const { return currentElements_->keptText(); }

void ImportSatellitesDialog::useKeptCopy() {
    if (const auto file = currentElements_->keptFile()) openElementSets(*file);
}

void ImportSatellitesDialog::downloadCurrentElements(int timeoutMs) {
    finishScan();
    if (busy()) return;
    switch (currentElements_->start(timeoutMs)) {
        case sources::ElementDownload::Start::Refused:
            status_->setText(currentElements_->message());
            emit finished();
            return;
        case sources::ElementDownload::Start::KeptIsFresh:
            downloadNote_ = currentElements_->message();
            useKeptCopy();
            return;
        case sources::ElementDownload::Start::Started:
            setBusy(currentElements_->message());
            progress_->setRange(0, 0);
            return;
    }
}

void ImportSatellitesDialog::downloaded(bool ok) {
    setBusy({});
    status_->setText(currentElements_->message());
    if (ok) {
        downloadNote_ = currentElements_->message();
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
}

bool ImportSatellitesDialog::busy() const {
    return !scanApplied_ || load_ != nullptr || import_->running() || currentElements_->running();
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

ImportCandidatesModel& ImportSatellitesDialog::candidates() const { return list_->model(); }

QTableView& ImportSatellitesDialog::table() const { return list_->table(); }

QString ImportSatellitesDialog::emptyListNote() const { return list_->emptyListNote(); }

void ImportSatellitesDialog::setFilterText(const QString& text) { list_->setFilterText(text); }

void ImportSatellitesDialog::setOnlyVisible(bool visible) { list_->setOnlyVisible(visible); }

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
    loading_.setFuture(QtConcurrent::run([load = load_] { ReadElementLoad(*load); }));
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
        ImportCandidatesModel& model = list_->model();
        const std::uint16_t source = model.sourceIndex(QStringLiteral("elements ") + name);
        const std::uint32_t firstWarning = model.addWarnings(std::move(load->warnings));
        for (ImportCandidate& row : load->rows) {
            row.source = source;
            if (row.warning != 0) row.warning += firstWarning - 1;
        }
        const std::size_t count = load->rows.size();
        list_->showOpened(std::move(load->rows));
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
    currentElements_->cancel();
}

void ImportSatellitesDialog::tickAll(bool ticked) { list_->model().tickShown(ticked); }

void ImportSatellitesDialog::addTicked() {
    finishScan();
    if (busy()) return;
    const std::size_t count = import_->start();
    if (count == 0) {
        status_->setText(QStringLiteral("Nothing is ticked."));
        emit finished();
        return;
    }
    setBusy(QStringLiteral("Adding %1 satellites to your list\u2026").arg(count));
    cancel_->hide();  // the list is written whole or not at all, in one step
    progress_->setRange(0, 0);
}

void ImportSatellitesDialog::importSaved(const QString& status, const QStringList& notAdded) {
    setBusy({});
    for (const QString& line : notAdded) skipped_->appendPlainText(line);
    status_->setText(status);
    emit finished();
}

QString ImportSatellitesDialog::skippedText() const { return skipped_->toPlainText(); }

QString ImportSatellitesDialog::status() const { return status_->text(); }

}  // namespace azimora::shell
