// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

namespace azimora::shell {

// A push button whose caption is drawn recessed (a highlight copy 1 px right
// and down, a shadow copy 1 px left and up, then the caption), with a dark
// outline and a focus rectangle while it has the focus. Enter and Space
// press it.
class RecessedButton final : public QPushButton {
    Q_OBJECT

public:
    RecessedButton(const QString& caption, QWidget* parent);
    Q_DISABLE_COPY_MOVE(RecessedButton)

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace azimora::shell
