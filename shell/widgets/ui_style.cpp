// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/ui_style.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>

#include "widgets/contrast.h"

namespace azimora::shell {
namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;

struct Hls {
    int hue, lightness, saturation;
};

// The classic integer HLS conversion (0..240 scales) of the desktop colour
// dialogs, so that the derived colour matches theirs to the unit.
Hls ToHls(const QColor& c) {
    const int r = c.red(), g = c.green(), b = c.blue();
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    Hls hls{};
    hls.lightness = ((maxC + minC) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (maxC == minC) {
        hls.saturation = 0;
        hls.hue = kHlsMax * 2 / 3;  // undefined; the usual convention
        return hls;
    }
    const int span = maxC - minC;
    if (hls.lightness <= kHlsMax / 2) {
        hls.saturation = (span * kHlsMax + (maxC + minC) / 2) / (maxC + minC);
    } else {
        hls.saturation = (span * kHlsMax + (2 * kRgbMax - maxC - minC) / 2) / (2 * kRgbMax - maxC - minC);
    }
    const int rDelta = ((maxC - r) * (kHlsMax / 6) + span / 2) / span;
    const int gDelta = ((maxC - g) * (kHlsMax / 6) + span / 2) / span;
    const int bDelta = ((maxC - b) * (kHlsMax / 6) + span / 2) / span;
    if (r == maxC) {
        hls.hue = bDelta - gDelta;
    } else if (g == maxC) {
        hls.hue = kHlsMax / 3 + rDelta - bDelta;
    } else {
        hls.hue = 2 * kHlsMax / 3 + gDelta - rDelta;
    }
    if (hls.hue < 0) hls.hue += kHlsMax;
    if (hls.hue > kHlsMax) hls.hue -= kHlsMax;
    return hls;
}

int HueToRgb(int n1, int n2, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6) return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2) return n2;
    if (hue < kHlsMax * 2 / 3) return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

QColor FromHls(const Hls& hls) {
    if (hls.saturation == 0) {
        const int grey = hls.lightness * kRgbMax / kHlsMax;
        return {grey, grey, grey};
    }
    const int l = hls.lightness, s = hls.saturation;
    const int magic2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                        : l + s - ((l * s) + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * l - magic2;
    auto channel = [&](int hue) {
        return std::clamp((HueToRgb(magic1, magic2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
    };
    return {channel(hls.hue + kHlsMax / 3), channel(hls.hue), channel(hls.hue - kHlsMax / 3)};
}

}  // namespace

void RegisterBundledFonts() {
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(QString::fromLatin1(file))) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

void PreloadWindowFonts() {
    struct Face {
        const char* family;
        int pixels;
        bool bold;
    };
    for (const Face& face : {Face{"Tahoma", 9, false}, Face{"Tahoma", 11, false}, Face{"Tahoma", 13, false},
                             Face{"Arial", 9, false}, Face{"Arial", 9, true}})
        (void)QFontMetrics(PixelFont(QString::fromLatin1(face.family), face.pixels, face.bold)).horizontalAdvance(u'0');
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QColor RaiseLightness240(const QColor& colour, int steps) {
    Hls hls = ToHls(colour);
    hls.lightness = std::clamp(hls.lightness + steps, 0, kHlsMax);
    return FromHls(hls);
}

QColor FlatBorderColour(const QPalette& palette) { return RaiseLightness240(ButtonShadow(palette), 30); }

bool HasDarkFace(const QPalette& palette) { return ButtonFace(palette).lightness() < 128; }

QColor ListingTextColour(const QPalette& palette) {
    return HasDarkFace(palette) ? palette.color(QPalette::ButtonText) : QColor(Qt::black);
}

QColor HotItemColour(const QPalette& palette) {
    if (!HasDarkFace(palette)) return kHotItemColour;
    // The scheme's link colour, lightened towards white until it reads on the face.
    constexpr double kReadable = 4.5;
    QColor colour = palette.color(QPalette::Link);
    for (int step = 0; step < 10 && ContrastRatio(colour, ButtonFace(palette)) < kReadable; ++step) {
        colour = QColor::fromRgbF(colour.redF() + (1 - colour.redF()) / 4, colour.greenF() + (1 - colour.greenF()) / 4,
                                  colour.blueF() + (1 - colour.blueF()) / 4);
    }
    return colour;
}

QColor LabelShadowColour(const QPalette& palette) {
    if (!HasDarkFace(palette)) return kLabelShadowColour;
    // Below the face, as a shadow is; schemes differ in which role holds a
    // darker colour (qt6ct's "darker" has a light Shadow role).
    const QColor dark = ButtonShadow(palette);
    return dark.lightness() < ButtonFace(palette).lightness() ? dark : QColor(Qt::black);
}

}  // namespace azimora::shell
