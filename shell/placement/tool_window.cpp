// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "placement/tool_window.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "placement/tool_window_place.h"
#include "placement/window_placement.h"

namespace azimora::shell {
namespace {

constexpr char kBoxProperty[] = "azimoraCountsAsBox";
constexpr int kRestMilliseconds = 400;

// A plain QWidget window is "filler" to AT-SPI; it is a frame.
QAccessibleInterface* ToolWindowAccessible(const QString&, QObject* object) {
    auto* window = qobject_cast<ToolWindow*>(object);
    if (window == nullptr || !window->isWindow()) return nullptr;
    return new QAccessibleWidget(window, QAccessible::Window, window->windowTitle());
}

bool IsBox(const QWidget& widget) {
    if (widget.property(kBoxProperty).toBool()) return true;
    // A spin box's or combo box's line edit is part of its box.
    if (qobject_cast<const QLineEdit*>(&widget) != nullptr) {
        const QWidget* parent = widget.parentWidget();
        return qobject_cast<const QAbstractSpinBox*>(parent) == nullptr &&
               qobject_cast<const QComboBox*>(parent) == nullptr;
    }
    return qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           qobject_cast<const QComboBox*>(&widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(&widget) != nullptr;
}

QRect OnScreen(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

// Where the keyboard is at in the focused widget: a listing's current row
// (a window over the rest of a long listing hides nothing being worked
// on), else the whole widget.
QRect FocusOnScreen(const QWidget& focus) {
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&focus)) {
        const QRect row = view->visualRect(view->currentIndex()).intersected(view->viewport()->rect());
        if (!row.isEmpty()) return {view->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }
    return OnScreen(focus);
}

// The main window's frame from its client area and its window manager's
// extents (Qt's own frame geometry lags behind while a window is framed);
// guessed from the tool window's where it has none yet.
QRect OwnerFrame(const QWidget& owner, QMargins guess) {
    QMargins extents = FrameExtents(owner);
    if (extents.isNull()) extents = guess;
    return owner.geometry().marginsAdded(extents);
}

}  // namespace

void CountAsBox(QWidget& widget) { widget.setProperty(kBoxProperty, true); }

QList<QRect> BoxesOnScreen(const QWidget& window) {
    QList<QRect> boxes;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisible() && widget->window() == &window && IsBox(*widget)) boxes.append(OnScreen(*widget));
    }
    return boxes;
}

ToolWindow::ToolWindow(QWidget& owner, const QString& title, QSize preferred, QSize least)
    : QWidget(&owner, Qt::Window), owner_(owner), preferred_(preferred), least_(least) {
    static const bool factory = [] {
        QAccessible::installFactory(ToolWindowAccessible);
        return true;
    }();
    (void)factory;
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    rememberTimer_.setSingleShot(true);
    rememberTimer_.setInterval(kRestMilliseconds);
    connect(&rememberTimer_, &QTimer::timeout, this, &ToolWindow::rememberNow);
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
    if (placing_ || placed()) return;
    placing_ = true;
    placeFirstTime();
}

void ToolWindow::placeFirstTime() {
    const QSize minimum = minimumSizeHint().expandedTo(minimumSize());
    const QSize least = least_.expandedTo(minimum);
    const std::optional<QRect> before = remembered_.recall ? remembered_.recall() : std::nullopt;
    const auto done = [this] {
        placing_ = false;
        placedAt_ = geometry();
    };
    if (before && before->isValid()) {
        // Where the user put it, moved in and cut to fit the screen of now.
        resize(before->size().expandedTo(minimum));
        const QPoint at = before->topLeft();
        KeepPlaced(
            *this,
            [at](QSize size, QMargins frame, QRect available) {
                const QRect room = available.marginsRemoved(frame);
                size = size.boundedTo(room.size()).expandedTo(QSize(1, 1));
                const int x = std::clamp(at.x(), room.left(), room.right() + 1 - size.width());
                const int y = std::clamp(at.y(), room.top(), room.bottom() + 1 - size.height());
                return QRect(QPoint(x, y), size);
            },
            done);
        return;
    }
    resize(preferred_.expandedTo(minimum));
    KeepPlaced(
        *this,
        [this, least, minimum](QSize size, QMargins frame, QRect available) {
            const QWidget* focus = owner_.focusWidget();
            ToolWindowScene scene{OwnerFrame(owner_, frame), BoxesOnScreen(owner_), std::nullopt, available, frame};
            if (focus != nullptr && focus->isVisible() && focus->window() == &owner_)
                scene.focused = FocusOnScreen(*focus);
            return PlaceToolWindow(scene, size, least, minimum);
        },
        done);
}

// Once placed, a move or resize is the user's.
void ToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    rememberSoon();
}

void ToolWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rememberSoon();
}

void ToolWindow::rememberSoon() {
    if (placed() && remembered_.remember && isVisible() && geometry() != *placedAt_) rememberTimer_.start();
}

void ToolWindow::rememberNow() {
    rememberTimer_.stop();
    if (placed() && remembered_.remember && geometry() != *placedAt_) remembered_.remember(geometry());
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    if (rememberTimer_.isActive()) rememberNow();
    QWidget::closeEvent(event);
}

}  // namespace azimora::shell
