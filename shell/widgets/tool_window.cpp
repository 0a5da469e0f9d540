// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/tool_window.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>

namespace azimora::shell {
namespace {

// A plain QWidget window is "filler" to AT-SPI; it is a frame.
QAccessibleInterface* ToolWindowAccessible(const QString&, QObject* object) {
    auto* window = qobject_cast<ToolWindow*>(object);
    if (window == nullptr || !window->isWindow()) return nullptr;
    return new QAccessibleWidget(window, QAccessible::Window, window->windowTitle());
}

}  // namespace

QRect PlaceBeside(const QRect& ownerFrame, QSize size, const QRect& available, QMargins frame) {
    // The frame the window manager adds goes round the client size.
    const QSize room(available.width() - frame.left() - frame.right(), available.height() - frame.top() - frame.bottom());
    size = size.boundedTo(room);
    const int outer = size.width() + frame.left() + frame.right();
    const int rightSpace = available.right() + 1 - (ownerFrame.right() + 1);
    const int leftSpace = ownerFrame.left() - available.left();
    int x;
    if (rightSpace >= outer) {
        x = ownerFrame.right() + 1;
    } else if (leftSpace >= outer) {
        x = ownerFrame.left() - outer;
    } else {
        x = rightSpace >= leftSpace ? available.right() + 1 - outer : available.left();
    }
    const int y = std::clamp(ownerFrame.top(), available.top(),
                             available.bottom() + 1 - (size.height() + frame.top() + frame.bottom()));
    return {QPoint(x + frame.left(), y + frame.top()), size};
}

ToolWindow::ToolWindow(QWidget& owner, const QString& title, QSize preferred)
    : QWidget(&owner, Qt::Window), owner_(owner), preferred_(preferred) {
    static const bool factory = [] {
        QAccessible::installFactory(ToolWindowAccessible);
        return true;
    }();
    (void)factory;
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}

// Escape closes the window, from wherever in it the key was not wanted.
void ToolWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    const QScreen* screen = owner_.screen() != nullptr ? owner_.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // The window manager's frame, as the owner has it (none before it is mapped).
    const QRect ownerFrame = owner_.frameGeometry();
    const QRect ownerClient = owner_.geometry();
    const QMargins frame(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                         ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());
    const QSize wanted = preferred_.expandedTo(minimumSizeHint()).expandedTo(minimumSize());
    const QRect placed = PlaceBeside(ownerFrame, wanted, screen->availableGeometry(), frame);
    setGeometry(placed);
}

}  // namespace azimora::shell
