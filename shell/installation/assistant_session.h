// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <optional>

#include "installation/report_caches.h"
#include "controller/display_site.h"
#include "installation.h"
#include "sky/sky_chart.h"

// What the installer enters in the assistant's windows, shared by all of
// them: the dish, the time zone, and one list of obstacle marks for the site,
// which the Sky Chart, Installation Details and the sheet all use. It lives
// as long as the main window; nothing is remembered between runs.
namespace azimora::shell {

class TfrmKorvel;

struct AssistantSettings {
    double offsetAngle = kDefaultOffsetAngle;
    double dishDiameterMetres = kDefaultDishDiameterMetres;
    double frequencyGHz = kDefaultFrequencyGHz;
    QByteArray timeZone;  // an IANA id the user chose for the site; empty: the site's own
    // A second satellite on the same dish (a second LNB): its orbital
    // longitude, west positive, and its name; the dish's focal length, 0
    // for the usual 0.6 times its diameter.
    std::optional<double> secondSatelliteWest;
    QString secondSatelliteName;
    double focalLengthMm = 0;
};

class AssistantSession final : public QObject {
    Q_OBJECT

public:
    // The main window's session, made on first use.
    [[nodiscard]] static AssistantSession& Of(TfrmKorvel& main);

    [[nodiscard]] const AssistantSettings& settings() const { return settings_; }
    void setSettings(const AssistantSettings& settings);

    [[nodiscard]] const ObstacleHorizon& obstacles() const { return obstacles_; }
    // Each change can be taken back, one step.
    void addObstacle(SkyPosition mark);
    void removeObstacle(std::size_t index);
    // A mark changed in place: one step to undo. The index of the changed mark
    // in the marks' order (by azimuth) comes back.
    std::size_t changeObstacle(std::size_t index, SkyPosition mark);
    void clearObstacles();
    [[nodiscard]] bool canUndo() const { return previous_.has_value(); }
    void undo();

    // What the reports keep between changes; the outage store may be
    // written from another thread (it locks itself), the zones only here.
    [[nodiscard]] ReportCaches& caches() const { return caches_; }
    // The sheet says the polarisation whatever the moment: it waits for
    // the scan tables where they are still being read.
    void waitForScanTables();

signals:
    void changed();

private:
    explicit AssistantSession(QObject* parent) : QObject(parent) {}
    void keepForUndo() { previous_ = obstacles_; }
    void siteChanged(const std::optional<SiteLocation>& site);

    AssistantSettings settings_;
    ObstacleHorizon obstacles_;
    std::optional<ObstacleHorizon> previous_;
    std::optional<SiteLocation> site_;      // the main window's site now
    std::optional<SiteLocation> zoneSite_;  // the site the zone was chosen for
    mutable ReportCaches caches_;
    using ScanTables = std::shared_ptr<const std::vector<ScanTableSatellite>>;
    QFutureWatcher<ScanTables> scanTablesRead_;
};

}  // namespace azimora::shell
