// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

// A place's coordinates as people write them:
//   51.0833 N 114.0833 W        decimal degrees with hemispheres
//   51 05 N 114 05 W            degrees and minutes (and seconds)
//   51°05'N 114°05'W            with degree, minute and second marks
//   N51 05 W114 05              hemisphere first
//   51.0447, -114.0719          signed decimals as maps give them: east positive
//   51,0833 N 114,0833 W        a decimal comma, where a comma cannot part the two
// Degree, minute and second marks may be typed or curled by a phone's
// keyboard (’ ”); a minus sign may be the typographic one (U+2212).
namespace azimora {

struct GeoCoordinates {
    double latitude = 0;       // north positive
    double longitudeWest = 0;  // west positive, as the window takes it
};

[[nodiscard]] std::optional<GeoCoordinates> ParseCoordinates(std::string_view text);

// One angle as people write it, in a box of its own: "54.6N", "5.9 W",
// "N 54.6", "54 36 N", "54°36'12\"N", "54,6N", "19.2E", or a bare number.
// Bare numbers keep the program's convention (north and west positive); a
// letter of the other side turns the sign ("-5.9E" is 5.9 W). letters: "NS"
// for a latitude, "EW" for a longitude. A comma is a decimal point here:
// there is nothing for it to part.
[[nodiscard]] std::optional<double> ParseAngle(std::string_view text, std::string_view letters);

}  // namespace azimora
