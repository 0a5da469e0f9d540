// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/frame_centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace azimora::shell {
namespace {

constexpr int kPollMilliseconds = 10;
constexpr int kPollLimit = 100;

void CentreNow(QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());  // a window's position is its frame's
}

bool FrameKnown(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && !handle->frameMargins().isNull();
}

}  // namespace

void CentreFrameOnScreen(QWidget& window) {
    CentreNow(window);
    if (FrameKnown(window)) return;
    // Without a window manager no frame ever comes; the polling then ends.
    auto* poll = new QTimer(&window);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, ticks = 0]() mutable {
        const bool known = FrameKnown(window);
        if (known) CentreNow(window);
        if (known || ++ticks >= kPollLimit || !window.isVisible()) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start();
}

}  // namespace azimora::shell
