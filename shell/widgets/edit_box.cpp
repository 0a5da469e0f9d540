// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/edit_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

#include <limits>

#include "widgets/pixel_frame.h"
#include "widgets/ui_style.h"

namespace azimora::shell {

EditBox::EditBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setFrame(false);
    setTextMargins(2, 2, 2, 2);
    setMaxLength(std::numeric_limits<int>::max());  // no length limit
    // The cursor stays at the start like a fresh box on the desktop.
    setCursorPosition(0);
}

char32_t EditBox::TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    // Keys that type nothing, whatever text the platform attaches to them.
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) return 0;
    if (key == Qt::Key_Backspace) return 8;
    const auto modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char32_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty()) return 0;
    return text.toUcs4().value(0);
}

QString EditBox::Filtered(const QString& text) {
    QString accepted;
    for (char32_t c : text.toUcs4()) {
        char32_t key = c;
        if (keyFilter_) keyFilter_(key);
        if (key != 0) accepted += QString::fromUcs4(&key, 1);
    }
    return accepted;
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    char32_t key = TypedCharacter(*event);
    if (key == 0 || !keyFilter_) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    if (text.isEmpty() || text.toUcs4().value(0) != key) {
        // A control character: the box either acts on the key or ignores it.
        keyFilter_(key);
        if (key != 0) QLineEdit::keyPressEvent(event);
        return;
    }
    // Auto-repeat can pack several characters into one event.
    const QString accepted = Filtered(text);
    if (accepted == text) {
        QLineEdit::keyPressEvent(event);
    } else if (!accepted.isEmpty()) {
        insert(accepted);
    }
}

void EditBox::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters are typed characters too.
    if (keyFilter_ && !event->commitString().isEmpty()) {
        const QString accepted = Filtered(event->commitString());
        if (accepted != event->commitString()) {
            QInputMethodEvent filtered(event->preeditString(), event->attributes());
            filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
            QLineEdit::inputMethodEvent(&filtered);
            return;
        }
    }
    QLineEdit::inputMethodEvent(event);
}

void EditBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    // Two pixels: the outer in the button shadow, the inner in the box's own background.
    DrawFlatFrame(painter, rect(), ButtonShadow(palette()));
    DrawFlatFrame(painter, rect(), palette().color(QPalette::Base), {.inset = 1});
}

}  // namespace azimora::shell
