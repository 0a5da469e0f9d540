// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/earth_model.h"

namespace azimora {

Vector3 SitePosition(const EarthGeometry& earth, double latitude, double longitudeWest) {
    const double phi = Radians(latitude);
    const double lambda = Radians(-longitudeWest);
    // Radius of curvature in the prime vertical.
    const double n = earth.equatorialRadius / std::sqrt(1 - earth.eccentricitySquared * std::sin(phi) * std::sin(phi));
    return {n * std::cos(phi) * std::cos(lambda), n * std::cos(phi) * std::sin(lambda),
            n * (1 - earth.eccentricitySquared) * std::sin(phi)};
}

Vector3 GeostationaryPosition(const EarthGeometry& earth, double satelliteLongitudeWest) {
    const double lambda = Radians(-satelliteLongitudeWest);
    return {earth.orbitRadius * std::cos(lambda), earth.orbitRadius * std::sin(lambda), 0};
}

LocalFrame LocalFrameAt(double latitude, double longitudeWest) {
    const double phi = Radians(latitude);
    const double lambda = Radians(-longitudeWest);
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);
    return {{-sinLambda, cosLambda, 0},
            {-sinPhi * cosLambda, -sinPhi * sinLambda, cosPhi},
            {cosPhi * cosLambda, cosPhi * sinLambda, sinPhi}};
}

}  // namespace azimora
