// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace azimora {

// A direction or a position in an Earth-fixed frame.
struct Vector3 {
    double x = 0;
    double y = 0;
    double z = 0;

    friend constexpr Vector3 operator+(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend constexpr Vector3 operator-(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend constexpr Vector3 operator*(double k, Vector3 v) { return {k * v.x, k * v.y, k * v.z}; }
};

[[nodiscard]] constexpr double Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
[[nodiscard]] constexpr Vector3 Cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
[[nodiscard]] inline double Length(Vector3 v) { return std::sqrt(Dot(v, v)); }
[[nodiscard]] inline Vector3 Normalized(Vector3 v) { return (1 / Length(v)) * v; }

inline constexpr double kDegreesPerRadian = 57.295779513082320876798154814105;
[[nodiscard]] constexpr double Radians(double degrees) { return degrees / kDegreesPerRadian; }
[[nodiscard]] constexpr double Degrees(double radians) { return radians * kDegreesPerRadian; }

// An angle in degrees brought into (-180, 180].
[[nodiscard]] inline double Wrap180(double degrees) {
    double wrapped = std::remainder(degrees, 360.0);
    if (wrapped <= -180) wrapped += 360;
    return wrapped;
}
// An angle in degrees brought into [0, 360).
[[nodiscard]] inline double Wrap360(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360 : wrapped;
}

}  // namespace azimora
