// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky_chart/sky_chart_painter.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "geometry/vector3.h"
#include "sky_chart/chart_words.h"

namespace azimora::shell {
namespace {

constexpr double kLabelRoom = 0.13;  // of the area's side, around the circle

bool IsDark(const QColor& colour) { return colour.lightness() < 128; }

// The words of one kind, drawn centred in their boxes.
void DrawWords(QPainter& painter, const ChartWords& words, ChartWord::Kind kind) {
    for (const ChartWord& word : words.words)
        if (word.kind == kind) painter.drawText(word.box, Qt::AlignCenter, word.text);
}

void DrawGrid(QPainter& painter, const SkyProjection& sky, const ChartColours& colours, const ChartWords& words) {
    painter.setPen(QPen(colours.grid, 0));
    painter.setBrush(Qt::NoBrush);
    for (int elevation = 15; elevation < 90; elevation += 15) {
        const double r = sky.radius() * (90 - elevation) / 90.0;
        painter.drawEllipse(sky.centre(), r, r);
    }
    for (int azimuth = 0; azimuth < 360; azimuth += 30) painter.drawLine(sky.centre(), sky.point(azimuth, 0));
    painter.setPen(colours.grid);
    DrawWords(painter, words, ChartWord::Kind::Ring);
    painter.setPen(QPen(colours.text, 0));
    painter.drawEllipse(sky.centre(), sky.radius(), sky.radius());
}

void DrawCompassMarks(QPainter& painter, const SkyProjection& sky, const SkyChart& chart, const ChartColours& colours,
                      const ChartWords& words) {
    painter.setPen(colours.text);
    DrawWords(painter, words, ChartWord::Kind::Compass);
    painter.setPen(colours.magnetic);
    DrawWords(painter, words, ChartWord::Kind::MagneticNorth);
    // Magnetic north: where a compass needle points.
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.setPen(QPen(colours.magnetic, 0, Qt::DashLine));
    painter.drawLine(sky.point(chart.declination, 0),
                     sky.point(chart.declination, -CompassOffset(metrics, sky) * 0.6));
}

void DrawObstacles(QPainter& painter, const SkyProjection& sky, const ObstacleHorizon& obstacles,
                   const ChartColours& colours, int selectedMark) {
    if (obstacles.Points().empty()) return;
    QPainterPath skyline;
    for (int azimuth = 0; azimuth <= 360; ++azimuth) {
        const QPointF p = sky.point(azimuth, obstacles.ElevationAt(azimuth));
        azimuth == 0 ? skyline.moveTo(p) : skyline.lineTo(p);
    }
    skyline.closeSubpath();
    QPainterPath horizon;
    horizon.addEllipse(sky.centre(), sky.radius(), sky.radius());
    QColor fill = colours.obstacle;
    fill.setAlpha(70);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(horizon.subtracted(skyline));
    painter.setBrush(Qt::NoBrush);
    // The skyline's edge where something stands, not along the bare horizon.
    painter.setPen(QPen(colours.obstacle, 1.5));
    QPolygonF stretch;
    for (int azimuth = 0; azimuth <= 360; ++azimuth) {
        const double elevation = obstacles.ElevationAt(azimuth);
        if (elevation > 0) stretch << sky.point(azimuth, elevation);
        if ((elevation <= 0 || azimuth == 360) && !stretch.isEmpty()) {
            painter.drawPolyline(stretch);
            stretch.clear();
        }
    }
    const auto& marks = obstacles.Points();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QPointF at = sky.point(marks[i].azimuth, marks[i].elevation);
        painter.setBrush(colours.obstacle);
        painter.drawEllipse(at, 3, 3);
        if (static_cast<int>(i) == selectedMark) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colours.selected, 2));
            painter.drawRect(QRectF(at.x() - 6, at.y() - 6, 12, 12));
            painter.setPen(QPen(colours.obstacle, 1.5));
        }
    }
    painter.setBrush(Qt::NoBrush);
}

void DrawSun(QPainter& painter, const SkyProjection& sky, const SkyChart& chart, const ChartColours& colours,
             const ChartWords& words) {
    if (chart.sunPath.empty()) return;
    painter.setPen(QPen(colours.sun, 1.5, Qt::DashLine));
    // Each arc on its own: no line joins where the sun set to where it rose.
    for (const std::vector<SkyPosition>& arc : chart.sunPath) {
        QPolygonF path;
        for (const SkyPosition& p : arc) path << sky.point(p.azimuth, p.elevation);
        painter.drawPolyline(path);
    }
    painter.setPen(QPen(colours.sun, 0));
    painter.setBrush(colours.sun);
    for (const SunMark& mark : chart.sunHours)
        painter.drawEllipse(sky.point(mark.position.azimuth, mark.position.elevation), 2.5, 2.5);
    painter.setBrush(Qt::NoBrush);
    DrawWords(painter, words, ChartWord::Kind::Hour);
}

void DrawSatellites(QPainter& painter, const SkyProjection& sky, const SkyChart& chart, const ChartColours& colours,
                    const ChartWords& words) {
    QPolygonF arc;
    for (const SkyPosition& p : chart.geostationaryArc) arc << sky.point(p.azimuth, p.elevation);
    painter.setPen(QPen(colours.arc, 2));
    painter.drawPolyline(arc);

    // Thousands of satellites: one small round dot drawn once per colour and
    // stamped at each place, rather than a round pen stroked each time.
    const ChartSatellite* selected = nullptr;
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const auto stamp = [ratio](const QColor& colour) {
        const int side = static_cast<int>(std::ceil(6 * ratio));
        QImage dot(side, side, QImage::Format_ARGB32_Premultiplied);
        dot.setDevicePixelRatio(ratio);
        dot.fill(Qt::transparent);
        QPainter draw(&dot);
        draw.setRenderHint(QPainter::Antialiasing);
        draw.setPen(Qt::NoPen);
        draw.setBrush(colour);
        draw.drawEllipse(QRectF(0.5, 0.5, 5, 5));
        return dot;
    };
    const QImage clearDot = stamp(colours.satellite), blockedDot = stamp(colours.blocked);
    const QPointF offset(3, 3);
    for (const ChartSatellite& satellite : chart.satellites) {
        if (satellite.selected) selected = &satellite;
        if (satellite.blocked) continue;
        painter.drawImage(sky.point(satellite.position.azimuth, satellite.position.elevation) - offset, clearDot);
    }
    for (const ChartSatellite& satellite : chart.satellites)
        if (satellite.blocked)
            painter.drawImage(sky.point(satellite.position.azimuth, satellite.position.elevation) - offset, blockedDot);

    // The second satellite of a two-LNB dish: a dashed ring.
    if (chart.second && chart.second->position.elevation > 0) {
        QPen dashed(colours.selected, 2, Qt::DashLine);
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(sky.point(chart.second->position.azimuth, chart.second->position.elevation), 7, 7);
    }
    if (selected == nullptr) return;
    // Below the horizon: on the rim in its direction, a ring without its dot.
    const bool below = selected->position.elevation <= 0;
    const QPointF at = sky.point(selected->position.azimuth, std::max(0.0, selected->position.elevation));
    painter.setPen(QPen(colours.selected, 2.5, below ? Qt::DotLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 7, 7);
    painter.setBrush(colours.selected);
    if (!below) painter.drawEllipse(at, 3.5, 3.5);
    painter.setBrush(Qt::NoBrush);
    QColor back = colours.background;
    back.setAlpha(210);
    for (const ChartWord& word : words.words) {
        if (word.kind != ChartWord::Kind::Chosen) continue;
        painter.fillRect(word.box, back);
        painter.setPen(colours.selected);
        painter.drawText(word.box, Qt::AlignCenter, word.text);
    }
}

}  // namespace

SkyProjection SkyProjection::Fitting(const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    return {area.center(), std::max(1.0, side * (0.5 - kLabelRoom)), area};
}

QPointF SkyProjection::point(double azimuth, double elevation) const {
    const double r = radius_ * (90 - elevation) / 90;
    const double a = Radians(azimuth);
    return {centre_.x() + r * std::sin(a), centre_.y() - r * std::cos(a)};
}

std::optional<SkyPosition> SkyProjection::position(QPointF point) const {
    const QPointF d = point - centre_;
    const double r = std::hypot(d.x(), d.y());
    if (r > radius_) return std::nullopt;
    return SkyPosition{Wrap360(Degrees(std::atan2(d.x(), -d.y()))), 90 - 90 * r / radius_};
}

ChartColours ChartColours::From(const QPalette& palette) {
    ChartColours c;
    c.background = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    const bool dark = IsDark(c.background);
    c.grid = dark ? c.text.darker(220) : c.text.lighter(400);
    if (!dark && c.grid.lightness() > 215) c.grid = QColor(190, 190, 190);
    c.arc = dark ? QColor(110, 170, 255) : QColor(20, 90, 200);
    c.satellite = c.text;
    c.blocked = dark ? QColor(255, 110, 110) : QColor(200, 30, 30);
    c.selected = dark ? QColor(255, 175, 60) : QColor(220, 100, 0);
    c.sun = dark ? QColor(255, 215, 90) : QColor(190, 140, 0);
    c.obstacle = dark ? QColor(170, 150, 130) : QColor(110, 80, 50);
    c.magnetic = dark ? QColor(235, 140, 235) : QColor(150, 0, 150);
    return c;
}

void PaintSkyChart(QPainter& painter, const SkyProjection& projection, const SkyChart& chart,
                   const ObstacleHorizon& obstacles, const ChartColours& colours, int selectedMark) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.background);
    painter.drawEllipse(projection.centre(), projection.radius(), projection.radius());
    // Where the words go, before anything is drawn.
    const ChartWords words = LayOutChartWords(QFontMetricsF(painter.font(), painter.device()), projection, chart, obstacles);
    DrawGrid(painter, projection, colours, words);
    DrawObstacles(painter, projection, obstacles, colours, selectedMark);
    DrawSun(painter, projection, chart, colours, words);
    DrawSatellites(painter, projection, chart, colours, words);
    DrawCompassMarks(painter, projection, chart, colours, words);
    painter.restore();
}

}  // namespace azimora::shell
