// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

#include <optional>

#include "sky/sky_chart.h"

class QPainter;
class QPalette;

// Draws the sky over the site: one function for the window and the
// installation sheet, in logical coordinates, so that it is crisp at any
// scale and on paper.
namespace azimora::shell {

// The zenith in the middle, the horizon on the circle, north up and east
// to the right: the sky seen from above, as on a compass.
class SkyProjection {
public:
    SkyProjection(QPointF centre, double radius) : SkyProjection(centre, radius, QRectF()) {}
    SkyProjection(QPointF centre, double radius, QRectF area)
        : centre_(centre), radius_(radius), area_(area.isNull() ? QRectF(centre.x() - radius, centre.y() - radius,
                                                                         2 * radius, 2 * radius)
                                                                : area) {}
    // A projection that fits a square area, room left around it for labels.
    [[nodiscard]] static SkyProjection Fitting(const QRectF& area);

    [[nodiscard]] QPointF point(double azimuth, double elevation) const;
    // nullopt outside the horizon circle.
    [[nodiscard]] std::optional<SkyPosition> position(QPointF point) const;
    [[nodiscard]] QPointF centre() const { return centre_; }
    [[nodiscard]] double radius() const { return radius_; }
    // What the chart may draw in, labels included.
    [[nodiscard]] QRectF area() const { return area_; }

private:
    QPointF centre_;
    double radius_;
    QRectF area_;
};

struct ChartColours {
    QColor background, grid, text, arc, satellite, blocked, selected, sun, obstacle, magnetic;
    // Readable on the palette's base, light or dark.
    [[nodiscard]] static ChartColours From(const QPalette& palette);
};

// selectedMark: the obstacle mark drawn as selected, -1 for none.
void PaintSkyChart(QPainter& painter, const SkyProjection& projection, const SkyChart& chart,
                   const ObstacleHorizon& obstacles, const ChartColours& colours, int selectedMark = -1);

}  // namespace azimora::shell
