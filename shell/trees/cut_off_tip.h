// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QObject>
#include <QPersistentModelIndex>
#include <QTimer>

#include <functional>
#include <memory>

namespace azimora::shell {

class CatalogueTreeView;

// Shows the whole text of an item cut off at the view's right edge in a tip
// laid exactly over it, the way the classic tree view does:
// - a mouse move over a new item closes any open tip; an item whose text
//   ends within the client width less 4 px opens none (and counts as no
//   item tipped), a longer one opens a tip over its text;
// - a 250 ms watcher closes the tip at the first tick with the pointer
//   outside the view (forgetting the item, so it can tip again), or on the
//   17th tick inside (remembering it: it tips again only after another item).
class CutOffTip final : public QObject {
    Q_OBJECT

public:
    static constexpr int kWatchMilliseconds = 250;
    static constexpr int kTicksShown = 17;

    explicit CutOffTip(CatalogueTreeView& view);
    ~CutOffTip() override;
    Q_DISABLE_COPY_MOVE(CutOffTip)

    // Where the pointer is, in global coordinates; tests replace it.
    void setPointerSource(std::function<QPoint()> source) { pointer_ = std::move(source); }

    // The pointer moved to pos (viewport coordinates).
    void pointerMoved(QPoint pos);
    // One tick of the watcher; the real timer calls it.
    void watcherTick();

    [[nodiscard]] bool isTipShown() const;
    [[nodiscard]] QLabel* tipWindow() const { return tip_.get(); }
    [[nodiscard]] QTimer& watcher() { return watcher_; }
    [[nodiscard]] QModelIndex lastTipped() const { return lastTipped_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeTip();

    CatalogueTreeView& view_;
    QWidget* viewport_;
    std::unique_ptr<QLabel> tip_;  // a top-level window of its own
    QTimer watcher_;
    int ticks_ = 0;
    QPersistentModelIndex lastTipped_;
    std::function<QPoint()> pointer_;
};

}  // namespace azimora::shell
