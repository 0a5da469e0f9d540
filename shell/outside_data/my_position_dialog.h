// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGeoPositionInfo>
#include <QPointer>

#include "placement/on_screen_dialog.h"

class QComboBox;
class QGeoPositionInfoSource;
class QIODevice;
class QLabel;
class QProgressBar;
class QPushButton;

// Find Location > Use My Position: the site from the desktop's location
// service (Qt Positioning's default source; GeoClue on Debian desktops) or
// from a GPS receiver on a serial or USB port speaking NMEA 0183, or a log
// of one (those sources: position_sources). The fix is shown with its
// accuracy and age before it is used; waiting never blocks a window, and a
// failure says what to do.
namespace azimora::shell {

inline constexpr int kFixTimeoutMs = 30000;

class MyPositionDialog final : public OnScreenDialog {
    Q_OBJECT

public:
    explicit MyPositionDialog(QWidget* parent);
    Q_DISABLE_COPY_MOVE(MyPositionDialog)
    ~MyPositionDialog() override;

    // Locate with the source chosen in the list.
    void locate();
    // Locate with a source made elsewhere (a log replayed, in the tests); the
    // dialog takes it, and the device it reads if one is given.
    void locateWith(QGeoPositionInfoSource* source, QIODevice* device = nullptr, int timeoutMs = kFixTimeoutMs);
    // A receiver's NMEA log: read whole off the window's thread, and its last
    // fix taken (what the receiver ended with, as azimora-calc --nmea takes it).
    void locateInLog(const QString& path);
    void cancel();

    [[nodiscard]] QComboBox& sources() const { return *sources_; }
    [[nodiscard]] QString status() const;
    [[nodiscard]] bool hasFix() const { return fix_.isValid(); }
    [[nodiscard]] QPushButton& useButton() const { return *use_; }

signals:
    // Use was pressed on a fix: north positive, west positive, as the window has them.
    void positionChosen(double latitude, double longitudeWest);

private:
    void fillSources();
    void showFix(const QGeoPositionInfo& fix, const QString& more = QString());
    void showFailure(const QString& message);
    void fitText();
    void stop();

    QComboBox* sources_ = nullptr;
    QComboBox* baudRate_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* waiting_ = nullptr;
    QPushButton* locate_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* use_ = nullptr;
    QPointer<QGeoPositionInfoSource> source_;
    QPointer<QIODevice> device_;
    QGeoPositionInfo fix_;
    int logReading_ = 0;  // which reading of a log counts; a cancel or another start moves it on
};

// A fix in words: "51.08000 N, 114.08000 W; accuracy ±12 m; fix of 18:51:37 UTC, 4 s ago".
[[nodiscard]] QString FixText(const QGeoPositionInfo& fix, const QDateTime& now);

}  // namespace azimora::shell
