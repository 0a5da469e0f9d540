// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Names and queries made alike for searching, the one folding every front
// uses (the window's Find Location, the phone's page): "Zürich", "ZURICH"
// and "zurich" fold alike; so do "Tromsø" and "tromso", "Łódź" and "lodz",
// "Faßberg" and "fassberg". Each character becomes its compatibility
// decomposition (Unicode NFKD), case folded, without its non-spacing marks;
// letters no decomposition takes apart are spelt out (ß ss, æ ae, œ oe,
// ø o, ł l, đ d, ı i, ħ h, ð d, þ th); runs of blanks become one blank, none
// at either end. Bytes that are no UTF-8 stand for U+FFFD, as they would in
// a window's text.
namespace azimora {

[[nodiscard]] std::string FoldForSearch(std::string_view utf8);

}  // namespace azimora
