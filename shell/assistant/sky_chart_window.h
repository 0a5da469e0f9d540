// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <QWidget>

#include "sky/sky_chart.h"
#include "sky_chart/display_sky_chart.h"

class QDoubleSpinBox;
class QLabel;
class QListWidget;

// Sky Chart: the sky over the main window's site with the geostationary
// arc, every satellite of the catalogue, today's sun and the user's obstacle
// horizon, marked by clicking the chart or typing azimuth and elevation.
// Follows the main window live; the horizon is forgotten when it closes.
namespace azimora::shell {

class SkyChartWidget;
class TfrmKorvel;

class SkyChartWindow final : public QWidget {
    Q_OBJECT

public:
    explicit SkyChartWindow(TfrmKorvel& main);
    Q_DISABLE_COPY_MOVE(SkyChartWindow)

    [[nodiscard]] const SkyChart& chart() const { return chart_; }
    [[nodiscard]] bool hasChart() const { return hasChart_; }
    [[nodiscard]] ObstacleHorizon& obstacles() { return obstacles_; }
    [[nodiscard]] SkyChartWidget& chartWidget() const { return *chartWidget_; }
    // What a screen reader hears of the chart.
    [[nodiscard]] QString summary() const;

public slots:
    void refresh();
    void addObstacle(azimora::SkyPosition position);

private:
    void refreshObstacleList();

    TfrmKorvel& main_;
    QTimer refreshSoon_;
    DisplaySkyChart source_;
    SkyChart chart_;
    bool hasChart_ = false;
    ObstacleHorizon obstacles_;

    SkyChartWidget* chartWidget_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* summary_ = nullptr;
    QListWidget* obstacleList_ = nullptr;
    QDoubleSpinBox* azimuth_ = nullptr;
    QDoubleSpinBox* elevation_ = nullptr;
};

}  // namespace azimora::shell
