// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/shown_numbers.h"

#include <cmath>

#include "text/number_text.h"

// Every number through FormatFixed: '.' whatever the C library's locale,
// which the desktop's toolkit sets to the user's.
namespace azimora {
namespace {

std::string DegreeUnit(DegreeSign sign) { return sign == DegreeSign::Symbol ? "\u00B0" : " deg"; }

}  // namespace

bool RoundsToZero(double value, int decimals) {
    return FormatFixed(std::fabs(value), decimals) == FormatFixed(0, decimals);
}

std::string FixedText(double value, int decimals) {
    return FormatFixed(RoundsToZero(value, decimals) ? 0.0 : value, decimals);
}

std::string DegreesText(double value, int decimals, DegreeSign sign) { return FixedText(value, decimals) + DegreeUnit(sign); }

double BearingNumber(double degrees) {
    double turned = std::fmod(degrees, 360.0);
    if (turned < 0) turned += 360;
    return turned >= 360 ? 0 : turned;
}

std::string BearingText(double degrees, int decimals, DegreeSign sign) {
    const double turned = BearingNumber(degrees);
    // 359.999 shows as 360.00, which is due north.
    const bool north = FormatFixed(turned, decimals) == FormatFixed(360, decimals);
    return FixedText(north ? 0.0 : turned, decimals) + DegreeUnit(sign);
}

std::string LatitudeText(double north, int decimals) {
    if (RoundsToZero(north, decimals)) return FixedText(0, decimals);
    return FormatFixed(std::fabs(north), decimals) + (north < 0 ? " S" : " N");
}

std::string LongitudeText(double west, int decimals) {
    double turned = std::fmod(west, 360.0);
    if (turned > 180) turned -= 360;
    if (turned <= -180) turned += 360;
    if (RoundsToZero(turned, decimals)) return FixedText(0, decimals);
    return FormatFixed(std::fabs(turned), decimals) + (turned < 0 ? " E" : " W");
}

std::string SidedDegreesText(double value, int decimals, const char* positive, const char* negative, DegreeSign sign) {
    if (RoundsToZero(value, decimals)) return DegreesText(0, decimals, sign);
    return DegreesText(std::fabs(value), decimals, sign) + ' ' + (value < 0 ? negative : positive);
}

std::string WithDegreeWord(std::string text) {
    const std::string symbol = "\u00B0";
    for (std::size_t at = text.find(symbol); at != std::string::npos; at = text.find(symbol, at))
        text.replace(at, symbol.size(), " deg");
    return text;
}

bool SkewIsNone(double skew) { return RoundsToZero(skew, kSkewDecimals); }

bool FaceIsUpright(double tilt) { return RoundsToZero(tilt, kTiltDecimals); }

}  // namespace azimora
