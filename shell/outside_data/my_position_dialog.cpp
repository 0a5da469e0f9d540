// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/my_position_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QFormLayout>
#include <QGeoPositionInfoSource>
#include <QHBoxLayout>
#include <QLabel>
#include <QNmeaPositionInfoSource>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QFutureWatcher>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <fstream>

#include "formats/nmea.h"
#include "placement/window_placement.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

enum class SourceKind { Desktop, SerialPort, LogFile };

constexpr const char* kNoDesktopService =
    "No location service here: the desktop's one is GeoClue (package geoclue-2.0), which Qt reaches through its "
    "position plugins (package libqt6positioning6-plugins). A GPS receiver on a serial or USB port works without it.";

constexpr const char* kNoGeoClue =
    "No location service answers here: the desktop's one, GeoClue, is not installed (package geoclue-2.0). A GPS "
    "receiver on a serial or USB port, or its NMEA log, works without it.";

QString ErrorText(QGeoPositionInfoSource::Error error, int timeoutMs, bool desktop) {
    switch (error) {
        case QGeoPositionInfoSource::AccessError:
            return QStringLiteral("The location service refused: allow this program to use your location in the "
                                  "desktop's privacy settings, or use a GPS receiver.");
        case QGeoPositionInfoSource::ClosedError:
            return QStringLiteral("The location service is switched off: switch it on in the desktop's settings, or "
                                  "use a GPS receiver.");
        case QGeoPositionInfoSource::UpdateTimeoutError:
            if (desktop)
                return QStringLiteral("The location service gave no position within %1 s: it may have no way to locate "
                                      "this computer (no Wi-Fi networks it knows, no GPS). Nothing was changed.")
                    .arg(timeoutMs / 1000);
            return QStringLiteral("No fix within %1 s: under open sky a receiver needs a minute or two after it is "
                                  "switched on. Nothing was changed.")
                .arg(timeoutMs / 1000);
        case QGeoPositionInfoSource::UnknownSourceError:
        case QGeoPositionInfoSource::NoError:
            break;
    }
    return QStringLiteral("The position source failed. Nothing was changed.");
}

QString Ago(qint64 seconds) {
    if (seconds < 0) return QStringLiteral("in the future by the computer's clock");
    if (seconds < 120) return QStringLiteral("%1 s ago").arg(seconds);
    if (seconds < 2 * 3600) return QStringLiteral("%1 min ago").arg(seconds / 60);
    if (seconds < 2 * 86400) return QStringLiteral("%1 h ago").arg(seconds / 3600);
    return QStringLiteral("%1 days ago").arg(seconds / 86400);
}

}  // namespace

QString DesktopSourceProblem(const QString& sourceName, const QStringList& serviceFolders) {
    if (sourceName != u"geoclue2") return {};
    for (const QString& folder : serviceFolders)
        if (QFileInfo::exists(folder + QStringLiteral("/org.freedesktop.GeoClue2.service"))) return {};
    return QString::fromLatin1(kNoGeoClue);
}

QStringList SystemServiceFolders() {
    return {QStringLiteral("/usr/share/dbus-1/system-services"), QStringLiteral("/usr/local/share/dbus-1/system-services"),
            QStringLiteral("/lib/dbus-1/system-services")};
}

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

MyPositionDialog::MyPositionDialog(QWidget* parent) : QDialog(parent) {
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
        baudRate_->setEnabled(static_cast<SourceKind>(sources_->currentData().toList().value(0).toInt()) ==
                              SourceKind::SerialPort);
    });
    fillSources();
    status_->setText(QStringLiteral("Choose where the position comes from, then Locate. Nothing changes in the main "
                                    "window until you use the fix."));
}

MyPositionDialog::~MyPositionDialog() { stop(); }

void MyPositionDialog::fillSources() {
    sources_->addItem(QStringLiteral("The desktop's location service"), QVariantList{int(SourceKind::Desktop)});
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        QString name = QStringLiteral("GPS receiver on %1").arg(port.systemLocation());
        const QString about = port.description().isEmpty() ? port.manufacturer() : port.description();
        if (!about.isEmpty()) name += QStringLiteral(" (%1)").arg(about);
        sources_->addItem(name, QVariantList{int(SourceKind::SerialPort), port.portName()});
    }
    sources_->addItem(QStringLiteral("A GPS receiver's NMEA log file..."), QVariantList{int(SourceKind::LogFile)});
}

void MyPositionDialog::locate() {
    const QVariantList data = sources_->currentData().toList();
    switch (static_cast<SourceKind>(data.value(0).toInt())) {
        case SourceKind::Desktop: {
            QGeoPositionInfoSource* source = QGeoPositionInfoSource::createDefaultSource(nullptr);
            if (source == nullptr) {
                showFailure(QString::fromLatin1(kNoDesktopService));
                return;
            }
            if (const QString problem = DesktopSourceProblem(source->sourceName(), SystemServiceFolders()); !problem.isEmpty()) {
                delete source;
                showFailure(problem);
                return;
            }
            locateWith(source);
            return;
        }
        case SourceKind::SerialPort: {
            auto* port = new QSerialPort(data.value(1).toString());
            port->setBaudRate(baudRate_->currentData().toInt());
            if (!port->open(QIODevice::ReadOnly)) {
                const QString why = port->error() == QSerialPort::PermissionError
                                        ? QStringLiteral(" (on Debian, serial ports belong to the group dialout: "
                                                         "sudo adduser $USER dialout, then log in again)")
                                        : QString();
                showFailure(QStringLiteral("Cannot open %1: %2%3").arg(port->portName(), port->errorString(), why));
                delete port;
                return;
            }
            auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode);
            source->setDevice(port);
            locateWith(source, port);
            return;
        }
        case SourceKind::LogFile: {
            const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open an NMEA Log"), QString(),
                                                              QStringLiteral("NMEA logs (*.nmea *.txt *.log);;All files (*)"));
            if (path.isEmpty()) return;
            locateInLog(path);
            return;
        }
    }
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
            [this, timeoutMs, desktop](QGeoPositionInfoSource::Error error) { showFailure(ErrorText(error, timeoutMs, desktop)); });
    status_->setText(QStringLiteral("Waiting for a fix: %1\u2026").arg(sources_->currentText()));
    waiting_->show();
    locate_->setEnabled(false);
    cancel_->setEnabled(true);
    source->requestUpdate(timeoutMs);
}

namespace {

struct LogReading {
    std::optional<NmeaLog> log;
    QString failure;
};

LogReading ReadLog(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) return {std::nullopt, QStringLiteral("Cannot read %1: %2").arg(path, probe.errorString())};
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) return {std::nullopt, QStringLiteral("Cannot read %1").arg(path)};
    NmeaLog log = ReadNmeaLog(in);
    if (in.bad()) return {std::nullopt, QStringLiteral("Reading %1 failed part way. Nothing was changed.").arg(path)};
    return {std::move(log), QString()};
}

// The fix as Qt's sources give one: the time from the receiver, with its date where the log has one.
QGeoPositionInfo PositionOf(const NmeaFix& fix) {
    QGeoCoordinate where(fix.latitude, -fix.longitudeWest);
    if (fix.altitudeMetres) where.setAltitude(*fix.altitudeMetres);
    const QDate date = QDate::fromString(QString::fromStdString(fix.date), Qt::ISODate);
    const QTime time = QTime::fromString(QString::fromStdString(fix.timeOfDay), QStringLiteral("HH:mm:ss"));
    QGeoPositionInfo info(where, date.isValid() && time.isValid() ? QDateTime(date, time, Qt::UTC) : QDateTime());
    // A dilution is no accuracy in metres: left unreported.
    return info;
}

}  // namespace

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
    watcher->setFuture(QtConcurrent::run(ReadLog, path));
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

// Whole on the screen at any scale (at 2x a dialog's own size may pass the screen's).
void MyPositionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    KeepWithinScreen(*this);
}

}  // namespace azimora::shell
