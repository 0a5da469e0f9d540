// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace azimora::shell {

// A rectangle in the button-face colour with a one-pixel flat border on the
// chosen sides.
class FlatPanel final : public QWidget {
    Q_OBJECT

public:
    FlatPanel(Qt::Edges borders, QWidget* parent);
    Q_DISABLE_COPY_MOVE(FlatPanel)

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Edges borders_;
};

}  // namespace azimora::shell
