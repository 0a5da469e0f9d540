// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "sky/sky_chart.h"

namespace azimora::shell {

// The sky over the site, painted from a SkyChart: hovering a satellite
// names it; clicking a satellite names it (never marks an obstacle),
// clicking an obstacle mark selects it (Delete removes it), clicking
// elsewhere inside the horizon marks the top of an obstacle there.
class SkyChartWidget final : public QWidget {
    Q_OBJECT

public:
    explicit SkyChartWidget(QWidget* parent);
    Q_DISABLE_COPY_MOVE(SkyChartWidget)

    // Both stay owned by the caller and must outlive their use here.
    void show(const SkyChart* chart, const ObstacleHorizon* obstacles);
    // The satellite drawn nearest to a point, within a few pixels; null if none.
    [[nodiscard]] const ChartSatellite* satelliteAt(QPointF point) const;
    // The obstacle mark drawn nearest to a point, within a few pixels; -1 if none.
    [[nodiscard]] int markAt(QPointF point) const;
    [[nodiscard]] QString toolTipAt(QPointF point) const;
    void setSelectedMark(int index);
    [[nodiscard]] int selectedMark() const { return selectedMark_; }

    [[nodiscard]] QSize sizeHint() const override { return {460, 460}; }
    [[nodiscard]] QSize minimumSizeHint() const override { return {220, 220}; }

signals:
    void skyClicked(azimora::SkyPosition position);
    void satelliteClicked(const QString& name);
    void markClicked(int index);
    void deleteMarkPressed(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const SkyChart* chart_ = nullptr;
    const ObstacleHorizon* obstacles_ = nullptr;
    int selectedMark_ = -1;
};

}  // namespace azimora::shell
