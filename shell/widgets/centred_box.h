// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// The box a word of this size takes when it is drawn centred on a point:
// how the sky chart and the compass rose try places for their words.
namespace azimora::shell {

[[nodiscard]] inline QRectF Centred(QPointF at, QSizeF size) {
    return {at.x() - size.width() / 2, at.y() - size.height() / 2, size.width(), size.height()};
}

}  // namespace azimora::shell
