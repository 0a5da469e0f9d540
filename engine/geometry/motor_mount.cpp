// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/motor_mount.h"

namespace azimora {

MotorMount MotorMountFor(double latitude, double longitudeWest, double satelliteLongitudeWest,
                         const EarthGeometry& earth) {
    const Vector3 site = SitePosition(earth, latitude, longitudeWest);
    const double rho = std::hypot(site.x, site.y);  // distance from the Earth's axis
    const double eastOfSite = Radians(Wrap180(longitudeWest - satelliteLongitudeWest));
    const double hourAngleEast =
        std::atan2(earth.orbitRadius * std::sin(eastOfSite), earth.orbitRadius * std::cos(eastOfSite) - rho);
    MotorMount mount;
    mount.motorAngle = -Degrees(hourAngleEast);
    mount.declinationOffset = Degrees(std::atan2(std::fabs(site.z), earth.orbitRadius - rho));
    return mount;
}

}  // namespace azimora
