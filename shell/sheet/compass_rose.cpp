// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sheet/compass_rose.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "geometry/vector3.h"
#include "widgets/centred_box.h"

namespace azimora::shell {
namespace {

// Arrow lengths, of the radius.
constexpr double kNorthArrow = 0.8, kMagneticArrow = 0.8, kDishArrow = 0.95;
const QColor kMagneticInk(150, 0, 150);
const QColor kDishInk(220, 100, 0);

QPointF Towards(QPointF centre, double degrees, double length) {
    const double a = Radians(degrees);
    return centre + QPointF(std::sin(a) * length, -std::cos(a) * length);
}

bool Free(const QRectF& box, const RoseLayout& layout) {
    return std::none_of(layout.lines.begin(), layout.lines.end(),
                        [&](const QLineF& line) { return LineMeetsBox(line, box); }) &&
           std::none_of(layout.words.begin(), layout.words.end(),
                        [&](const RoseWord& word) { return word.box.intersects(box); });
}

// A name beside its arrow: on one side of it or the other, at a place
// along it, the middle first; on the arrow's far side from the nearest
// other arrow first. Where nothing is free, beyond the rose's rim.
QRectF BesideArrow(const QLineF& arrow, QSizeF size, double towardsOther, const RoseLayout& layout, double radius) {
    const QPointF along = (arrow.p2() - arrow.p1()) / arrow.length();
    const QPointF across(-along.y(), along.x());
    // How far the word's middle stands from its edge across the arrow.
    const double half = std::fabs(across.x()) * size.width() / 2 + std::fabs(across.y()) * size.height() / 2 + 2;
    for (const double t : {0.55, 0.45, 0.65, 0.35, 0.75, 0.25}) {
        for (const double side : {-towardsOther, towardsOther}) {
            const QRectF box = Centred(arrow.pointAt(t) + across * (side * half), size);
            if (Free(box, layout)) return box;
        }
    }
    const QPointF beyond = arrow.p1() + along * (radius * 1.15 + std::hypot(size.width(), size.height()) / 2);
    return Centred(beyond, size);
}

}  // namespace

bool LineMeetsBox(const QLineF& line, const QRectF& box) {
    if (box.contains(line.p1()) || box.contains(line.p2())) return true;
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges), [&line](const QLineF& edge) {
        return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
    });
}

RoseLayout LayOutCompassRose(QPointF centre, double radius, double azimuth, double declination,
                             const QFontMetricsF& metrics, const QFontMetricsF& small) {
    RoseLayout layout;
    for (int degrees = 0; degrees < 360; degrees += 10) {
        const double inner = degrees % 90 == 0 ? radius * 0.82 : radius * 0.92;
        layout.lines.emplace_back(Towards(centre, degrees, inner), Towards(centre, degrees, radius));
    }
    const QLineF north(centre, Towards(centre, 0, radius * kNorthArrow));
    const QLineF magnetic(centre, Towards(centre, declination, radius * kMagneticArrow));
    const QLineF dish(centre, Towards(centre, azimuth, radius * kDishArrow));
    layout.lines.insert(layout.lines.end(), {north, magnetic, dish});
    // The letters just outside the rim, whatever their size.
    for (const auto& [degrees, letter] : {std::pair{0, "N"}, {90, "E"}, {180, "S"}, {270, "W"}}) {
        const QString text = QString::fromLatin1(letter);
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const double half = degrees % 180 == 0 ? size.height() / 2 : size.width() / 2;
        layout.words.push_back({text, Centred(Towards(centre, degrees, radius + 2 + half), size), QLineF()});
    }
    // Each name on the side away from the other arrow nearest it.
    const auto side = [](double own, double other) { return std::remainder(other - own, 360.0) > 0 ? 1.0 : -1.0; };
    const auto nearest = [](double own, double a, double b) {
        return std::fabs(std::remainder(a - own, 360.0)) < std::fabs(std::remainder(b - own, 360.0)) ? a : b;
    };
    const QString mn = QStringLiteral("MN"), word = QStringLiteral("dish");
    const QRectF mnBox = BesideArrow(magnetic, {small.horizontalAdvance(mn), small.height()},
                                     side(declination, nearest(declination, 0, azimuth)), layout, radius);
    layout.words.push_back({mn, mnBox, magnetic});
    const QRectF dishBox = BesideArrow(dish, {small.horizontalAdvance(word), small.height()},
                                       side(azimuth, nearest(azimuth, 0, declination)), layout, radius);
    layout.words.push_back({word, dishBox, dish});
    return layout;
}

void DrawCompassRose(QPainter& painter, QPointF centre, double radius, double azimuth, double declination,
                     const QFont& letters, const QFont& names) {
    const RoseLayout layout =
        LayOutCompassRose(centre, radius, azimuth, declination, QFontMetricsF(letters, painter.device()),
                          QFontMetricsF(names, painter.device()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawEllipse(centre, radius, radius);
    const std::size_t ticks = layout.lines.size() - 3;
    for (std::size_t i = 0; i < ticks; ++i) painter.drawLine(layout.lines[i]);
    const auto arrow = [&](const QLineF& line, const QColor& colour, double width) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(line);
    };
    arrow(layout.lines[ticks], Qt::black, 1.2);
    arrow(layout.lines[ticks + 1], kMagneticInk, 1.6);
    arrow(layout.lines[ticks + 2], kDishInk, 2.4);
    painter.setPen(Qt::black);
    painter.setFont(letters);
    for (std::size_t i = 0; i < 4; ++i) painter.drawText(layout.words[i].box, Qt::AlignCenter, layout.words[i].text);
    painter.setFont(names);
    painter.setPen(kMagneticInk);
    painter.drawText(layout.words[4].box, Qt::AlignCenter, layout.words[4].text);
    painter.setPen(kDishInk);
    painter.drawText(layout.words[5].box, Qt::AlignCenter, layout.words[5].text);
    painter.restore();
}

}  // namespace azimora::shell
