#include "recessed_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui_style.h"

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
        painter.setPen(WindowFrame(palette()));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
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

    if (focusOutline) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace azimora::shell
