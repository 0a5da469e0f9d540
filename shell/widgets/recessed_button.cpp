// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/recessed_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "widgets/pixel_frame.h"
#include "widgets/ui_style.h"

namespace azimora::shell {

RecessedButton::RecessedButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
}

void RecessedButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void RecessedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool focusOutline = hasFocus() && !isDown();
    if (focusOutline) {
        DrawFlatFrame(painter, rect(), WindowFrame(palette()));
        option.rect = rect().adjusted(1, 1, -1, -1);
    }
    option.state &= ~QStyle::State_HasFocus;  // the focus rectangle is ours
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect captionArea = rect().translated(isDown() ? QPoint(1, 1) : QPoint());
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.setPen(ButtonHighlight(palette()));
    painter.drawText(captionArea.translated(1, 1), flags, text());
    painter.setPen(ButtonShadow(palette()));
    painter.drawText(captionArea.translated(-1, -1), flags, text());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(captionArea, flags, text());

    // Whenever the button has the focus, also after a mouse click.
    if (focusOutline) DrawFocusRectangle(painter, rect().adjusted(4, 4, -4, -4), palette().color(QPalette::ButtonText));
}

}  // namespace azimora::shell
