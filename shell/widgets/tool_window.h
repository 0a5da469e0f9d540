// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

// A window of the Tools menu: its own frame beside the main window (never
// over it, always within the screen's available area, at any scale), closed
// by Escape, and a frame to a screen reader, as any window is.
namespace azimora::shell {

class ToolWindow : public QWidget {
    Q_OBJECT

public:
    // owner: the main window, which the tool window belongs to and stands beside.
    ToolWindow(QWidget& owner, const QString& title, QSize preferred);
    Q_DISABLE_COPY_MOVE(ToolWindow)

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget& owner_;
    QSize preferred_;
    bool placed_ = false;
};

// Where a window of this size goes beside owner's frame: right of it where
// that fits the available area, else left, else the side with more room;
// the size cut to the area. Exposed for tests.
[[nodiscard]] QRect PlaceBeside(const QRect& ownerFrame, QSize size, const QRect& available, QMargins frame);

}  // namespace azimora::shell
