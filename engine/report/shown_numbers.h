// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Numbers as every front shows them to a person, one rule for each edge:
// a value that rounds to zero at the digits shown has no sign and no side,
// a bearing that rounds to 360 is due north, 0. (The main window's own
// texts keep their general format: controller/window_texts.h.)
namespace azimora {

// How a front writes degrees: "12.3°" (the windows, the page, the report's
// words) or "12.3 deg" (azimora-calc's table, which stays ASCII).
enum class DegreeSign { Symbol, Word };
// A text of the report's words with the degree sign spelt "deg", for an
// ASCII front: "turn the LNB 5.5 deg clockwise".
[[nodiscard]] std::string WithDegreeWord(std::string text);

// "%.*f", and never "-0.00": what rounds to zero carries no sign.
[[nodiscard]] std::string FixedText(double value, int decimals);
// Whether a value shows as zero at these decimals, either sign.
[[nodiscard]] bool RoundsToZero(double value, int decimals);

[[nodiscard]] std::string DegreesText(double value, int decimals, DegreeSign sign = DegreeSign::Symbol);
// A bearing, clockwise from north, for a program: in [0, 360), due north 0.
[[nodiscard]] double BearingNumber(double degrees);
// A bearing for a person: what rounds to 360.00 at these decimals is 0.00.
[[nodiscard]] std::string BearingText(double degrees, int decimals, DegreeSign sign = DegreeSign::Symbol);

// "51.08 N", "33.87 S", "0.00" (no side for what rounds to zero).
[[nodiscard]] std::string LatitudeText(double north, int decimals);
// West positive, of any turn, written within 180 of Greenwich: "114.08 W",
// "19.20 E", "68.50 E" for 291.5, "0.00".
[[nodiscard]] std::string LongitudeText(double west, int decimals);
// A signed angle by its side: "13.38° E" for positive with 'E' and 'W'
// given, "0.00°" without one.
[[nodiscard]] std::string SidedDegreesText(double value, int decimals, const char* positive, const char* negative,
                                           DegreeSign sign = DegreeSign::Symbol);

// The LNB's skew is set by hand to a tenth of a degree: a skew that shows as
// 0.0 is none, and the LNB stays upright.
inline constexpr int kSkewDecimals = 1;
[[nodiscard]] bool SkewIsNone(double skew);
// An inclinometer reads the face's tilt to a hundredth: 0.00 is upright.
inline constexpr int kTiltDecimals = 2;
[[nodiscard]] bool FaceIsUpright(double tilt);

}  // namespace azimora
