// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Where a tool window goes: beside the main window where the screen has
// room, else where it hides the fewest boxes and never the focused one.
// The fewest is checked against a search of every place on the screen.
#include <gtest/gtest.h>

#include <limits>

#include "placement/tool_window_place.h"

namespace azimora::shell {
namespace {

// The main window's boxes, from its frame's top left, as laid out at 1x:
// satellite name and longitude, site name, latitude and longitude, the two
// answers, the two listings.
QList<QRect> MainWindowBoxes(QPoint frame) {
    QList<QRect> boxes{{132, 40, 177, 21},  {348, 40, 65, 21},  {132, 80, 177, 21},
                       {348, 80, 65, 21},   {484, 80, 65, 21},  {188, 125, 161, 15},
                       {403, 125, 161, 18}, {6, 160, 290, 270}, {302, 160, 300, 270}};
    for (QRect& box : boxes) box.translate(frame);
    return boxes;
}

// The fewest boxes a frame of this size hides anywhere on the screen
// without hiding the focused one, every pixel tried; kNowhere if every
// place hides it.
constexpr int kNowhere = std::numeric_limits<int>::max();

int FewestHiddenAnywhere(const ToolWindowScene& scene, QSize outer) {
    int fewest = kNowhere;
    for (int x = scene.available.left(); x + outer.width() <= scene.available.right() + 1; ++x) {
        for (int y = scene.available.top(); y + outer.height() <= scene.available.bottom() + 1; ++y) {
            const QRect at(QPoint(x, y), outer);
            if (scene.focused && at.intersects(*scene.focused)) continue;
            fewest = std::min(fewest, BoxesHidden(at, scene.boxes));
        }
    }
    return fewest;
}

struct Case {
    const char* what;
    QRect available;
    QPoint owner;  // the main window's frame's top left; it is 608 x 468
    QSize wanted;
    QSize least;    // the smallest size of use
    QSize minimum;  // the smallest the contents allow
    bool beside;    // whether the screen has room beside it
};

TEST(ToolWindowPlace, BesideWhereThereIsRoomElseHidingTheFewestAndNeverTheFocus) {
    const QMargins frame(1, 24, 1, 4);
    const Case cases[] = {
        {"room on the right", {0, 0, 1920, 1080}, {100, 100}, {700, 820}, {520, 500}, {200, 200}, true},
        {"room on the left", {0, 0, 1920, 1080}, {1300, 200}, {700, 820}, {520, 500}, {200, 200}, true},
        {"room below", {0, 0, 700, 1400}, {40, 20}, {600, 700}, {500, 500}, {200, 200}, true},
        {"room for a cut window only", {0, 0, 1920, 1080}, {656, 306}, {700, 820}, {520, 500}, {200, 200}, true},
        {"a panel at the top", {0, 32, 1280, 992}, {0, 32}, {940, 620}, {600, 460}, {300, 200}, true},
        {"no room beside at 1x", {0, 0, 1280, 1024}, {336, 278}, {700, 820}, {520, 500}, {200, 200}, false},
        {"no room beside: a screen at 2x", {0, 0, 960, 540}, {176, 36}, {700, 820}, {520, 500}, {200, 200}, false},
        {"no room beside: a large chart", {0, 0, 960, 540}, {176, 36}, {940, 620}, {700, 460}, {300, 200}, false},
        {"a small screen at 2x", {0, 0, 640, 512}, {16, 22}, {700, 820}, {520, 500}, {200, 200}, false},
        {"the main window filling the screen", {0, 0, 1024, 768}, {0, 0}, {700, 820}, {520, 500}, {200, 200}, false},
    };
    for (const Case& c : cases) {
        const QRect owner(c.owner, QSize(608, 468));
        const QList<QRect> boxes = MainWindowBoxes(c.owner);
        // With the focus in each box in turn, and in none.
        for (qsizetype focus = -1; focus < boxes.size(); ++focus) {
            ToolWindowScene scene{owner, boxes, std::nullopt, c.available, frame};
            if (focus >= 0) scene.focused = boxes[focus];
            const QRect placed = PlaceToolWindow(scene, c.wanted, c.least, c.minimum);
            const QRect outer = placed.marginsAdded(frame);
            const std::string where = std::string(c.what) + ", focus in box " + std::to_string(focus) + ": at " +
                                      std::to_string(outer.x()) + "," + std::to_string(outer.y()) + " " +
                                      std::to_string(outer.width()) + "x" + std::to_string(outer.height());
            EXPECT_TRUE(c.available.contains(outer)) << where;
            EXPECT_GE(placed.width(), std::min(c.minimum.width(), c.available.width())) << where;
            EXPECT_GE(placed.height(), std::min(c.minimum.height(), c.available.height())) << where;
            if (c.beside) {
                EXPECT_FALSE(outer.intersects(owner)) << where;
                EXPECT_GE(placed.width(), c.least.width()) << where;
                EXPECT_GE(placed.height(), c.least.height()) << where;
                continue;
            }
            // The focused box stays free wherever a window the contents allow
            // can leave it so.
            const bool focusCanStayFree = FewestHiddenAnywhere(scene, c.minimum.grownBy(frame)) != kNowhere;
            if (focusCanStayFree) {
                ASSERT_FALSE(scene.focused && outer.intersects(*scene.focused)) << where;
            }
            // At a size of use wherever one leaves it free; then no place
            // for a window of this size, nor of the size wanted, hides fewer.
            const QSize least = c.least.boundedTo(c.available.size().shrunkBy(frame));
            if (FewestHiddenAnywhere(scene, least.grownBy(frame)) == kNowhere) continue;
            EXPECT_GE(placed.width(), least.width()) << where;
            EXPECT_GE(placed.height(), least.height()) << where;
            const int hidden = BoxesHidden(outer, boxes);
            EXPECT_LE(hidden, FewestHiddenAnywhere(scene, outer.size())) << where;
            const QSize whole = c.wanted.boundedTo(c.available.size().shrunkBy(frame)).grownBy(frame);
            EXPECT_LE(hidden, FewestHiddenAnywhere(scene, whole)) << where;
        }
    }
}

// Where it fits whole it stays whole, next to the main window, level with it.
TEST(ToolWindowPlace, WholeAndLevelWhereItFits) {
    const QMargins frame(1, 24, 1, 4);
    const QRect owner(100, 100, 608, 468);
    const ToolWindowScene scene{owner, MainWindowBoxes(owner.topLeft()), std::nullopt, {0, 0, 1920, 1080}, frame};
    const QRect placed = PlaceToolWindow(scene, {700, 820}, {520, 500}, {200, 200});
    EXPECT_EQ(placed.size(), QSize(700, 820));
    EXPECT_EQ(placed.marginsAdded(frame).topLeft(), QPoint(708, 100));
}

}  // namespace
}  // namespace azimora::shell
