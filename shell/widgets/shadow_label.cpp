// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/shadow_label.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

#include "widgets/ui_style.h"

namespace azimora::shell {

ShadowLabel::ShadowLabel(const QString& text, QPoint shadowOffset, QWidget* parent)
    : QWidget(parent), text_(text), shadowOffset_(shadowOffset) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    refit();
}

void ShadowLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    refit();
    update();
    // Screen readers hear of it: as a new name, or a new description where
    // the label has a name of its own.
    QAccessibleEvent changed(this, accessibleName().isEmpty() ? QAccessible::NameChanged
                                                              : QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void ShadowLabel::setShadowOffset(QPoint offset) {
    shadowOffset_ = offset;
    refit();
    update();
}

void ShadowLabel::setShadowColour(const QColor& colour) {
    shadowColour_ = colour;
    update();
}

void ShadowLabel::setTextColour(const QColor& colour) {
    textColour_ = colour;
    update();
}

void ShadowLabel::setRightAligned(bool rightAligned) {
    rightAligned_ = rightAligned;
    refit();
}

void ShadowLabel::setFixedLabelSize(QSize size) {
    sizing_ = Sizing::Fixed;
    resize(size);
}

void ShadowLabel::placeAt(QPoint anchor) {
    move(rightAligned_ ? QPoint(anchor.x() - width(), anchor.y()) : anchor);
}

QSize ShadowLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text_) + shadowOffset_.x(), metrics.height() + shadowOffset_.y()};
}

void ShadowLabel::refit() {
    if (sizing_ == Sizing::Fixed) return;
    const QRect old = geometry();
    const QSize fitted = sizeHint();
    const int left = rightAligned_ ? old.right() + 1 - fitted.width() : old.left();
    setGeometry(QRect(QPoint(left, old.top()), fitted));
}

void ShadowLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) refit();
    QWidget::changeEvent(event);
}

void ShadowLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int flags = Qt::AlignTop | (rightAligned_ ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextSingleLine;
    const QRect textArea = rect().adjusted(0, 0, -shadowOffset_.x(), -shadowOffset_.y());
    painter.setPen(shadowColour_.isValid() ? shadowColour_ : LabelShadowColour(palette()));
    painter.drawText(textArea.translated(shadowOffset_), flags, text_);
    painter.setPen(textColour_.isValid() ? textColour_ : palette().color(QPalette::WindowText));
    painter.drawText(textArea, flags, text_);
}

}  // namespace azimora::shell
