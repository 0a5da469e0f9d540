// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/pointing.h"

#include <cmath>

#include "errors.h"
#include "geometry/earth_model.h"
#include "geometry/fast_trig.h"
#include "text/number_text.h"

namespace azimora {
namespace {

// Our own digits: libc++ 13 writes std::numbers::pi_v<long double> with a
// double literal (llvm-project issue 188079), good to 16 digits only.
constexpr long double kPi = 3.141592653589793238462643383279502884L;

long double ToRadians(long double degrees) { return degrees * kPi / 180; }
long double ToDegrees(long double radians) { return radians * 180 / kPi; }

[[noreturn]] void ThrowInvalidOperation() { throw MathError("Invalid floating point operation"); }

}  // namespace

PointingResult CalculatePointing(const PointingInputs& inputs) {
    const long double phi = ToRadians(inputs.Latitude);
    const long double delta = ToRadians(inputs.SatLongitude - inputs.Longitude);
    // An enormous angle overflows on conversion; the trigonometry of an
    // infinity would only give NaN.
    if (!std::isfinite(phi) || !std::isfinite(delta)) ThrowInvalidOperation();

    long double sinPhi;
    long double cosPhi;
    SinCos(phi, sinPhi, cosPhi);
    long double sinDelta;
    long double cosDelta;
    SinCos(delta, sinDelta, cosDelta);
    const long double height = inputs.Height;

    // Observer on the ellipsoid: radius of curvature, distance from the axis,
    // height above the equatorial plane.
    const long double n = kEquatorialRadius / std::sqrt(1 - kEccentricitySquared * (sinPhi * sinPhi));
    const long double rho = (n + height) * cosPhi;
    const long double z = (kPolarFactor * kPolarFactor * n + height) * sinPhi;

    // Observer-to-satellite vector, first axis in the observer's meridian plane.
    const long double dx = kOrbitRadius * cosDelta - rho;
    const long double dy = kOrbitRadius * sinDelta;
    const long double dz = -z;

    // Rotated into the observer's horizon; dy is already the east component.
    const long double north = -sinPhi * dx + cosPhi * dz;
    const long double up = cosPhi * dx + sinPhi * dz;

    const long double bearing = ToDegrees(std::atan2(dy, north));
    long double azimuth = (720 - bearing) - 360;
    if (!std::isfinite(azimuth)) ThrowInvalidOperation();
    while (azimuth > 360) azimuth -= 360;

    const long double horizontal = std::sqrt(north * north + dy * dy);
    long double elevation;
    if (horizontal == 0) {
        // Satellite straight overhead (observer on the equator under it).
        elevation = up > 0 ? 90 : -90;
    } else {
        elevation = ToDegrees(std::atan2(up / horizontal, 1.0L));
    }
    if (!std::isfinite(elevation)) ThrowInvalidOperation();

    return PointingResult{azimuth, elevation};
}

std::string AzimuthText(const PointingResult& result) { return FormatGeneral(result.Azimuth); }

std::string ElevationText(const PointingResult& result) {
    return result.Elevation > kHorizonThreshold ? FormatGeneral(result.Elevation) : kBelowHorizonText;
}

}  // namespace azimora
