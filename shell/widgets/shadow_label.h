// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace azimora::shell {

// A transparent one-line label drawn twice: a shadow copy in light grey (or
// the palette's shadow colour on a dark face), shifted by the shadow offset,
// then the text in the window-text colour.
// Unless given a fixed size it fits its text plus the offset, keeping its
// left edge, or its right edge when right-aligned. Text sits at the top.
class ShadowLabel final : public QWidget {
    Q_OBJECT

public:
    enum class Sizing { FitText, Fixed };

    ShadowLabel(const QString& text, QPoint shadowOffset, QWidget* parent);
    Q_DISABLE_COPY_MOVE(ShadowLabel)

    [[nodiscard]] QString text() const { return text_; }
    void setText(const QString& text);

    void setShadowOffset(QPoint offset);
    [[nodiscard]] QPoint shadowOffset() const { return shadowOffset_; }
    void setShadowColour(const QColor& colour);
    void setTextColour(const QColor& colour);
    void setRightAligned(bool rightAligned);
    [[nodiscard]] bool isRightAligned() const { return rightAligned_; }
    // Fixed: clip to this size. FitText: the size follows the text.
    void setFixedLabelSize(QSize size);
    // Where a fitted label anchors: its left edge, or its right edge when right-aligned.
    void placeAt(QPoint topLeftOrTopRight);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();

    QString text_;
    QPoint shadowOffset_;
    QColor shadowColour_;  // invalid: follows the palette
    QColor textColour_;    // invalid: follows the palette
    bool rightAligned_ = false;
    Sizing sizing_ = Sizing::FitText;
};

}  // namespace azimora::shell
