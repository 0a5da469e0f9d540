// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky_chart/chart_words.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/visibility.h"
#include "widgets/angle_text.h"
#include "widgets/centred_box.h"

namespace azimora::shell {
namespace {

// What is taken on the chart, found by a grid of cells: thousands of
// satellites and a few hundred places tried for words.
class Taken {
public:
    explicit Taken(const QRectF& area)
        : origin_(area.topLeft()),
          columns_(std::max(1, static_cast<int>(std::ceil(area.width() / kCell)))),
          rows_(std::max(1, static_cast<int>(std::ceil(area.height() / kCell)))),
          cells_(static_cast<std::size_t>(columns_) * rows_) {}

    // weight: what covering it costs, where something must be covered.
    void Take(const QRectF& box, int weight = 1) {
        const auto index = static_cast<int>(boxes_.size());
        boxes_.push_back(box);
        weights_.push_back(weight);
        seen_.push_back(0);
        ForCells(box, [&](std::vector<int>& cell) { cell.push_back(index); });
    }
    // What box covers: the taken boxes it overlaps, each by its weight.
    [[nodiscard]] int Overlaps(const QRectF& box) {
        ++stamp_;
        int count = 0;
        ForCells(box, [&](const std::vector<int>& cell) {
            for (const int index : cell) {
                if (seen_[index] == stamp_) continue;
                seen_[index] = stamp_;
                if (boxes_[index].intersects(box)) count += weights_[index];
            }
        });
        return count;
    }

private:
    static constexpr double kCell = 24;

    template <typename Visit>
    void ForCells(const QRectF& box, Visit visit) {
        const auto cell = [](double at, double origin, int count) {
            return std::clamp(static_cast<int>(std::floor((at - origin) / kCell)), 0, count - 1);
        };
        const int left = cell(box.left(), origin_.x(), columns_), right = cell(box.right(), origin_.x(), columns_);
        const int top = cell(box.top(), origin_.y(), rows_), bottom = cell(box.bottom(), origin_.y(), rows_);
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column)
                visit(cells_[static_cast<std::size_t>(row) * columns_ + column]);
    }

    QPointF origin_;
    int columns_, rows_;
    std::vector<std::vector<int>> cells_;
    std::vector<QRectF> boxes_;
    std::vector<int> weights_;
    std::vector<unsigned> seen_;
    unsigned stamp_ = 0;
};

QRectF Around(QPointF at, double radius) { return {at.x() - radius, at.y() - radius, 2 * radius, 2 * radius}; }

bool Inside(const QRectF& area, const QRectF& box) {
    return box.left() >= area.left() && box.top() >= area.top() && box.right() <= area.right() &&
           box.bottom() <= area.bottom();
}

constexpr std::size_t kPlacesAround = 16;  // at each distance, as PlacesBeside lists them

// The places beside a round mark for a word of this size, nearest first:
// a gap from the mark, then a line further, and so on. At each distance:
// above, below and to either side, the word centred on the mark or flush
// with either edge of it, and at the four corners; those facing the
// direction preferred first.
std::vector<QRectF> PlacesBeside(QPointF mark, double radius, QSizeF size, QPointF preferred, double step,
                                 int distances) {
    const double toward = std::atan2(preferred.y(), preferred.x());
    std::vector<QRectF> places;
    for (int k = 0; k < distances; ++k) {
        const double reach = radius + 3 + k * step;  // from the mark's middle to the word's near edge
        const double w = size.width(), h = size.height();
        const double left = mark.x() - reach - w, right = mark.x() + reach, above = mark.y() - reach - h,
                     below = mark.y() + reach;
        std::vector<QRectF> ring;
        for (const double x : {mark.x() - w / 2, mark.x() - radius, mark.x() + radius - w}) {
            ring.emplace_back(x, above, w, h);
            ring.emplace_back(x, below, w, h);
        }
        for (const double y : {mark.y() - h / 2, mark.y() - radius, mark.y() + radius - h}) {
            ring.emplace_back(left, y, w, h);
            ring.emplace_back(right, y, w, h);
        }
        // The corners: the word's near corner on the circle of this reach.
        const double corner = reach / std::numbers::sqrt2;
        for (const double dx : {-1.0, 1.0})
            for (const double dy : {-1.0, 1.0})
                ring.emplace_back(dx < 0 ? mark.x() - corner - w : mark.x() + corner,
                                  dy < 0 ? mark.y() - corner - h : mark.y() + corner, w, h);
        // How far each turns from the direction preferred, in whole
        // thousandths of a radian: places as far round either way keep
        // their order.
        std::vector<std::pair<long, QRectF>> turned;
        for (const QRectF& box : ring) {
            const QPointF d = box.center() - mark;
            const double turn = std::fabs(std::remainder(std::atan2(d.y(), d.x()) - toward, 2 * std::numbers::pi));
            turned.emplace_back(std::lround(turn * 1000), box);
        }
        std::stable_sort(turned.begin(), turned.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [turn, box] : turned) places.push_back(box);
    }
    return places;
}

// N, E, S, W outside the horizon, and MN where magnetic north is.
void AddCompassWords(const QFontMetricsF& metrics, const SkyProjection& sky, const SkyChart& chart, ChartWords& words) {
    const double outside = CompassOffset(metrics, sky);
    const auto word = [&](double azimuth, const char* text, double beyond, ChartWord::Kind kind) {
        const QString letters = QString::fromLatin1(text);
        return ChartWord{kind, letters,
                         Centred(sky.point(azimuth, -beyond), {metrics.horizontalAdvance(letters), metrics.height()}),
                         std::nullopt};
    };
    for (const auto& [azimuth, letter] : {std::pair{0.0, "N"}, {90.0, "E"}, {180.0, "S"}, {270.0, "W"}})
        words.words.push_back(word(azimuth, letter, outside, ChartWord::Kind::Compass));
    ChartWord north = word(chart.declination, "MN", outside * 1.9, ChartWord::Kind::MagneticNorth);
    // Beside N when it would stand on it (a small declination).
    if (north.box.intersects(words.words.front().box)) north.box.moveLeft(words.words.front().box.right() + 2);
    words.words.push_back(north);
}

// Every mark as drawn, and the ends of the lines that end inside the chart.
void AddMarks(const SkyProjection& sky, const SkyChart& chart, const ObstacleHorizon& obstacles, ChartWords& words) {
    const auto at = [&sky](const SkyPosition& p) { return sky.point(p.azimuth, std::max(0.0, p.elevation)); };
    for (const ChartSatellite& satellite : chart.satellites)
        words.marks.push_back(Around(at(satellite.position), satellite.selected ? kChosenRing : kSatelliteDot));
    if (chart.second && chart.second->position.elevation > 0)
        words.marks.push_back(Around(at(chart.second->position), kSecondRing));
    for (const SkyPosition& mark : obstacles.Points()) words.marks.push_back(Around(at(mark), kObstacleMark));
    for (const SunMark& hour : chart.sunHours) words.marks.push_back(Around(at(hour.position), kHourDot));
    for (const std::vector<SkyPosition>& arc : chart.sunPath) {
        if (arc.empty()) continue;
        words.marks.push_back(Around(at(arc.front()), kLineEnd));
        words.marks.push_back(Around(at(arc.back()), kLineEnd));
    }
    if (!chart.geostationaryArc.empty()) {
        words.marks.push_back(Around(at(chart.geostationaryArc.front()), kLineEnd));
        words.marks.push_back(Around(at(chart.geostationaryArc.back()), kLineEnd));
    }
}

// What covering costs the chosen satellite's label, which must stand
// somewhere: a stretch of the arc or the sun's path least (the label's
// backing would hide it), a mark more, a word only where nothing else is left.
constexpr int kLineWeight = 1;
constexpr int kMarkWeight = 100;
constexpr int kWordWeight = 10000;
constexpr int kLineStepCost = 4;

// The chosen satellite's name and angles beside its ring, towards the
// middle of the chart first (off the arc, which runs across that
// direction); below the horizon on the rim in its direction, said so. A
// long name is cut to what the chart holds beside the ring, and further,
// down to the angles' width, where that finds a free place.
std::optional<ChartWord> ChosenLabel(const QFontMetricsF& metrics, const SkyProjection& sky, const SkyChart& chart,
                                     Taken& taken) {
    const auto selected = std::find_if(chart.satellites.begin(), chart.satellites.end(),
                                       [](const ChartSatellite& satellite) { return satellite.selected; });
    if (selected == chart.satellites.end()) return std::nullopt;
    // Said as the report says it; drawn where it stands (on the rim when under it).
    const bool below = !IsVisible(selected->position.elevation);
    const QString angles = AzimuthText(selected->position.azimuth, 1) + QStringLiteral(" / ") +
                           DegreesText(selected->position.elevation, 1) +
                           (below               ? QStringLiteral(" (below the horizon)")
                            : selected->blocked ? QStringLiteral(" (blocked)")
                                                : QString());
    const QRectF area = sky.area();
    const QPointF at = sky.point(selected->position.azimuth, std::max(0.0, selected->position.elevation));
    const double narrowest = metrics.horizontalAdvance(angles);
    std::optional<ChartWord> best;
    int fewest = 0;
    QString text;
    QSizeF size;
    for (const double widest : {std::max(narrowest, std::min(area.width() - 8, sky.radius() * 1.6)), narrowest}) {
        text = metrics.elidedText(QString::fromStdString(selected->name), Qt::ElideRight, widest) + u'\n' + angles;
        size = metrics.boundingRect(QRectF(0, 0, area.width(), 100), Qt::AlignLeft, text).adjusted(-3, -2, 3, 2).size();
        const std::vector<QRectF> places = PlacesBeside(at, kChosenRing, size, sky.centre() - at, metrics.height(), 3);
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (!Inside(area, places[i])) continue;
            // A line further off costs as much as crossing a short stretch of line;
            // a name cut short, as much as three.
            const int cost = taken.Overlaps(places[i]) + kLineStepCost * static_cast<int>(i / kPlacesAround) +
                             (widest == narrowest ? 3 * kLineStepCost : 0);
            if (!best || cost < fewest) {
                best = ChartWord{ChartWord::Kind::Chosen, text, places[i], Around(at, kChosenRing)};
                fewest = cost;
            }
            if (fewest == 0) return best;
        }
    }
    if (!best) {
        // A chart too small for any place beside the ring: above it, moved in.
        QRectF box = Centred(at, size).translated(0, -(kChosenRing + 3 + size.height() / 2));
        box.moveLeft(std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
        box.moveTop(std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
        best = ChartWord{ChartWord::Kind::Chosen, text, box, Around(at, kChosenRing)};
    }
    return best;
}

}  // namespace

double CompassOffset(const QFontMetricsF& metrics, const SkyProjection& sky) {
    return 90.0 * metrics.height() / sky.radius();
}

ChartWords LayOutChartWords(const QFontMetricsF& metrics, const SkyProjection& sky, const SkyChart& chart,
                            const ObstacleHorizon& obstacles) {
    ChartWords words;
    AddCompassWords(metrics, sky, chart, words);
    AddMarks(sky, chart, obstacles, words);
    // Magnetic north's dash ends outside the horizon.
    words.marks.push_back(Around(sky.point(chart.declination, -CompassOffset(metrics, sky) * 0.6), kLineEnd));
    const QRectF area = sky.area();
    Taken taken(area);
    for (const QRectF& mark : words.marks) taken.Take(mark, kMarkWeight);
    for (const ChartWord& word : words.words) taken.Take(word.box, kWordWeight);
    // The arc and the sun's path, point by point.
    const auto line = [&](const std::vector<SkyPosition>& points) {
        for (const SkyPosition& p : points) taken.Take(Around(sky.point(p.azimuth, p.elevation), 1), kLineWeight);
    };
    line(chart.geostationaryArc);
    for (const std::vector<SkyPosition>& arc : chart.sunPath) line(arc);

    if (auto chosen = ChosenLabel(metrics, sky, chart, taken)) {
        taken.Take(chosen->box, kWordWeight);
        words.words.push_back(std::move(*chosen));
    }

    // The rings' elevations along the north line, else along the south line
    // (where the satellites crowd the north, south of the equator); where
    // neither has room, none.
    for (int elevation = 15; elevation < 90; elevation += 15) {
        const QString text = QString::number(elevation) + QStringLiteral("\u00B0");
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        for (const double azimuth : {0.0, 180.0}) {
            const QPointF on = sky.point(azimuth, elevation);
            const QRectF box(on.x() + 3, on.y() - 2 - metrics.ascent(), size.width(), size.height());
            if (!Inside(area, box) || taken.Overlaps(box) >= kMarkWeight) continue;
            taken.Take(box, kWordWeight);
            words.words.push_back({ChartWord::Kind::Ring, text, box, std::nullopt});
            break;
        }
    }

    // Each hour's number beside its dot, where it covers nothing.
    for (const SunMark& hour : chart.sunHours) {
        const QString text = QString::number(hour.hour);
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const QPointF at = sky.point(hour.position.azimuth, hour.position.elevation);
        for (const QRectF& place : PlacesBeside(at, kHourDot, size, QPointF(1, -1), 0, 1)) {
            if (!Inside(area, place) || taken.Overlaps(place) >= kMarkWeight) continue;
            taken.Take(place, kWordWeight);
            words.words.push_back({ChartWord::Kind::Hour, text, place, Around(at, kHourDot)});
            break;
        }
    }
    return words;
}

}  // namespace azimora::shell
