// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFontMetricsF>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// The installation sheet's compass rose: the dish's true azimuth, true
// north and magnetic north as arrows from the middle, ticks every ten
// degrees, the four letters outside. Laid out first, so that no word
// stands on a line or another word.
namespace azimora::shell {

struct RoseWord {
    QString text;
    QRectF box;
    QLineF arrow;  // the arrow it names; null for the letters
};

struct RoseLayout {
    std::vector<QLineF> lines;  // ticks and arrows
    std::vector<RoseWord> words;
};

// metrics: of the letters' font; small: of the arrows' names.
[[nodiscard]] RoseLayout LayOutCompassRose(QPointF centre, double radius, double azimuth, double declination,
                                           const QFontMetricsF& metrics, const QFontMetricsF& small);

// Draws it in the painter's fonts: letters (bold) and names.
void DrawCompassRose(QPainter& painter, QPointF centre, double radius, double azimuth, double declination,
                     const QFont& letters, const QFont& names);

// Whether a straight line from a to b crosses or touches box.
[[nodiscard]] bool LineMeetsBox(const QLineF& line, const QRectF& box);

}  // namespace azimora::shell
