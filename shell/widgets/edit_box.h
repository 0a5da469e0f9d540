// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

#include <functional>

namespace azimora::shell {

// A single-line edit box with a flat two-pixel border whose every typed
// character goes through a filter before the box acts on it. The filter
// sees control characters too (Backspace is 8, Ctrl+V is 22, Enter 13), as
// the desktop reports them; it sets the character to 0 to discard it. Keys
// that type nothing (arrows, Delete, Home) bypass it, and Tab moves the focus.
class EditBox final : public QLineEdit {
    Q_OBJECT

public:
    using KeyFilter = std::function<void(char32_t& key)>;

    EditBox(const QString& text, QWidget* parent);
    Q_DISABLE_COPY_MOVE(EditBox)

    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

    // The character a key event types, or 0 when it types none.
    [[nodiscard]] static char32_t TypedCharacter(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The characters of text that the filter lets through.
    [[nodiscard]] QString Filtered(const QString& text);

    KeyFilter keyFilter_;
};

}  // namespace azimora::shell
