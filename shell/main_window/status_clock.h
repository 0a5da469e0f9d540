// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QWidget>

#include <functional>

class QSizeGrip;

namespace azimora::shell {

// The user's long date and long time ("dddddd tt"), e.g. "Sunday, December
// 6, 2026 9:16:05 AM" under en_US; the time-zone name some locales put in
// their long time format is left out.
[[nodiscard]] QString LongDateTimeFormat(const QLocale& locale);

// A status-bar pane showing the current local date and time, right-aligned.
// All panes share one 500 ms timer. A tick formats the time and draws only
// when the text changed, and then only the text.
class ClockPane final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshMilliseconds = 500;
    // Kept clear at the right end for a size grip.
    static constexpr int kGripAllowance = 12;

    explicit ClockPane(QWidget* parent);
    ~ClockPane() override;
    Q_DISABLE_COPY_MOVE(ClockPane)

    // The clock read at each tick; tests replace it.
    void setTimeSource(std::function<QDateTime()> source);
    void setFormat(const QString& format);
    [[nodiscard]] QString text() const { return text_; }
    // Where the text is drawn: inside the frame, clear of the grip.
    [[nodiscard]] QRect textArea() const;
    // The right edge of the drawn text.
    [[nodiscard]] int textRight() const { return textArea().right() - 3; }

    // One tick of the shared timer.
    void refresh();

    // The shared timer, while any pane exists.
    [[nodiscard]] static const QTimer* sharedTimer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QString formattedNow() const;

    QString format_;
    QString text_;
    std::function<QDateTime()> now_;
};

// The bottom bar of the main window: one clock pane filling it, and a size
// grip over its right end, hidden and inert while the window is maximised.
class StatusBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 19;
    static constexpr int kGripWidth = 13;

    explicit StatusBar(QWidget* parent);
    Q_DISABLE_COPY_MOVE(StatusBar)

    [[nodiscard]] ClockPane& clock() const { return *clock_; }
    [[nodiscard]] QSizeGrip& sizeGrip() const { return *grip_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ClockPane* clock_;
    QSizeGrip* grip_;
};

}  // namespace azimora::shell
