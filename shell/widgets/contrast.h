// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

// Colours that can be told apart from what they are drawn on, by the
// contrast ratio of WCAG 2.1 (its definitions of "relative luminance" and
// "contrast ratio": sRGB linearised, 0.2126 R + 0.7152 G + 0.0722 B,
// (L1 + 0.05) / (L2 + 0.05)).
namespace azimora::shell {

[[nodiscard]] double RelativeLuminance(const QColor& colour);
[[nodiscard]] double ContrastRatio(const QColor& a, const QColor& b);

// The colour itself where it already stands out by the ratio; else moved
// towards white on a dark background (black on a light one), keeping its
// hue as far as it can, just far enough.
[[nodiscard]] QColor WithContrast(const QColor& colour, const QColor& background, double ratio);

}  // namespace azimora::shell
