// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "placement/window_placement.h"

#include <algorithm>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace azimora::shell {
namespace {

constexpr int kTickMilliseconds = 50;
// A window manager answers in well under a second on a quiet machine; this
// bound only ends the watch where none ever answers.
constexpr qint64 kGiveUpMilliseconds = 30000;
// Ticks in a row that find the window in place before the watch ends: Qt
// may still hold an older answer of the window manager for one turn.
constexpr int kTicksInPlace = 2;

// The frame of another window of the program that is framed already:
// the same window manager frames this one alike.
QMargins GuessedFrame(const QWidget& window) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible()) continue;
        const QMargins frame = FrameExtents(*other);
        if (!frame.isNull()) return frame;
    }
    return {};
}

class PlacementKeeper final : public QObject {
public:
    PlacementKeeper(QWidget& window, Placement placement, std::function<void()> done)
        : QObject(&window), window_(window), placement_(std::move(placement)), done_(std::move(done)), size_(window.size()) {
        age_.start();
        window_.installEventFilter(this);
        connect(&tick_, &QTimer::timeout, this, [this] { check(true); });
        tick_.start(kTickMilliseconds);
        check(false);
    }
    Q_DISABLE_COPY_MOVE(PlacementKeeper)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || (event->type() != QEvent::Move && event->type() != QEvent::Resize)) return false;
        // The program's own resize sets the size wanted; the window
        // system's answers may be older ones arriving late, and do not.
        if (event->type() == QEvent::Resize && !event->spontaneous() && !placing_) size_ = window_.size();
        check(false);
        return false;
    }

private:
    void check(bool onTick) {
        if (placing_ || finished_) return;
        if (age_.elapsed() > kGiveUpMilliseconds || (onTick && !window_.isVisible())) {
            finish();
            return;
        }
        const QScreen* screen = window_.screen() != nullptr ? window_.screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr) return;
        QMargins frame = FrameExtents(window_);
        const bool framed = !frame.isNull();
        if (!framed) frame = GuessedFrame(window_);
        const QRect wanted = placement_(size_, frame, screen->availableGeometry());
        if (window_.geometry() != wanted) {
            ticksInPlace_ = 0;
            placing_ = true;
            size_ = wanted.size();
            window_.setGeometry(wanted);  // the client area's place: the frame goes round it
            placing_ = false;
            return;
        }
        if (onTick && framed && ++ticksInPlace_ >= kTicksInPlace) finish();
    }
    void finish() {
        finished_ = true;
        tick_.stop();
        window_.removeEventFilter(this);
        deleteLater();
        if (done_) done_();
    }

    QWidget& window_;
    Placement placement_;
    std::function<void()> done_;
    QSize size_;  // the size wanted: as shown, or as the program resized it since
    QTimer tick_;
    QElapsedTimer age_;
    int ticksInPlace_ = 0;
    bool placing_ = false;
    bool finished_ = false;
};

}  // namespace

QMargins FrameExtents(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (handle == nullptr) return {};
    // While the window manager reparents a window, Qt may work out margins
    // from a frame that is not yet sized (seen: 0, 0, -939, -619): none
    // known until they make sense.
    const QMargins margins = handle->frameMargins();
    const bool sensible = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0 &&
                          margins.left() + margins.right() < window.width() && margins.top() + margins.bottom() < window.height();
    return sensible ? margins : QMargins();
}

QRect CentredClient(QSize client, QMargins frame, const QRect& available) {
    QRect outer(QPoint(), client.grownBy(frame));
    outer.moveCenter(available.center());
    return outer.marginsRemoved(frame);
}

void KeepPlaced(QWidget& window, Placement placement, std::function<void()> done) {
    new PlacementKeeper(window, std::move(placement), std::move(done));  // owned by the window; ends itself
}

void KeepWithinScreen(QWidget& window) {
    KeepPlaced(window, [&window](QSize size, QMargins frame, QRect available) {
        const QSize room(available.width() - frame.left() - frame.right(), available.height() - frame.top() - frame.bottom());
        QRect outer(window.geometry().topLeft() - QPoint(frame.left(), frame.top()),
                    size.boundedTo(room).expandedTo(QSize(1, 1)).grownBy(frame));
        outer.moveLeft(std::clamp(outer.left(), available.left(), std::max(available.left(), available.right() + 1 - outer.width())));
        outer.moveTop(std::clamp(outer.top(), available.top(), std::max(available.top(), available.bottom() + 1 - outer.height())));
        return outer.marginsRemoved(frame);
    });
}

void CentreFrameOnScreen(QWidget& window) {
    KeepPlaced(window, [](QSize size, QMargins frame, QRect available) { return CentredClient(size, frame, available); });
}

}  // namespace azimora::shell
