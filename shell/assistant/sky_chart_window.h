// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>

#include "placement/tool_window.h"
#include "sky/sky_chart.h"
#include "sky_chart/display_sky_chart.h"

class QLabel;

// Sky Chart: the sky over the main window's site with the geostationary
// arc, every satellite of the catalogue, the sun of the site's day with its
// hours on the site's clock, and the site's obstacle marks (shared with
// Installation Details and the sheet), marked by clicking the chart or
// typing them. Clicking a satellite names it and offers to choose it.
// Follows the main window live.
namespace azimora::shell {

class ObstacleMarksEditor;
class SkyChartWidget;
class TfrmKorvel;

class SkyChartWindow final : public ToolWindow {
    Q_OBJECT

public:
    explicit SkyChartWindow(TfrmKorvel& main);
    Q_DISABLE_COPY_MOVE(SkyChartWindow)

    [[nodiscard]] const SkyChart& chart() const { return chart_; }
    [[nodiscard]] bool hasChart() const { return hasChart_; }
    [[nodiscard]] const ObstacleHorizon& obstacles() const;
    [[nodiscard]] SkyChartWidget& chartWidget() const { return *chartWidget_; }
    [[nodiscard]] ObstacleMarksEditor& marksEditor() const { return *marks_; }
    // What a screen reader hears of the chart: the arc, the chosen satellite,
    // the sun's path and the obstacles.
    [[nodiscard]] QString summary() const;

public slots:
    void refresh();
    void addObstacle(azimora::SkyPosition position);
    // A satellite clicked on the chart: named, and offered as the chosen one.
    void offerSatellite(const QString& name);

private:
    TfrmKorvel& main_;
    QTimer refreshSoon_;
    DisplaySkyChart source_;
    SkyChart chart_;
    bool hasChart_ = false;
    QString zoneText_;

    SkyChartWidget* chartWidget_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* summary_ = nullptr;
    ObstacleMarksEditor* marks_ = nullptr;
};

}  // namespace azimora::shell
