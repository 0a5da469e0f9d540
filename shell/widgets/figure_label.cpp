// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/figure_label.h"

#include <algorithm>

namespace azimora::shell {

FigureLabel::FigureLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
}

QSize FigureLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QStringList lines = text().split(u'\n');
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const QMargins margins = contentsMargins();
    // Wide lines wrap: at most about forty characters' width is asked for.
    return {std::min(widest, metrics.averageCharWidth() * 40) + margins.left() + margins.right() + 2,
            metrics.lineSpacing() * static_cast<int>(lines.size()) + margins.top() + margins.bottom()};
}

QSize FigureLabel::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.averageCharWidth() * 12, metrics.lineSpacing()};
}

}  // namespace azimora::shell
