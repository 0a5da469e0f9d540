// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "trees/cut_off_tip.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>

#include "trees/catalogue_tree_view.h"

namespace azimora::shell {
namespace {
constexpr int kRightAllowance = 4;
}

CutOffTip::CutOffTip(CatalogueTreeView& view)
    : QObject(&view),
      view_(view),
      viewport_(view.viewport()),
      // Clicks and moves go through the tip to the item beneath.
      tip_(std::make_unique<QLabel>(nullptr,
                                    Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)),
      pointer_([] { return QCursor::pos(); }) {
    tip_->setObjectName(QStringLiteral("CutOffTip"));
    tip_->setMargin(0);
    tip_->setIndent(0);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    tip_->setContentsMargins(1, 2, 5, 0);  // the text lies exactly over the item's
    tip_->setAutoFillBackground(true);
    QPalette colours = tip_->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    tip_->setPalette(colours);
    watcher_.setInterval(kWatchMilliseconds);
    connect(&watcher_, &QTimer::timeout, this, &CutOffTip::watcherTick);
    viewport_->installEventFilter(this);
}

CutOffTip::~CutOffTip() = default;

bool CutOffTip::isTipShown() const { return tip_->isVisible(); }

bool CutOffTip::eventFilter(QObject* watched, QEvent* event) {
    // Compared with the pointer kept: the view may be half destroyed here.
    if (watched == viewport_ && event->type() == QEvent::MouseMove)
        pointerMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QObject::eventFilter(watched, event);
}

void CutOffTip::pointerMoved(QPoint pos) {
    const QModelIndex index = view_.indexAt(pos);
    if (!index.isValid() || index == lastTipped_) return;
    closeTip();
    lastTipped_ = QPersistentModelIndex();

    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(view_.font());
    const int textLeft = view_.textLeft(index);
    const int textWidth = metrics.horizontalAdvance(text);
    if (textLeft + textWidth <= view_.viewport()->width() - kRightAllowance) return;

    const QRect item = view_.visualRect(index);
    const int textTop = item.top() + (item.height() - metrics.height()) / 2;
    tip_->setFont(view_.font());
    tip_->setText(text);
    tip_->setGeometry(QRect(view_.viewport()->mapToGlobal(QPoint(textLeft - 1, textTop - 2)),
                            QSize(textWidth + 6, metrics.height() + 2)));
    tip_->show();
    lastTipped_ = index;
    ticks_ = 0;
    watcher_.start();
}

void CutOffTip::watcherTick() {
    if (!isTipShown()) {
        watcher_.stop();
        return;
    }
    const QPoint pointer = view_.viewport()->mapFromGlobal(pointer_());
    if (!view_.viewport()->rect().contains(pointer)) {
        closeTip();
        lastTipped_ = QPersistentModelIndex();
        return;
    }
    if (++ticks_ >= kTicksShown) closeTip();
}

void CutOffTip::closeTip() {
    watcher_.stop();
    tip_->hide();
}

}  // namespace azimora::shell
