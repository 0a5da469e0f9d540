// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// Fonts and colours shared by the window's widgets. Sizes are character
// heights in pixels (11 px is 8 pt at 96 DPI); Qt scales them with the
// screen's device pixel ratio along with all geometry.
namespace azimora::shell {

// Makes Wine's Tahoma (Debian's fonts-wine, outside fontconfig's folders)
// known to Qt. Without it "Tahoma" falls back to a wider face.
void RegisterBundledFonts();

// Loads the fonts the main window draws with (Tahoma and Arial at their
// pixel sizes), so that creating the window finds them ready.
void PreloadWindowFonts();

[[nodiscard]] QFont PixelFont(const QString& family, int pixels, bool bold = false);
[[nodiscard]] inline QFont Tahoma(int pixels, bool bold = false) { return PixelFont(QStringLiteral("Tahoma"), pixels, bold); }
[[nodiscard]] inline QFont Arial(int pixels, bool bold = false) { return PixelFont(QStringLiteral("Arial"), pixels, bold); }

// The button-shadow colour with its lightness raised by 30 on the 0-240
// HLS scale: RGB(128,128,128) gives RGB(159,159,159).
[[nodiscard]] QColor FlatBorderColour(const QPalette& palette);
[[nodiscard]] QColor RaiseLightness240(const QColor& colour, int steps);

// System colour roles as the classic desktop names them.
[[nodiscard]] inline QColor ButtonFace(const QPalette& p) { return p.color(QPalette::Button); }
[[nodiscard]] inline QColor ButtonShadow(const QPalette& p) { return p.color(QPalette::Dark); }
[[nodiscard]] inline QColor ButtonHighlight(const QPalette& p) { return p.color(QPalette::Light); }
[[nodiscard]] inline QColor WindowFrame(const QPalette& p) { return p.color(QPalette::Shadow); }

inline const QColor kLabelShadowColour{181, 181, 181};
inline const QColor kHotItemColour{0, 0, 255};

// Under a dark colour scheme (a button face darker than mid grey) the
// classic colours, chosen for a light face, would be unreadable: these take
// the palette's own instead, and keep the classic ones on a light face.
[[nodiscard]] bool HasDarkFace(const QPalette& palette);
// Listing items: black, or the button text on a dark face.
[[nodiscard]] QColor ListingTextColour(const QPalette& palette);
// The item under the pointer: blue, or the palette's link colour on a dark face.
[[nodiscard]] QColor HotItemColour(const QPalette& palette);
// Label shadows: light grey, or a colour darker than a dark face.
[[nodiscard]] QColor LabelShadowColour(const QPalette& palette);

}  // namespace azimora::shell
