// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QRect>

class QPainter;

// Flat frames that stay closed and one device-independent pixel wide at any
// scale factor, fractional ones included. Drawn with a pen, a one-pixel line
// at 1.25 falls between device pixels: one side vanishes under the widget's
// edge, another doubles. Here every ring is snapped to whole device pixels,
// counted inward from where the raster engine ends the rectangle's own fill.
namespace azimora::shell {

struct FrameStyle {
    int inset = 0;                 // rings inward from the rectangle's edge
    Qt::Edges edges = Qt::TopEdge | Qt::BottomEdge | Qt::LeftEdge | Qt::RightEdge;
    bool cornersLeftOut = false;   // the four corner pixels of the ring stay unpainted
};

void DrawFlatFrame(QPainter& painter, const QRect& rect, const QBrush& brush, FrameStyle style = {});

// The classic dotted focus rectangle (every second device pixel) in colour,
// shown whenever the control has the focus, however it got it.
void DrawFocusRectangle(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace azimora::shell
