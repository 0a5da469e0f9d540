// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A label of figures that change at every keystroke, selectable and copyable:
// plain text, wrapped, and cheap to lay out. A selectable QLabel measures its
// preferred size by laying out a text document at several widths each time
// its text changes; this one measures its lines with the font's metrics and
// leaves only the height at the real width to the document.
namespace azimora::shell {

class FigureLabel final : public QLabel {
    Q_OBJECT

public:
    explicit FigureLabel(QWidget* parent);
    Q_DISABLE_COPY_MOVE(FigureLabel)

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
};

}  // namespace azimora::shell
