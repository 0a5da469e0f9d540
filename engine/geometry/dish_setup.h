// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// The angle an inclinometer on the face of an offset dish should read.
// (Whether something in front of the dish is in the way: the obstacle
// marks, sky/sky_chart.h.)
namespace azimora {

// A typical offset dish: its beam leaves this many degrees above the
// perpendicular of its face.
inline constexpr double kDefaultOffsetAngle = 22.3;

// The tilt of an offset dish's face for an inclinometer: elevation less the
// offset angle, degrees.
[[nodiscard]] constexpr double DishFaceTilt(double elevation, double offsetAngle = kDefaultOffsetAngle) {
    return elevation - offsetAngle;
}

}  // namespace azimora
