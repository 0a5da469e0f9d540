// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

// A window of the Tools menu: its own frame beside the main window where
// the screen has room, else where it hides the fewest of the main window's
// boxes and never the one with the focus (of a listing, its current row);
// always within the screen's available area, at any scale; where the user
// last put it, once the user has put it somewhere. Closed by Escape, and a
// frame to a screen reader, as any window is.
namespace azimora::shell {

// Where the user last put a window, kept by whoever keeps the settings: the
// client area on the screen, or none yet.
struct RememberedPlace {
    std::function<std::optional<QRect>()> recall;
    std::function<void(const QRect&)> remember;
};

class ToolWindow : public QWidget {
    Q_OBJECT

public:
    // owner: the main window, which the tool window belongs to and stands
    // beside. least: the smallest size it is still of use at, which it is
    // not cut below to stand beside the owner (unless the screen is smaller).
    ToolWindow(QWidget& owner, const QString& title, QSize preferred, QSize least);
    Q_DISABLE_COPY_MOVE(ToolWindow)

    // Call before the window is first shown.
    void setRememberedPlace(RememberedPlace place) { remembered_ = std::move(place); }
    // Whether the first placing is over: the window stands where it was put.
    [[nodiscard]] bool placed() const { return placedAt_.has_value(); }

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeFirstTime();
    void rememberSoon();
    void rememberNow();

    QWidget& owner_;
    QSize preferred_;
    QSize least_;
    RememberedPlace remembered_;
    bool placing_ = false;
    std::optional<QRect> placedAt_;  // where the program put it
    QTimer rememberTimer_;           // a drag moves a window many times: the place is kept once it rests
};

// Counts a widget that is no input box as one of its window's boxes: an
// answer the user reads (the main window's results). Tool windows keep off
// it as they keep off the boxes a user types in.
void CountAsBox(QWidget& widget);

// The boxes of window as they stand on the screen: what the user types in,
// chooses from or reads there.
[[nodiscard]] QList<QRect> BoxesOnScreen(const QWidget& window);

}  // namespace azimora::shell
