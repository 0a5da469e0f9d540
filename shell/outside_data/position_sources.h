// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGeoPositionInfo>
#include <QGeoPositionInfoSource>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "formats/nmea.h"

class QIODevice;

// Where Use My Position's fix comes from: the desktop's location service
// (Qt Positioning's default source; GeoClue on Debian desktops), a GPS
// receiver on a serial or USB port speaking NMEA 0183, or a log of one.
// Each opened here, or the reason it cannot be, in words that say what to do.
namespace azimora::shell {

enum class PositionSourceKind { Desktop, SerialPort, LogFile };

// A source to offer: its words in the list, and the port of a receiver.
struct PositionSourceEntry {
    QString name;
    PositionSourceKind kind = PositionSourceKind::Desktop;
    QString port;
};

// The desktop's service, each serial port there is now, and a log file.
[[nodiscard]] std::vector<PositionSourceEntry> PositionSourceEntries();

// A source ready to ask, with the device it reads (a receiver's port); or
// why there is none. The caller owns both.
struct OpenedSource {
    QGeoPositionInfoSource* source = nullptr;
    QIODevice* device = nullptr;
    QString failure;
};
[[nodiscard]] OpenedSource OpenDesktopSource();
[[nodiscard]] OpenedSource OpenReceiver(const QString& port, int baudRate);

// A source's error in words; a timeout says why a desktop's service or a
// receiver may have found no position in timeoutMs.
[[nodiscard]] QString PositionErrorText(QGeoPositionInfoSource::Error error, int timeoutMs, bool desktop);

// Why the desktop's location source cannot answer, said before any wait;
// empty where it may. Qt's GeoClue plugin is there whenever Qt's position
// plugins are, but answers nothing without the GeoClue service itself:
// its D-Bus service file is looked for in these folders.
[[nodiscard]] QString DesktopSourceProblem(const QString& sourceName, const QStringList& serviceFolders);
[[nodiscard]] QStringList SystemServiceFolders();

// A receiver's NMEA log read whole, or why it could not be.
struct LogReading {
    std::optional<NmeaLog> log;
    QString failure;
};
[[nodiscard]] LogReading ReadLogFile(const QString& path);

// The fix as Qt's sources give one: the time from the receiver, with its
// date where the log has one.
[[nodiscard]] QGeoPositionInfo PositionOf(const NmeaFix& fix);

}  // namespace azimora::shell
