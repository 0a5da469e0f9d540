// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "controller/window_texts.h"

// When a satellite counts as seen from a site, wherever the tool says so:
// one threshold for every figure, word and front.
namespace azimora {

// Degrees of elevation a satellite must stand above to count as seen.
// Within a degree of the horizon the line of sight grazes terrain,
// buildings and the thickest air: a dish there loses its signal to
// obstruction, refraction and fading. The main window's "Below Horizon!"
// says the same, so no front calls visible what the window calls below.
inline constexpr double kVisibleAboveDegrees = 1.0;
static_assert(kVisibleAboveDegrees == kHorizonThreshold, "the report and the main window see alike");

[[nodiscard]] constexpr bool IsVisible(double elevation) noexcept { return elevation > kVisibleAboveDegrees; }

}  // namespace azimora
