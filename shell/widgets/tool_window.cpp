// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/tool_window.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

#include "widgets/window_placement.h"

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
    resize(preferred_.expandedTo(minimumSizeHint()).expandedTo(minimumSize()));
    KeepPlaced(*this, [this](QSize size, QMargins frame, QRect available) {
        // The owner's frame from its client area and its window manager's
        // extents: Qt's own frame geometry lags behind while a window is framed.
        QMargins ownerExtents = FrameExtents(owner_);
        if (ownerExtents.isNull()) ownerExtents = frame;
        return PlaceBeside(owner_.geometry().marginsAdded(ownerExtents), size, available, frame);
    });
}

}  // namespace azimora::shell
