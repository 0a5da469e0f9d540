// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/splash_window.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include "azimora_version.h"
#include "main_window/report.h"
#include "widgets/shadow_label.h"
#include "widgets/ui_style.h"

namespace azimora::shell {
namespace {

constexpr int kLabelRightEdge = 369;

ShadowLabel* MakeReleaseLabel(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new ShadowLabel(text, {1, 1}, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Arial(11));
    label->setTextColour(Qt::white);
    label->setShadowColour(Qt::black);
    label->setRightAligned(true);
    label->placeAt({kLabelRightEdge + 1, top});
    return label;
}

}  // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashWindow"));
    setWindowTitle(QStringLiteral("Azimora"));
    setFixedSize(kClientSize);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/azimora/splash.png")));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(0, 0, 401, 292);

    MakeReleaseLabel(this, "fcLabel1", QStringLiteral("Version %1 ").arg(QString::fromLatin1(kVersion)), 152);
    MakeReleaseLabel(this, "fcLabel2", QStringLiteral("Release Date: August 1st, 2003 "), 168);

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("pnlCoverup"));
    strip->setGeometry(8, 260, 377, 25);
    strip->setAutoFillBackground(true);
    QPalette black = strip->palette();
    black.setColor(QPalette::Window, Qt::black);
    strip->setPalette(black);

    // Two pixel rows above the strip's top edge: the strip cuts them off.
    auto* credit = new ShadowLabel(QString::fromLatin1(kCreditLine), {0, 0}, strip);
    credit->setObjectName(QStringLiteral("Label1"));
    credit->setFont(Arial(11, true));
    credit->setTextColour(Qt::white);
    credit->setShadowColour(Qt::transparent);
    credit->placeAt({48, -2});

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), kClientSize);
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::showAndPaint(int timeoutMs) {
    show();
    raise();
    // Only the window system's answers are taken: no input, no timers of ours.
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() != nullptr && windowHandle()->isExposed()) && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    repaint();
    QGuiApplication::sync();
}

}  // namespace azimora::shell
