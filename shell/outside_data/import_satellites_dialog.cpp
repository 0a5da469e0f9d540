// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/import_satellites_dialog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "errors.h"
#include "formats/satellite_import.h"
#include "formats/two_line_elements.h"
#include "main_window/main_window.h"
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

QString Position(const QString& westText) { return LongitudeText(westText.toDouble(), 1); }

QString ChooseElementFile(QWidget* owner) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Open Two-Line Elements"), QDir::homePath(),
                                        QStringLiteral("Two-line elements (*.txt *.tle *.3le);;All files (*)"));
}

}  // namespace

ImportSatellitesDialog::ImportSatellitesDialog(TfrmKorvel& main, QString scanTablesFolder)
    : QDialog(&main), main_(main), chooseFile_(ChooseElementFile) {
    setObjectName(QStringLiteral("ImportSatellites"));
    setWindowTitle(QStringLiteral("Import Satellites"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 560);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Satellites from Debian's DVB scan tables, and from a file of two-line elements you choose "
                       "(for where they stand now). Tick those to add to your satellite list."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("candidates"));
    table_->setAccessibleName(QStringLiteral("Satellites to import"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Satellite"), QStringLiteral("Position"),
                                       QStringLiteral("Polarisation"), QStringLiteral("Source"), QStringLiteral("Warning")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    layout->addWidget(table_, 1);

    auto* skippedTitle = new QLabel(QStringLiteral("Skipped:"), this);
    skipped_ = new QPlainTextEdit(this);
    skipped_->setObjectName(QStringLiteral("skipped"));
    skipped_->setAccessibleName(QStringLiteral("Skipped entries"));
    skipped_->setReadOnly(true);
    skipped_->setMaximumHeight(110);
    skippedTitle->setBuddy(skipped_);
    layout->addWidget(skippedTitle);
    layout->addWidget(skipped_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("Open &Two-Line Elements..."), this);
    auto* all = new QPushButton(QStringLiteral("Tick &All"), this);
    auto* none = new QPushButton(QStringLiteral("Tick &None"), this);
    auto* add = new QPushButton(QStringLiteral("A&dd Ticked"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(open, &QPushButton::clicked, this, [this] { openElementSets(); });
    connect(all, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { tickAll(false); });
    connect(add, &QPushButton::clicked, this, &ImportSatellitesDialog::addTicked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    for (QPushButton* button : {open, all, none}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // The scan tables at once; the element file when asked for.
    try {
        const ScanTables tables = ReadScanTables(QFile::encodeName(scanTablesFolder).toStdString());
        std::vector<Candidate> found;
        for (const ScanTableSatellite& satellite : tables.satellites) {
            found.push_back({QString::fromStdString(satellite.name), QString::fromStdString(satellite.longitudeText),
                             PolarisationText(satellite.polarisation), QStringLiteral("DVB scan table ") +
                                                                           QString::fromStdString(satellite.file),
                             QString()});
        }
        append(found);
        for (const std::string& line : tables.skipped)
            skipped_->appendPlainText(QStringLiteral("DVB scan tables: ") + QString::fromStdString(line));
    } catch (const Error& error) {
        skipped_->appendPlainText(QString::fromUtf8(error.what()));
    }
}

void ImportSatellitesDialog::append(const std::vector<Candidate>& candidates) {
    for (const Candidate& candidate : candidates) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        auto* name = new QTableWidgetItem(candidate.name);
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(Qt::Unchecked);
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, new QTableWidgetItem(Position(candidate.longitudeText)));
        table_->setItem(row, 2, new QTableWidgetItem(candidate.polarisation));
        table_->setItem(row, 3, new QTableWidgetItem(candidate.source));
        table_->setItem(row, 4, new QTableWidgetItem(candidate.note));
        candidates_.push_back(candidate);
    }
}

void ImportSatellitesDialog::openElementSets() {
    const QString file = chooseFile_(this);
    if (!file.isEmpty()) openElementSets(file);
}

void ImportSatellitesDialog::openElementSets(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        skipped_->appendPlainText(file + QStringLiteral(": cannot be read (") + input.errorString() + u')');
        return;
    }
    const QByteArray text = input.readAll();
    const ElementSetFile sets = ReadElementSets(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                                static_cast<double>(QDateTime::currentSecsSinceEpoch()));
    std::vector<Candidate> found;
    const QString source = QStringLiteral("elements ") + QFileInfo(file).fileName();
    for (const GeostationaryObject& object : sets.objects) {
        found.push_back({QString::fromStdString(object.elements.name), QString::number(object.longitudeWest, 'f', 1),
                         QStringLiteral("unknown"), source, QString::fromStdString(object.warning)});
    }
    append(found);
    for (const std::string& line : sets.skipped)
        skipped_->appendPlainText(QFileInfo(file).fileName() + QStringLiteral(": ") + QString::fromStdString(line));
    if (sets.objects.empty() && sets.skipped.empty())
        skipped_->appendPlainText(QFileInfo(file).fileName() + QStringLiteral(": no element sets in it"));
}

void ImportSatellitesDialog::tickAll(bool ticked) {
    for (int row = 0; row < table_->rowCount(); ++row) table_->item(row, 0)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void ImportSatellitesDialog::addTicked() {
    std::vector<SatelliteEntry> entries;
    std::vector<int> rows;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, 0)->checkState() != Qt::Checked) continue;
        const Candidate& candidate = candidates_[static_cast<std::size_t>(row)];
        entries.push_back({candidate.name.toStdString(), candidate.longitudeText.toStdString()});
        rows.push_back(row);
    }
    if (entries.empty()) {
        status_->setText(QStringLiteral("Nothing is ticked."));
        return;
    }
    ImportResult result;
    main_.callHandler([&] { result = ImportSatellites(main_.satellites(), main_.controller().ListsFolder(), entries); });
    if (result.added > 0) emit main_.displayValuesChanged();  // the catalogue grew
    // What was not added keeps its tick, and its reason is listed.
    std::vector<bool> keepTick(entries.size(), false);
    for (const NotAdded& entry : result.notAdded) {
        keepTick[entry.entry] = true;
        const Candidate& candidate = candidates_[static_cast<std::size_t>(rows[entry.entry])];
        skipped_->appendPlainText(QStringLiteral("Not added: %1 at %2: %3")
                                      .arg(candidate.name, Position(candidate.longitudeText), QString::fromStdString(entry.reason)));
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!keepTick[i]) table_->item(rows[i], 0)->setCheckState(Qt::Unchecked);
    QString text = QStringLiteral("Added %1 to your satellite list; %2 already there.")
                       .arg(result.added == 1 ? QStringLiteral("1 satellite") : QStringLiteral("%1 satellites").arg(result.added))
                       .arg(result.alreadyListed);
    if (!result.notAdded.empty()) {
        text.chop(1);
        text += QStringLiteral("; not added: %1 (listed below with the reason, still ticked).").arg(result.notAdded.size());
    }
    status_->setText(text);
}

QString ImportSatellitesDialog::skippedText() const { return skipped_->toPlainText(); }

QString ImportSatellitesDialog::status() const { return status_->text(); }

}  // namespace azimora::shell
