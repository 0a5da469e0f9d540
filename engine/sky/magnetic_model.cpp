// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/magnetic_model.h"

#include <array>
#include <cmath>

#include "geometry/vector3.h"

namespace azimora {
namespace {

// WGS 84, in km, and the model's reference radius.
constexpr double kWgs84SemiMajorAxis = 6378.137;
constexpr double kWgs84Flattening = 1 / 298.257223563;
constexpr double kReferenceRadius = 6371.2;
constexpr double kValidityYears = 5;

constexpr int kMaxDegree = 12;
using Table = std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1>;

// Schmidt semi-normalised associated Legendre functions P[n][m](cos theta)
// and their derivatives with respect to the colatitude theta.
void Legendre(double cosTheta, double sinTheta, int maxDegree, Table& p, Table& dp) {
    p = {};
    dp = {};
    p[0][0] = 1;
    for (int n = 1; n <= maxDegree; ++n) {
        // The diagonal: P[1][1] = sin(theta); then by sqrt((2n-1)/2n).
        const double k = n == 1 ? 1 : std::sqrt((2.0 * n - 1) / (2.0 * n));
        p[n][n] = k * sinTheta * p[n - 1][n - 1];
        dp[n][n] = k * (cosTheta * p[n - 1][n - 1] + sinTheta * dp[n - 1][n - 1]);
        for (int m = 0; m < n; ++m) {
            const double previous = (2.0 * n - 1) / std::sqrt(double(n * n - m * m));
            const double before = n >= m + 2 ? std::sqrt(double((n - 1) * (n - 1) - m * m) / double(n * n - m * m)) : 0;
            p[n][m] = previous * cosTheta * p[n - 1][m] - (n >= m + 2 ? before * p[n - 2][m] : 0);
            dp[n][m] = previous * (cosTheta * dp[n - 1][m] - sinTheta * p[n - 1][m]) -
                       (n >= m + 2 ? before * dp[n - 2][m] : 0);
        }
    }
}

}  // namespace

MagneticField ComputeMagneticField(const MagneticModelData& model, double latitude, double longitudeWest,
                                   double altitudeKm, double decimalYear) {
    // Geodetic to geocentric spherical coordinates.
    const double e2 = kWgs84Flattening * (2 - kWgs84Flattening);
    const double phi = Radians(latitude);
    const double rc = kWgs84SemiMajorAxis / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
    const double p = (rc + altitudeKm) * std::cos(phi);
    const double z = (rc * (1 - e2) + altitudeKm) * std::sin(phi);
    const double r = std::hypot(p, z);
    const double geocentricLatitude = std::asin(z / r);
    const double lambda = Radians(-longitudeWest);

    const double cosTheta = std::sin(geocentricLatitude);
    // At a pole the east component's division has no limit of its own; a
    // hair's breadth away it has.
    const double sinTheta = std::max(std::cos(geocentricLatitude), 1e-12);
    const int maxDegree = std::min(model.maxDegree, kMaxDegree);
    Table legendre;
    Table derivative;
    Legendre(cosTheta, sinTheta, maxDegree, legendre, derivative);

    const double years = decimalYear - model.epoch;
    double north = 0, east = 0, down = 0;
    for (const MagneticCoefficient& term : model.coefficients) {
        if (term.n < 1 || term.n > maxDegree || term.m > term.n) continue;
        const double g = term.g + years * term.dg;
        const double h = term.h + years * term.dh;
        const double scale = std::pow(kReferenceRadius / r, term.n + 2);
        const double cosM = std::cos(term.m * lambda), sinM = std::sin(term.m * lambda);
        const double along = g * cosM + h * sinM;
        north += scale * along * derivative[term.n][term.m];
        east += scale * term.m * (g * sinM - h * cosM) * legendre[term.n][term.m] / sinTheta;
        down -= scale * (term.n + 1) * along * legendre[term.n][term.m];
    }

    // From the geocentric to the geodetic horizon.
    const double psi = geocentricLatitude - phi;
    MagneticField field;
    field.north = north * std::cos(psi) - down * std::sin(psi);
    field.east = east;
    field.down = north * std::sin(psi) + down * std::cos(psi);
    field.declination = Degrees(std::atan2(field.east, field.north));
    field.inclination = Degrees(std::atan2(field.down, std::hypot(field.north, field.east)));
    field.model = model.name;
    field.validFrom = model.epoch;
    field.validTo = model.epoch + kValidityYears;
    field.valid = decimalYear >= field.validFrom && decimalYear <= field.validTo;
    return field;
}

double CompassBearing(double azimuth, double declination) {
    const double bearing = Wrap360(azimuth - declination);
    return bearing == 0 ? 360 : bearing;
}

}  // namespace azimora
