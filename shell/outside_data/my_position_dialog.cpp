// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/my_position_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>

#include "outside_data/position_sources.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

QString Ago(qint64 seconds) {
    if (seconds < 0) return QStringLiteral("in the future by the computer's clock");
    if (seconds < 120) return QStringLiteral("%1 s ago").arg(seconds);
    if (seconds < 2 * 3600) return QStringLiteral("%1 min ago").arg(seconds / 60);
    if (seconds < 2 * 86400) return QStringLiteral("%1 h ago").arg(seconds / 3600);
    return QStringLiteral("%1 days ago").arg(seconds / 86400);
}

}  // namespace

QString FixText(const QGeoPositionInfo& fix, const QDateTime& now) {
    const QGeoCoordinate where = fix.coordinate();
    QString text = LatitudeText(where.latitude(), 5) + QStringLiteral(", ") + LongitudeText(-where.longitude(), 5);
    if (where.type() == QGeoCoordinate::Coordinate3D)
        text += QStringLiteral(", %1 m above sea level").arg(where.altitude(), 0, 'f', 0);
    const double accuracy = fix.attribute(QGeoPositionInfo::HorizontalAccuracy);
    text += std::isfinite(accuracy) ? QStringLiteral("; accuracy \u00B1%1 m").arg(accuracy, 0, 'f', 0)
                                    : QStringLiteral("; accuracy not reported by the source");
    const QDateTime when = fix.timestamp();
    if (when.isValid())
        text += QStringLiteral("; fix of %1 UTC, %2")
                    .arg(when.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), Ago(when.secsTo(now)));
    return text;
}

MyPositionDialog::MyPositionDialog(QWidget* parent) : OnScreenDialog(parent) {
    setObjectName(QStringLiteral("MyPosition"));
    setWindowTitle(QStringLiteral("Use My Position"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    sources_ = new QComboBox(this);
    sources_->setObjectName(QStringLiteral("positionSource"));
    sources_->setAccessibleName(QStringLiteral("Position source"));
    form->addRow(QStringLiteral("&Source:"), sources_);
    baudRate_ = new QComboBox(this);
    baudRate_->setObjectName(QStringLiteral("baudRate"));
    baudRate_->setAccessibleName(QStringLiteral("Baud rate"));
    // NMEA 0183's own rate first; many USB receivers send faster.
    for (const int rate : {4800, 9600, 19200, 38400, 57600, 115200}) baudRate_->addItem(QString::number(rate), rate);
    form->addRow(QStringLiteral("&Baud rate:"), baudRate_);
    layout->addLayout(form);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("fix"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    status_->setMinimumWidth(420);
    layout->addWidget(status_);
    waiting_ = new QProgressBar(this);
    waiting_->setRange(0, 0);  // no end known: a receiver says when it has a fix
    waiting_->setAccessibleName(QStringLiteral("Waiting for a fix"));
    waiting_->hide();
    layout->addWidget(waiting_);

    auto* buttons = new QHBoxLayout;
    locate_ = new QPushButton(QStringLiteral("&Locate"), this);
    cancel_ = new QPushButton(QStringLiteral("Ca&ncel"), this);
    use_ = new QPushButton(QStringLiteral("&Use This Position"), this);
    use_->setObjectName(QStringLiteral("useFix"));
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    locate_->setDefault(true);
    cancel_->setEnabled(false);
    use_->setEnabled(false);
    buttons->addWidget(locate_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    buttons->addWidget(use_);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(locate_, &QPushButton::clicked, this, &MyPositionDialog::locate);
    connect(cancel_, &QPushButton::clicked, this, &MyPositionDialog::cancel);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(use_, &QPushButton::clicked, this, [this] {
        if (!fix_.isValid()) return;
        emit positionChosen(fix_.coordinate().latitude(), -fix_.coordinate().longitude() + 0.0);
        close();
    });
    connect(sources_, &QComboBox::currentIndexChanged, this, [this] {
        baudRate_->setEnabled(static_cast<PositionSourceKind>(sources_->currentData().toList().value(0).toInt()) ==
                              PositionSourceKind::SerialPort);
    });
    fillSources();
    status_->setText(QStringLiteral("Choose where the position comes from, then Locate. Nothing changes in the main "
                                    "window until you use the fix."));
}

MyPositionDialog::~MyPositionDialog() { stop(); }

void MyPositionDialog::fillSources() {
    for (const PositionSourceEntry& entry : PositionSourceEntries()) {
        QVariantList data{int(entry.kind)};
        if (entry.kind == PositionSourceKind::SerialPort) data.append(entry.port);
        sources_->addItem(entry.name, data);
    }
}

void MyPositionDialog::locate() {
    const QVariantList data = sources_->currentData().toList();
    OpenedSource opened;
    switch (static_cast<PositionSourceKind>(data.value(0).toInt())) {
        case PositionSourceKind::Desktop: opened = OpenDesktopSource(); break;
        case PositionSourceKind::SerialPort: opened = OpenReceiver(data.value(1).toString(), baudRate_->currentData().toInt()); break;
        case PositionSourceKind::LogFile: {
            const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open an NMEA Log"), QString(),
                                                              QStringLiteral("NMEA logs (*.nmea *.txt *.log);;All files (*)"));
            if (!path.isEmpty()) locateInLog(path);
            return;
        }
    }
    if (opened.source == nullptr) {
        showFailure(opened.failure);
        return;
    }
    locateWith(opened.source, opened.device);
}

void MyPositionDialog::locateWith(QGeoPositionInfoSource* source, QIODevice* device, int timeoutMs) {
    stop();
    source_ = source;
    device_ = device;
    source->setParent(this);
    if (device != nullptr && device->parent() == nullptr) device->setParent(this);
    fix_ = QGeoPositionInfo();
    use_->setEnabled(false);
    connect(source, &QGeoPositionInfoSource::positionUpdated, this, [this](const QGeoPositionInfo& fix) { showFix(fix); });
    const bool desktop = device == nullptr;  // a receiver's sources read a device; the desktop's none
    connect(source, &QGeoPositionInfoSource::errorOccurred, this,
            [this, timeoutMs, desktop](QGeoPositionInfoSource::Error error) { showFailure(PositionErrorText(error, timeoutMs, desktop)); });
    status_->setText(QStringLiteral("Waiting for a fix: %1\u2026").arg(sources_->currentText()));
    waiting_->show();
    locate_->setEnabled(false);
    cancel_->setEnabled(true);
    source->requestUpdate(timeoutMs);
}

void MyPositionDialog::locateInLog(const QString& path) {
    stop();
    fix_ = QGeoPositionInfo();
    use_->setEnabled(false);
    const int reading = ++logReading_;
    status_->setText(QStringLiteral("Reading the log %1\u2026").arg(QFileInfo(path).fileName()));
    waiting_->show();
    locate_->setEnabled(false);
    cancel_->setEnabled(true);
    auto* watcher = new QFutureWatcher<LogReading>(this);
    connect(watcher, &QFutureWatcher<LogReading>::finished, this, [this, watcher, reading, path] {
        watcher->deleteLater();
        if (reading != logReading_) return;  // cancelled, or another started since
        const LogReading result = watcher->result();
        stop();
        if (!result.log) {
            showFailure(result.failure);
            return;
        }
        const NmeaLog& log = *result.log;
        if (!log.lastFix) {
            showFailure(QStringLiteral("No valid fix in %1 (%2 lines, %3 of them broken): the receiver had no fix while "
                                       "it was recorded. Nothing was changed.")
                            .arg(QFileInfo(path).fileName())
                            .arg(log.lines)
                            .arg(log.broken));
            return;
        }
        const NmeaFix& last = *log.lastFix;
        QString more = QStringLiteral("; the log's last fix, line %1 of %2").arg(last.line).arg(log.lines);
        if (last.date.empty()) more = QStringLiteral("; fix of %1 UTC (the log gives no date)").arg(QString::fromStdString(last.timeOfDay)) + more;
        showFix(PositionOf(last), more);
    });
    watcher->setFuture(QtConcurrent::run(ReadLogFile, path));
}

void MyPositionDialog::showFix(const QGeoPositionInfo& fix, const QString& more) {
    if (!fix.isValid()) return;
    fix_ = fix;
    stop();
    status_->setText(FixText(fix, QDateTime::currentDateTimeUtc()) + more +
                     QStringLiteral("\nUse This Position puts it in the main window."));
    status_->setAccessibleName(status_->text());
    fitText();
    use_->setEnabled(true);
    use_->setFocus();
}

void MyPositionDialog::showFailure(const QString& message) {
    stop();
    status_->setText(message);
    status_->setAccessibleName(message);
    fitText();
}

// A longer message than the one the dialog opened with: the dialog grows to
// show it whole, never clipped.
void MyPositionDialog::fitText() {
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width()) : sizeHint().height();
    if (needed > height()) resize(width(), needed);
}

void MyPositionDialog::cancel() {
    if (source_.isNull() && !waiting_->isVisible()) return;
    ++logReading_;
    stop();
    status_->setText(QStringLiteral("Cancelled. Nothing was changed."));
}

void MyPositionDialog::stop() {
    if (!source_.isNull()) {
        source_->stopUpdates();
        source_->disconnect(this);
        source_->deleteLater();
    }
    if (!device_.isNull()) device_->deleteLater();
    source_.clear();
    device_.clear();
    waiting_->hide();
    locate_->setEnabled(true);
    cancel_->setEnabled(false);
}

QString MyPositionDialog::status() const { return status_->text(); }

}  // namespace azimora::shell
