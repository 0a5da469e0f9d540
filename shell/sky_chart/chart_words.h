// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

#include "sky/sky_chart.h"
#include "sky_chart/sky_chart_painter.h"

// Where the sky chart's words stand, worked out before anything is drawn:
// each beside the mark it names, none over another word, over any mark
// (satellites, obstacle marks, the sun's hours, rings) or over a line's
// end. The compass letters come first, then the chosen satellite's label,
// the rings' elevations and the sun's hours where there is room.
namespace azimora::shell {

struct ChartWord {
    enum class Kind { Compass, MagneticNorth, Chosen, Ring, Hour };
    Kind kind;
    QString text;
    QRectF box;                  // drawn centred in it (Chosen: with a backing)
    std::optional<QRectF> mark;  // the mark it names, where it names one
};

struct ChartWords {
    std::vector<ChartWord> words;
    std::vector<QRectF> marks;  // every mark and line end, as drawn
};

[[nodiscard]] ChartWords LayOutChartWords(const QFontMetricsF& metrics, const SkyProjection& sky, const SkyChart& chart,
                                          const ObstacleHorizon& obstacles);

// How far out the compass letters and magnetic north's dash stand, in
// degrees of elevation below the horizon.
[[nodiscard]] double CompassOffset(const QFontMetricsF& metrics, const SkyProjection& sky);

// The marks' sizes as drawn: radii in the chart's units.
inline constexpr double kSatelliteDot = 3;
inline constexpr double kChosenRing = 8.5;
inline constexpr double kSecondRing = 8;
inline constexpr double kObstacleMark = 7;  // a chosen mark's square included
inline constexpr double kHourDot = 3;
inline constexpr double kLineEnd = 2;

}  // namespace azimora::shell
