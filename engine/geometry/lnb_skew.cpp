// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/lnb_skew.h"

#include <limits>

namespace azimora {

double LnbSkew(double latitude, double longitudeWest, double satelliteLongitudeWest, const EarthGeometry& earth) {
    const Vector3 site = SitePosition(earth, latitude, longitudeWest);
    const Vector3 forward = Normalized(GeostationaryPosition(earth, satelliteLongitudeWest) - site);
    const Vector3 normal = LocalFrameAt(latitude, longitudeWest).up;
    // The view from behind the dish: "up" is the ellipsoid normal seen across
    // the line of sight, "right" follows from looking forward.
    // Straight under the satellite the line of sight is the normal itself:
    // no "up" across it, and no skew (NaN, not an angle of rounding noise).
    const Vector3 across = normal - Dot(normal, forward) * forward;
    if (Length(across) < 1e-9) return std::numeric_limits<double>::quiet_NaN();
    const Vector3 up = Normalized(across);
    const Vector3 right = Cross(forward, up);
    const Vector3 axis{0, 0, 1};
    const double skew = Degrees(std::atan2(Dot(axis, right), Dot(axis, up)));
    // A plane has no direction: the same line at +-180.
    if (skew > 90) return skew - 180;
    if (skew <= -90) return skew + 180;
    return skew;
}

}  // namespace azimora
