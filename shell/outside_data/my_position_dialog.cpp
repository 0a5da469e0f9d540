// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/my_position_dialog.h"

#include <QComboBox>
#include <QFile>
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
#include <QVBoxLayout>

#include <cmath>

#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

enum class SourceKind { Desktop, SerialPort, LogFile };

constexpr const char* kNoDesktopService =
    "No location service here: the desktop's one is GeoClue (package geoclue-2.0), which Qt reaches through its "
    "position plugins (package libqt6positioning6-plugins). A GPS receiver on a serial or USB port works without it.";

QString ErrorText(QGeoPositionInfoSource::Error error, int timeoutMs) {
    switch (error) {
        case QGeoPositionInfoSource::AccessError:
            return QStringLiteral("The location service refused: allow this program to use your location in the "
                                  "desktop's privacy settings, or use a GPS receiver.");
        case QGeoPositionInfoSource::ClosedError:
            return QStringLiteral("The location service is switched off: switch it on in the desktop's settings, or "
                                  "use a GPS receiver.");
        case QGeoPositionInfoSource::UpdateTimeoutError:
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
            auto* file = new QFile(path);
            if (!file->open(QIODevice::ReadOnly)) {
                showFailure(QStringLiteral("Cannot read %1: %2").arg(path, file->errorString()));
                delete file;
                return;
            }
            // The log replayed as it was recorded; its last fix is what the receiver ended with.
            auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::SimulationMode);
            source->setDevice(file);
            locateWith(source, file);
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
    connect(source, &QGeoPositionInfoSource::positionUpdated, this, &MyPositionDialog::showFix);
    connect(source, &QGeoPositionInfoSource::errorOccurred, this, [this, timeoutMs](QGeoPositionInfoSource::Error error) {
        showFailure(ErrorText(error, timeoutMs));
    });
    status_->setText(QStringLiteral("Waiting for a fix: %1\u2026").arg(sources_->currentText()));
    waiting_->show();
    locate_->setEnabled(false);
    cancel_->setEnabled(true);
    source->requestUpdate(timeoutMs);
}

void MyPositionDialog::showFix(const QGeoPositionInfo& fix) {
    if (!fix.isValid()) return;
    fix_ = fix;
    stop();
    status_->setText(FixText(fix, QDateTime::currentDateTimeUtc()) +
                     QStringLiteral("\nUse This Position puts it in the main window."));
    status_->setAccessibleName(status_->text());
    use_->setEnabled(true);
    use_->setFocus();
}

void MyPositionDialog::showFailure(const QString& message) {
    stop();
    status_->setText(message);
    status_->setAccessibleName(message);
}

void MyPositionDialog::cancel() {
    if (source_.isNull()) return;
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
