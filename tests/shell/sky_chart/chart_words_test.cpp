// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The sky chart's words, in the window and on the sheet: each beside the
// mark it names, inside the chart's area, over no other word, no mark and
// no line's end, for sites where the chart is crowded.
#include <QFont>
#include <QFontMetricsF>

#include <cmath>
#include <string>

#include "installation/assistant_session.h"
#include "assistant/sky_chart_window.h"
#include "sky_chart/chart_words.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

// How far from the edge of a box a point is (0 inside).
double Distance(QPointF point, const QRectF& box) {
    const double dx = std::max({box.left() - point.x(), 0.0, point.x() - box.right()});
    const double dy = std::max({box.top() - point.y(), 0.0, point.y() - box.bottom()});
    return std::hypot(dx, dy);
}

std::string Describe(const ChartWord& word) {
    return "'" + word.text.left(30).toStdString() + "' at " + std::to_string(int(word.box.x())) + "," +
           std::to_string(int(word.box.y())) + " " + std::to_string(int(word.box.width())) + "x" +
           std::to_string(int(word.box.height()));
}

struct Site {
    const char* what;
    const char* name;
    const char* latitude;
    const char* longitudeWest;
    std::string satellite;
    const char* satelliteLongitudeWest;
    std::vector<SkyPosition> marks;  // obstacle marks
};

struct Chart {
    const char* what;
    double side;       // the chart's area, square
    double pixelSize;  // of its font
};

class ChartWords : public testing::WindowTest {};

TEST_F(ChartWords, BesideTheirMarksAndOverNothingElse) {
    const Site sites[] = {
        {"Calgary", "Calgary", "51.08", "114.08", "Anik E2 - Star Choice (Canada)", "107.3", {}},
        {"Calgary, marks where the label would go",
         "Calgary",
         "51.08",
         "114.08",
         "Anik E2 - Star Choice (Canada)",
         "107.3",
         {{150, 45}, {171, 42}, {190, 45}, {200, 20}}},
        {"Sydney, a long name", "Sydney", "-33.87", "-151.21", std::string(200, 'W'), "-156", {}},
        {"Sydney, marks by the sun's noon",
         "Sydney",
         "-33.87",
         "-151.21",
         "Optus D1",
         "-160",
         {{0, 60}, {20, 55}, {340, 50}}},
        {"the equator, overhead", "Quito", "0.0", "78.0", "Overhead", "78.0", {}},
        {"Calgary, a satellite below the horizon", "Calgary", "51.08", "114.08", "Far away", "300", {}},
        {"Tromso, low in the south", "Tromso", "69.65", "-18.96", "Thor 5", "0.8", {{180, 8}}},
    };
    const Chart charts[] = {{"the window", 560, 12}, {"the sheet", 230, 7}, {"a small window", 300, 11}};
    for (const Site& site : sites) {
        SetSite(site.name, site.latitude, site.longitudeWest, site.satellite.c_str(), site.satelliteLongitudeWest);
        auto& sky = ToolsMenu::Of(*window).openSkyChart();
        AssistantSession::Of(*window).clearObstacles();
        for (const SkyPosition& mark : site.marks) sky.addObstacle(mark);
        QCoreApplication::processEvents();
        ASSERT_TRUE(sky.hasChart()) << site.what;
        for (const Chart& chart : charts) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(static_cast<int>(chart.pixelSize));
            const QFontMetricsF metrics(font);
            const SkyProjection projection = SkyProjection::Fitting(QRectF(10, 20, chart.side, chart.side));
            const azimora::shell::ChartWords laid = LayOutChartWords(metrics, projection, sky.chart(), sky.obstacles());
            const std::string where = std::string(site.what) + " on " + chart.what + ": ";
            int chosen = 0, rings = 0;
            for (std::size_t i = 0; i < laid.words.size(); ++i) {
                const ChartWord& word = laid.words[i];
                EXPECT_TRUE(projection.area().contains(word.box)) << where << Describe(word) << " leaves the chart";
                for (std::size_t j = i + 1; j < laid.words.size(); ++j)
                    EXPECT_FALSE(word.box.intersects(laid.words[j].box))
                        << where << Describe(word) << " over " << Describe(laid.words[j]);
                for (const QRectF& mark : laid.marks)
                    EXPECT_FALSE(word.box.intersects(mark)) << where << Describe(word) << " over a mark at "
                                                            << mark.center().x() << "," << mark.center().y();
                if (word.kind == ChartWord::Kind::Ring) ++rings;
                if (word.kind == ChartWord::Kind::Hour) {
                    ASSERT_TRUE(word.mark.has_value());
                    EXPECT_LE(Distance(word.mark->center(), word.box), kHourDot + 4)
                        << where << Describe(word) << " away from its dot";
                }
                if (word.kind == ChartWord::Kind::Chosen) {
                    ++chosen;
                    ASSERT_TRUE(word.mark.has_value());
                    // Within four lines of its ring.
                    EXPECT_LE(Distance(word.mark->center(), word.box), kChosenRing + 3 + 4 * metrics.height())
                        << where << Describe(word) << " away from its ring";
                    EXPECT_TRUE(word.text.contains(u'\u00B0')) << where << Describe(word);
                }
            }
            EXPECT_EQ(chosen, 1) << where;
            EXPECT_GE(rings, 3) << where << "the rings' elevations";
        }
        sky.close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (const auto settings = sources::OpenSettings()) settings->remove(QStringLiteral("windows"));
    }
}

}  // namespace
}  // namespace azimora::shell
