// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// Two checks an installer makes on the roof: the angle an inclinometer on
// the face of an offset dish should read, and whether something in front of
// the dish is in the way.
namespace azimora {

// A typical offset dish: its beam leaves this many degrees above the
// perpendicular of its face.
inline constexpr double kDefaultOffsetAngle = 22.3;

// The tilt of an offset dish's face for an inclinometer: elevation less the
// offset angle, degrees.
[[nodiscard]] constexpr double DishFaceTilt(double elevation, double offsetAngle = kDefaultOffsetAngle) {
    return elevation - offsetAngle;
}

struct ObstacleCheck {
    double obstacleElevation = 0;  // degrees: the obstacle's top seen from the dish
    double margin = 0;             // degrees the line of sight passes above it; negative: blocked
    bool clear = false;
};

// An obstacle standing on the dish's azimuth: its top heightMetres above the
// dish, distanceMetres away (horizontally).
[[nodiscard]] ObstacleCheck CheckObstacle(double dishElevation, double heightMetres, double distanceMetres);

}  // namespace azimora
