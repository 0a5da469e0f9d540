// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/position_sources.h"

#include <QFile>
#include <QFileInfo>
#include <QNmeaPositionInfoSource>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <fstream>
#include <utility>

namespace azimora::shell {
namespace {

constexpr const char* kNoDesktopService =
    "No location service here: the desktop's one is GeoClue (package geoclue-2.0), which Qt reaches through its "
    "position plugins (package libqt6positioning6-plugins). A GPS receiver on a serial or USB port works without it.";

constexpr const char* kNoGeoClue =
    "No location service answers here: the desktop's one, GeoClue, is not installed (package geoclue-2.0). A GPS "
    "receiver on a serial or USB port, or its NMEA log, works without it.";

}  // namespace

std::vector<PositionSourceEntry> PositionSourceEntries() {
    std::vector<PositionSourceEntry> entries{{QStringLiteral("The desktop's location service"), PositionSourceKind::Desktop, {}}};
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        QString name = QStringLiteral("GPS receiver on %1").arg(port.systemLocation());
        const QString about = port.description().isEmpty() ? port.manufacturer() : port.description();
        if (!about.isEmpty()) name += QStringLiteral(" (%1)").arg(about);
        entries.push_back({name, PositionSourceKind::SerialPort, port.portName()});
    }
    entries.push_back({QStringLiteral("A GPS receiver's NMEA log file..."), PositionSourceKind::LogFile, {}});
    return entries;
}

OpenedSource OpenDesktopSource() {
    QGeoPositionInfoSource* source = QGeoPositionInfoSource::createDefaultSource(nullptr);
    if (source == nullptr) return {nullptr, nullptr, QString::fromLatin1(kNoDesktopService)};
    if (QString problem = DesktopSourceProblem(source->sourceName(), SystemServiceFolders()); !problem.isEmpty()) {
        delete source;
        return {nullptr, nullptr, std::move(problem)};
    }
    return {source, nullptr, {}};
}

OpenedSource OpenReceiver(const QString& portName, int baudRate) {
    auto* port = new QSerialPort(portName);
    port->setBaudRate(baudRate);
    if (!port->open(QIODevice::ReadOnly)) {
        const QString why = port->error() == QSerialPort::PermissionError
                                ? QStringLiteral(" (on Debian, serial ports belong to the group dialout: "
                                                 "sudo adduser $USER dialout, then log in again)")
                                : QString();
        QString failure = QStringLiteral("Cannot open %1: %2%3").arg(port->portName(), port->errorString(), why);
        delete port;
        return {nullptr, nullptr, std::move(failure)};
    }
    auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode);
    source->setDevice(port);
    return {source, port, {}};
}

QString PositionErrorText(QGeoPositionInfoSource::Error error, int timeoutMs, bool desktop) {
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

LogReading ReadLogFile(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) return {std::nullopt, QStringLiteral("Cannot read %1: %2").arg(path, probe.errorString())};
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) return {std::nullopt, QStringLiteral("Cannot read %1").arg(path)};
    NmeaLog log = ReadNmeaLog(in);
    if (in.bad()) return {std::nullopt, QStringLiteral("Reading %1 failed part way. Nothing was changed.").arg(path)};
    return {std::move(log), QString()};
}

QGeoPositionInfo PositionOf(const NmeaFix& fix) {
    QGeoCoordinate where(fix.latitude, -fix.longitudeWest);
    if (fix.altitudeMetres) where.setAltitude(*fix.altitudeMetres);
    const QDate date = QDate::fromString(QString::fromStdString(fix.date), Qt::ISODate);
    const QTime time = QTime::fromString(QString::fromStdString(fix.timeOfDay), QStringLiteral("HH:mm:ss"));
    QGeoPositionInfo info(where, date.isValid() && time.isValid() ? QDateTime(date, time, Qt::UTC) : QDateTime());
    // A dilution is no accuracy in metres: left unreported.
    return info;
}

}  // namespace azimora::shell
