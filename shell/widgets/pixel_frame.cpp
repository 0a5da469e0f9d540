// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/pixel_frame.h"

#include <QPainter>

#include <algorithm>

namespace azimora::shell {

void DrawFlatFrame(QPainter& painter, const QRect& rect, const QBrush& brush, FrameStyle style) {
    const QTransform toDevice = painter.deviceTransform();
    const QRectF device = toDevice.mapRect(QRectF(rect));
    // One device-independent pixel, in whole device pixels.
    const int t = std::max(1, qRound(toDevice.m11()));
    // The device pixels an aliased fill of rect covers: edges are rounded.
    const int left = qRound(device.left()) + style.inset * t;
    const int right = qRound(device.right()) - style.inset * t;
    const int top = qRound(device.top()) + style.inset * t;
    const int bottom = qRound(device.bottom()) - style.inset * t;
    if (right - left < t || bottom - top < t) return;

    const QTransform toLogical = toDevice.inverted();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.setBrushOrigin(QPointF());
    const auto fill = [&](int x, int y, int w, int h) {
        if (w > 0 && h > 0) painter.fillRect(toLogical.mapRect(QRectF(x, y, w, h)), brush);
    };
    const int corner = style.cornersLeftOut ? t : 0;
    if (style.edges & Qt::TopEdge) fill(left + corner, top, right - left - 2 * corner, t);
    if (style.edges & Qt::BottomEdge) fill(left + corner, bottom - t, right - left - 2 * corner, t);
    if (style.edges & Qt::LeftEdge) fill(left, top + corner, t, bottom - top - 2 * corner);
    if (style.edges & Qt::RightEdge) fill(right - t, top + corner, t, bottom - top - 2 * corner);
    painter.restore();
}

void DrawFocusRectangle(QPainter& painter, const QRect& rect, const QColor& colour) {
    DrawFlatFrame(painter, rect, QBrush(colour, Qt::Dense4Pattern));
}

}  // namespace azimora::shell
