// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "widgets/ui_style.h"

namespace azimora::shell {
namespace {

TEST(Fonts, TahomaAndArialResolveToRealFamilies) {
    EXPECT_EQ(QFontInfo(Tahoma(11)).family(), "Tahoma");
    // Liberation Sans is Arial's metric twin.
    EXPECT_TRUE(QFontInfo(Arial(9)).family() == "Arial" || QFontInfo(Arial(9)).family() == "Liberation Sans")
        << QFontInfo(Arial(9)).family().toStdString();
    EXPECT_EQ(QFontInfo(Tahoma(11)).pixelSize(), 11);
    // Wine's Tahoma measures like the original (DejaVu Sans would give 116).
    EXPECT_LE(QFontMetrics(Tahoma(11)).horizontalAdvance("No satellite selected."), 102);
}

TEST(Colours, FlatBorderRaisesLightnessByThirtyOf240) {
    struct Case {
        QColor shadow, border;
    };
    for (const Case& c : {Case{QColor(128, 128, 128), QColor(159, 159, 159)},
                          Case{QColor(0, 0, 0), QColor(31, 31, 31)},
                          Case{QColor(255, 255, 255), QColor(255, 255, 255)},
                          Case{QColor(160, 160, 160), QColor(192, 192, 192)}}) {
        EXPECT_EQ(RaiseLightness240(c.shadow, 30), c.border) << c.shadow.name().toStdString();
    }
    // A coloured shadow keeps its hue and saturation, give or take rounding.
    const QColor blue = RaiseLightness240(QColor(0, 0, 128), 30);
    EXPECT_EQ(blue.red(), blue.green());
    EXPECT_GT(blue.blue(), 128);
    EXPECT_EQ(RaiseLightness240(QColor(0, 0, 128), 0), QColor(0, 0, 128));
}

}  // namespace
}  // namespace azimora::shell
