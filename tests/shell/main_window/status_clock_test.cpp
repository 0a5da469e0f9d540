// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QPaintEvent>
#include <QSizeGrip>
#include <QTest>
#include <QTimer>

#include "main_window/status_clock.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

TEST(ClockFormat, LongDateAndLongTimeWithoutTheZone) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDateTime when(QDate(2026, 12, 6), QTime(9, 16, 5));
    EXPECT_EQ(us.toString(when, LongDateTimeFormat(us)), "Sunday, December 6, 2026 9:16:05 AM");
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_FALSE(german.toString(when, LongDateTimeFormat(german)).contains("UTC"));
}

// Counts the paint events of a widget and the area they cover.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

class Clock : public ::testing::Test {
protected:
    QWidget window;
    StatusBar* bar = new StatusBar(&window);
    QDateTime now{QDate(2026, 12, 6), QTime(9, 16, 5)};
    PaintCounter counter;

    void SetUp() override {
        window.resize(600, 19);
        bar->setGeometry(0, 0, 600, StatusBar::kHeight);
        bar->clock().setTimeSource([this] { return now; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, azimora::testing::kEventBoundMs));
        bar->clock().installEventFilter(&counter);
    }
    void Tick() {
        bar->clock().refresh();
        QCoreApplication::processEvents();
    }
};

TEST_F(Clock, DrawsOnlyWhenItsTextChangesAndThenOnlyTheText) {
    EXPECT_EQ(bar->clock().text(), "Sunday, December 6, 2026 9:16:05 AM");
    now = now.addMSecs(400);  // same second
    Tick();
    EXPECT_EQ(counter.paints, 0);
    now = now.addMSecs(600);
    Tick();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(bar->clock().text(), "Sunday, December 6, 2026 9:16:06 AM");
    EXPECT_TRUE(bar->clock().textArea().contains(counter.painted.boundingRect()));
}

TEST_F(Clock, WithoutSecondsItDrawsOnceAMinute) {
    bar->clock().setFormat("dddd, MMMM d, yyyy h:mm AP");
    QCoreApplication::processEvents();
    counter.paints = 0;
    for (int halfSeconds = 0; halfSeconds < 240; ++halfSeconds) {
        now = now.addMSecs(500);
        Tick();
    }
    EXPECT_EQ(counter.paints, 2);
}

TEST_F(Clock, TextEndsThreePixelsLeftOfTheGripAllowanceAtAnyWidth) {
    for (int width : {600, 750, 420}) {
        bar->resize(width, StatusBar::kHeight);
        EXPECT_EQ(bar->clock().textRight(), width - 1 - 2 - ClockPane::kGripAllowance - 3);
        EXPECT_EQ(bar->sizeGrip().geometry(), QRect(width - StatusBar::kGripWidth, 0, StatusBar::kGripWidth, 19));
    }
}

TEST_F(Clock, AllPanesShareOneTimer) {
    const QTimer* shared = ClockPane::sharedTimer();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->interval(), 500);
    {
        ClockPane another(&window);
        EXPECT_EQ(ClockPane::sharedTimer(), shared);
    }
    EXPECT_EQ(ClockPane::sharedTimer(), shared);
}

TEST_F(Clock, SizeGripHidesWhileMaximised) {
    EXPECT_TRUE(bar->sizeGrip().isVisible());
    window.showMaximized();
    QTRY_VERIFY_WITH_TIMEOUT(window.isMaximized(), azimora::testing::kEventBoundMs);
    EXPECT_FALSE(bar->sizeGrip().isVisible());
    window.showNormal();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isMaximized(), azimora::testing::kEventBoundMs);
    EXPECT_TRUE(bar->sizeGrip().isVisible());
}

}  // namespace
}  // namespace azimora::shell
