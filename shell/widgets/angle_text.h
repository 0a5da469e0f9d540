// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cmath>

// Angles as the assistant's windows show them: '.' as the decimal point,
// a degree sign, hemispheres by letter (longitudes are west positive).
namespace azimora::shell {

[[nodiscard]] inline QString DegreesText(double degrees, int decimals) {
    return QString::number(degrees, 'f', decimals) + QStringLiteral("\u00B0");
}

// "51.08 N", "33.87 S".
[[nodiscard]] inline QString LatitudeText(double north, int decimals) {
    return QString::number(std::fabs(north), 'f', decimals) + (north < 0 ? QStringLiteral(" S") : QStringLiteral(" N"));
}

// "114.08 W", "19.20 E".
[[nodiscard]] inline QString LongitudeText(double west, int decimals) {
    return QString::number(std::fabs(west), 'f', decimals) + (west < 0 ? QStringLiteral(" E") : QStringLiteral(" W"));
}

}  // namespace azimora::shell
