// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The sheet's compass rose: "dish" and "MN" beside their arrows, no word on
// a line or on another word, whichever way the dish and the needle point.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>

#include <string>

#include "sheet/compass_rose.h"

namespace azimora::shell {
namespace {

QFont Font(int pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// How far a point is from a straight line between two points.
double DistanceToLine(QPointF p, const QLineF& line) {
    const QPointF d = line.p2() - line.p1();
    const double t = std::clamp(QPointF::dotProduct(p - line.p1(), d) / QPointF::dotProduct(d, d), 0.0, 1.0);
    const QPointF nearest = line.p1() + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

TEST(CompassRose, NamesBesideTheirArrowsOverNoLineOrWord) {
    struct Case {
        double azimuth, declination;
    };
    // Calgary's dish and needle; both north; together; either side of
    // north; opposite; the dish on a cardinal tick; the needle far east.
    const Case cases[] = {{171.3, 13.3}, {0, 0},  {10, 5},   {355, -20},   {95, 90},  {180, -3},
                          {200, 20},     {90, 0}, {270, 45}, {12.5, 12.5}, {30, -30}, {181, 179}};
    const QFontMetricsF letters(Font(12, true)), names(Font(9, false));
    for (const double radius : {40.0, 60.0, 90.0}) {
        for (const Case& c : cases) {
            const RoseLayout rose =
                LayOutCompassRose(QPointF(200, 200), radius, c.azimuth, c.declination, letters, names);
            const std::string where = "dish " + std::to_string(c.azimuth) + ", needle " +
                                      std::to_string(c.declination) + ", radius " + std::to_string(radius) + ": ";
            ASSERT_EQ(rose.words.size(), 6u);
            for (std::size_t i = 0; i < rose.words.size(); ++i) {
                const RoseWord& word = rose.words[i];
                for (const QLineF& line : rose.lines)
                    EXPECT_FALSE(LineMeetsBox(line, word.box))
                        << where << "'" << word.text.toStdString() << "' on a line";
                for (std::size_t j = i + 1; j < rose.words.size(); ++j)
                    EXPECT_FALSE(word.box.intersects(rose.words[j].box))
                        << where << "'" << word.text.toStdString() << "' over '" << rose.words[j].text.toStdString()
                        << "'";
                if (word.arrow.isNull()) continue;
                // Beside its own arrow: nearer it than a third of the radius.
                EXPECT_LE(DistanceToLine(word.box.center(), word.arrow), radius / 3 + word.box.width() / 2)
                    << where << "'" << word.text.toStdString() << "' away from its arrow";
            }
        }
    }
}

// The straight lines that meet a box, and those that pass it by.
TEST(CompassRose, LinesMeetBoxes) {
    const QRectF box(10, 10, 20, 10);
    struct Case {
        QLineF line;
        bool meets;
    };
    const Case cases[] = {{{0, 0, 40, 40}, true},   {{0, 15, 5, 15}, false}, {{15, 12, 16, 13}, true},
                          {{0, 0, 40, 0}, false},   {{20, 0, 20, 40}, true}, {{31, 0, 31, 40}, false},
                          {{0, 25, 40, 25}, false}, {{0, 20, 40, 20}, true}};
    for (const Case& c : cases)
        EXPECT_EQ(LineMeetsBox(c.line, box), c.meets)
            << c.line.x1() << "," << c.line.y1() << " to " << c.line.x2() << "," << c.line.y2();
}

}  // namespace
}  // namespace azimora::shell
