// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/status_clock.h"

#include <QPainter>
#include <QPaintEvent>
#include <QSizeGrip>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include "widgets/pixel_frame.h"
#include "widgets/ui_style.h"

namespace azimora::shell {
namespace {

// The one refresh timer of all clock panes: made with the first pane,
// freed with the last.
struct SharedClockTimer {
    std::unique_ptr<QTimer> timer;
    std::vector<ClockPane*> panes;
};

SharedClockTimer& Shared() {
    static SharedClockTimer shared;
    return shared;
}

void Subscribe(ClockPane* pane) {
    SharedClockTimer& shared = Shared();
    if (!shared.timer) {
        shared.timer = std::make_unique<QTimer>();
        shared.timer->setInterval(ClockPane::kRefreshMilliseconds);
        QObject::connect(shared.timer.get(), &QTimer::timeout, [] {
            const auto panes = Shared().panes;  // copied: a pane may go while we loop
            for (ClockPane* p : panes)
                if (p->isVisible()) p->refresh();
        });
        shared.timer->start();
    }
    shared.panes.push_back(pane);
}

void Unsubscribe(ClockPane* pane) {
    SharedClockTimer& shared = Shared();
    std::erase(shared.panes, pane);
    if (shared.panes.empty()) shared.timer.reset();
}

// Removes the time-zone fields ("t", "tt", ...) from a Qt time format,
// outside quoted text, with the blanks they leave.
QString WithoutTimeZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        result += c;
    }
    return result.simplified();
}

}  // namespace

QString LongDateTimeFormat(const QLocale& locale) {
    return locale.dateFormat(QLocale::LongFormat) + u' ' + WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

ClockPane::ClockPane(QWidget* parent)
    : QWidget(parent), format_(LongDateTimeFormat(QLocale())), now_([] { return QDateTime::currentDateTime(); }) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    text_ = formattedNow();
    Subscribe(this);
}

ClockPane::~ClockPane() { Unsubscribe(this); }

const QTimer* ClockPane::sharedTimer() { return Shared().timer.get(); }

void ClockPane::setTimeSource(std::function<QDateTime()> source) {
    now_ = std::move(source);
    refresh();
}

void ClockPane::setFormat(const QString& format) {
    format_ = format;
    refresh();
}

QString ClockPane::formattedNow() const { return QLocale().toString(now_(), format_); }

QRect ClockPane::textArea() const { return rect().adjusted(2, 2, -2 - kGripAllowance, -2); }

void ClockPane::refresh() {
    QString text = formattedNow();
    if (text == text_) return;
    text_ = std::move(text);
    update(textArea());
}

void ClockPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = textArea();
    if (!area.contains(event->rect())) {
        // A whole repaint: fill and frame, one pixel inside, corners left out.
        painter.fillRect(rect(), ButtonFace(palette()));
        DrawFlatFrame(painter, rect(), FlatBorderColour(palette()), {.inset = 1, .cornersLeftOut = true});
    } else {
        painter.fillRect(area, ButtonFace(palette()));
    }
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const int textHeight = metrics.boundingRect(QStringLiteral("Pp")).height();
    const int top = area.top() + (area.height() - textHeight) / 2;
    const QRect textRect(area.left(), top, area.width() - 3, textHeight);
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent), clock_(new ClockPane(this)), grip_(new QSizeGrip(this)) {
    clock_->setObjectName(QStringLiteral("RzClockStatus1"));
    grip_->setObjectName(QStringLiteral("SizeGrip"));
}

void StatusBar::resizeEvent(QResizeEvent*) {
    clock_->setGeometry(rect());
    grip_->setGeometry(width() - kGripWidth, 0, kGripWidth, height());
    grip_->raise();
}

}  // namespace azimora::shell
