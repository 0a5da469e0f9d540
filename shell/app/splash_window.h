// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace azimora::shell {

// The start-up picture: an undecorated 400 x 290 window in the middle of the
// screen with the artwork, the version and release date, and the credit
// line on a black strip over the bottom of the picture. It has no event
// handling of its own: no event loop runs while it is up.
class SplashWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kClientSize{400, 290};

    SplashWindow();
    Q_DISABLE_COPY_MOVE(SplashWindow)

    // Shows the window and paints it now, before any event loop runs: waits
    // (at most timeoutMs) for the window system to map it, then repaints and
    // flushes, so that a blocking wait afterwards shows it fully drawn.
    void showAndPaint(int timeoutMs = 2000);
};

}  // namespace azimora::shell
