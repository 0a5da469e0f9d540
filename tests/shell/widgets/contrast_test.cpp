// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Contrast ratios against WCAG 2.1's published values, and the LNB dial's
// hand seen on the dark palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>

#include "assistant/point_here.h"
#include "widgets/contrast.h"

namespace azimora::shell {
namespace {

TEST(Contrast, RatiosAsWcagGivesThem) {
    struct Case {
        const char* a;
        const char* b;
        double ratio;
        double tolerance;
    };
    // White on black 21:1 (WCAG 2.1, "contrast ratio"); #767676 on white is
    // the lightest grey reaching 4.5:1 (4.54); #777777 falls short (4.48).
    // The dark palette's highlight on its window, 2.4:1 as reported.
    for (const Case& c : {Case{"#ffffff", "#000000", 21.0, 1e-9}, Case{"#767676", "#ffffff", 4.54, 0.005},
                          Case{"#777777", "#ffffff", 4.48, 0.005}, Case{"#12608a", "#222020", 2.4, 0.05},
                          Case{"#000000", "#000000", 1.0, 1e-9}}) {
        EXPECT_NEAR(ContrastRatio(QColor(c.a), QColor(c.b)), c.ratio, c.tolerance) << c.a << " on " << c.b;
    }
}

TEST(Contrast, AColourMovesOnlyAsFarAsItMust) {
    for (const char* background : {"#222020", "#ffffff", "#000000", "#808080", "#12608a"}) {
        for (const char* colour : {"#12608a", "#d22828", "#ffff00", "#202020"}) {
            const QColor moved = WithContrast(QColor(colour), QColor(background), 4.5);
            EXPECT_GE(ContrastRatio(moved, QColor(background)), 4.5) << colour << " on " << background;
            if (ContrastRatio(QColor(colour), QColor(background)) >= 4.5)
                EXPECT_EQ(moved, QColor(colour)) << colour << " on " << background;
            else
                EXPECT_LT(ContrastRatio(moved, QColor(background)), 4.6) << colour << " on " << background;
        }
    }
}

// The hand's pixels on the dark palette: the most contrasting colour the
// dial draws in the highlight's hue stands 4.5:1 from the window.
TEST(Contrast, TheLnbHandStandsOutOnTheDarkPalette) {
    PointHereWidget widget(nullptr);
    QPalette dark;
    dark.setColor(QPalette::Window, QColor("#222020"));
    dark.setColor(QPalette::WindowText, QColor("#e8e6e3"));
    dark.setColor(QPalette::PlaceholderText, QColor("#8a8886"));
    dark.setColor(QPalette::Highlight, QColor("#12608a"));
    widget.setPalette(dark);
    widget.setAutoFillBackground(true);
    widget.resize(480, 120);
    PointHereFigures figures;
    figures.azimuth = 171.31;
    figures.compassBearing = 156.84;
    figures.elevation = 31.19;
    figures.skew = -5.5;
    figures.lnbWords = QStringLiteral("turn the LNB 5.5\u00B0 counter-clockwise");
    widget.show(figures);
    const QImage image = widget.grab().toImage();
    // Blue-dominated pixels are the hand's (the text is grey, the warning red).
    double best = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() < c.red() + 40 || c.blue() < c.green() + 10) continue;
            ++blue;
            best = std::max(best, ContrastRatio(c, QColor("#222020")));
        }
    }
    ASSERT_GT(blue, 20) << "no hand drawn";
    EXPECT_GE(best, 4.5);
}

}  // namespace
}  // namespace azimora::shell
