// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "placement/tool_window_place.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace azimora::shell {
namespace {

bool AtLeast(QSize size, QSize minimum) { return size.width() >= minimum.width() && size.height() >= minimum.height(); }

// A frame of size within area, as near the owner's top left as it goes:
// right of the owner that is at the area's left edge, left of it at its
// right edge, and level with the owner's top where the area allows.
QRect NearestTo(const QRect& owner, QSize size, const QRect& area) {
    const int x = std::clamp(owner.left(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(owner.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return {QPoint(x, y), size};
}

// The parts of the available area on the four sides of a rectangle.
std::vector<QRect> Sides(const QRect& of, const QRect& available) {
    return {QRect(QPoint(of.right() + 1, available.top()), available.bottomRight()),
            QRect(available.topLeft(), QPoint(of.left() - 1, available.bottom())),
            QRect(QPoint(available.left(), of.bottom() + 1), available.bottomRight()),
            QRect(available.topLeft(), QPoint(available.right(), of.top() - 1))};
}

struct Candidate {
    QRect outer;
    bool hidesFocus;
    bool belowLeast;
    int hidden;
    qint64 area;
    qint64 overOwner;
    int distance;

    // The focused box free first, then a window of use, the fewest boxes
    // hidden, the largest window, the least of the owner covered, and
    // nearest its first place.
    [[nodiscard]] auto Key() const {
        return std::make_tuple(hidesFocus, belowLeast, hidden, -area, overOwner, distance);
    }
};

Candidate Judge(const QRect& outer, const ToolWindowScene& scene, QSize outerLeast, QPoint first) {
    const QRect over = outer.intersected(scene.owner);
    return {outer,
            scene.focused.has_value() && outer.intersects(*scene.focused),
            !AtLeast(outer.size(), outerLeast),
            BoxesHidden(outer, scene.boxes),
            qint64(outer.width()) * outer.height(),
            over.isEmpty() ? 0 : qint64(over.width()) * over.height(),
            std::abs(outer.left() - first.x()) + std::abs(outer.top() - first.y())};
}

}  // namespace

int BoxesHidden(const QRect& outer, const QList<QRect>& boxes) {
    return int(std::count_if(boxes.begin(), boxes.end(), [&outer](const QRect& box) { return outer.intersects(box); }));
}

QRect PlaceToolWindow(const ToolWindowScene& scene, QSize wanted, QSize least, QSize minimum) {
    const QRect& available = scene.available;
    const QRect& owner = scene.owner;
    const QSize room = available.size().shrunkBy(scene.frame).expandedTo(QSize(1, 1));
    wanted = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    const QSize outerWanted = wanted.grownBy(scene.frame);
    const QSize outerLeast = least.boundedTo(wanted).grownBy(scene.frame);
    const QSize outerMinimum = minimum.boundedTo(least).boundedTo(wanted).grownBy(scene.frame);

    // Beside the owner: the first side with room for the whole window, else
    // the side with the most room for a window cut no smaller than least.
    std::optional<QRect> beside;
    for (const QRect& side : Sides(owner, available)) {
        if (AtLeast(side.size(), outerWanted)) return NearestTo(owner, outerWanted, side).marginsRemoved(scene.frame);
        const QSize cut = outerWanted.boundedTo(side.size());
        if (side.isValid() && AtLeast(cut, outerLeast) &&
            (!beside || qint64(cut.width()) * cut.height() > qint64(beside->width()) * beside->height())) {
            beside = NearestTo(owner, cut, side);
        }
    }
    if (beside) return beside->marginsRemoved(scene.frame);

    // Over the owner. For a window of a given size, a place that hides the
    // fewest boxes can always be slid until its edges meet a box's edge or
    // the screen's without hiding more: those places are all there is to
    // try. The sizes tried: the whole window, cut to the room beside each
    // box down to least, and beside the focused box down to minimum.
    QList<QRect> edges = scene.boxes;
    if (scene.focused) edges.append(*scene.focused);
    edges.append(owner);
    std::vector<QSize> sizes{outerWanted};
    for (const QRect& box : edges) {
        for (const QRect& side : Sides(box, available)) {
            const QSize cut = outerWanted.boundedTo(side.size());
            if (side.isValid() && AtLeast(cut, outerLeast)) sizes.push_back(cut);
        }
    }
    if (scene.focused) {
        for (const QRect& side : Sides(*scene.focused, available)) {
            const QSize cut = outerWanted.boundedTo(side.size());
            if (side.isValid() && AtLeast(cut, outerMinimum) && !AtLeast(cut, outerLeast)) sizes.push_back(cut);
        }
    }
    const QPoint first = NearestTo(owner, outerWanted, available).topLeft();
    std::optional<Candidate> best;
    for (const QSize size : sizes) {
        std::vector<int> xs{available.left(), available.right() + 1 - size.width(), owner.left(), owner.right() + 1,
                            owner.left() - size.width()};
        std::vector<int> ys{available.top(), available.bottom() + 1 - size.height(), owner.top(), owner.bottom() + 1,
                            owner.top() - size.height()};
        for (const QRect& box : edges) {
            xs.insert(xs.end(), {box.right() + 1, box.left() - size.width()});
            ys.insert(ys.end(), {box.bottom() + 1, box.top() - size.height()});
        }
        for (int& x : xs)
            x = std::clamp(x, available.left(), std::max(available.left(), available.right() + 1 - size.width()));
        for (int& y : ys)
            y = std::clamp(y, available.top(), std::max(available.top(), available.bottom() + 1 - size.height()));
        for (const int x : xs) {
            for (const int y : ys) {
                const Candidate candidate = Judge(QRect(QPoint(x, y), size), scene, outerLeast, first);
                if (!best || candidate.Key() < best->Key()) best = candidate;
            }
        }
    }
    return best->outer.marginsRemoved(scene.frame);
}

}  // namespace azimora::shell
