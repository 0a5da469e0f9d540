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

// An azimuth or a bearing, clockwise from north: what rounds to 360 at
// these decimals is due north, "0.0", and a value a hair below 0 too.
[[nodiscard]] inline QString AzimuthText(double degrees, int decimals) {
    double turned = std::fmod(degrees, 360.0);
    if (turned < 0) turned += 360;
    QString text = QString::number(turned, 'f', decimals);
    if (text.toDouble() >= 360) text = QString::number(0.0, 'f', decimals);
    return text + QStringLiteral("\u00B0");
}

// "51.08 N", "33.87 S".
[[nodiscard]] inline QString LatitudeText(double latitude, int decimals) {
    return QString::number(std::fabs(latitude), 'f', decimals) +
           (latitude < 0 ? QStringLiteral(" S") : QStringLiteral(" N"));
}

// "114.08 W", "19.20 E".
[[nodiscard]] inline QString LongitudeText(double longitudeWest, int decimals) {
    return QString::number(std::fabs(longitudeWest), 'f', decimals) +
           (longitudeWest < 0 ? QStringLiteral(" E") : QStringLiteral(" W"));
}

}  // namespace azimora::shell
