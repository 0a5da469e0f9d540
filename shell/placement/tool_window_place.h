// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

#include <optional>

// Where a tool window goes among the main window's boxes: a pure function
// of rectangles, so that it can be tried on any screen without one.
namespace azimora::shell {

// All in the screen's coordinates; the owner's frame and boxes as they
// stand on the screen.
struct ToolWindowScene {
    QRect owner;                   // the main window, frame included
    QList<QRect> boxes;            // what the user types in and reads there
    std::optional<QRect> focused;  // the box with the keyboard's focus
    QRect available;               // the screen's available area
    QMargins frame;                // the tool window's own frame
};

// The tool window's client area. Beside the owner where the screen has room
// for it at its wanted size, else at a size cut no smaller than least (the
// smallest it is of use at); failing that, over the owner where it hides
// none of the focused box and the fewest of the other boxes, as large as
// that leaves room for. Where no window of the least size leaves the focused
// box free, one cut down to minimum (the smallest its contents allow) that
// does. Always within the available area, frame included.
[[nodiscard]] QRect PlaceToolWindow(const ToolWindowScene& scene, QSize wanted, QSize least, QSize minimum);

// How many of boxes a frame at outer covers, even in part.
[[nodiscard]] int BoxesHidden(const QRect& outer, const QList<QRect>& boxes);

}  // namespace azimora::shell
