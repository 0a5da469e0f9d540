// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/geodesic.h"

#include <cmath>

#include "geometry/vector3.h"

namespace azimora {
namespace {

constexpr double kA = kWgs84SemiMajorAxisMetres;
constexpr double kF = kWgs84Flattening;
constexpr double kB = kA * (1 - kF);
constexpr double kConverged = 1e-12;  // radians: about 6 micrometres on the Earth
constexpr int kMostIterations = 200;

// The series coefficients A and B of Vincenty's equations (3) and (4) for u^2.
struct Series {
    double a;
    double b;
};
Series SeriesFor(double cosSquaredAlpha) {
    const double u2 = cosSquaredAlpha * (kA * kA - kB * kB) / (kB * kB);
    return {1 + u2 / 16384 * (4096 + u2 * (-768 + u2 * (320 - 175 * u2))),
            u2 / 1024 * (256 + u2 * (-128 + u2 * (74 - 47 * u2)))};
}

// Vincenty's equation (6): the difference between the arc on the auxiliary
// sphere and the distance over b A.
double DeltaSigma(double b, double sinSigma, double cosSigma, double cos2SigmaM) {
    const double c2 = cos2SigmaM * cos2SigmaM;
    return b * sinSigma *
           (cos2SigmaM + b / 4 *
                             (cosSigma * (-1 + 2 * c2) -
                              b / 6 * cos2SigmaM * (-3 + 4 * sinSigma * sinSigma) * (-3 + 4 * c2)));
}

// Vincenty's equations (10) and (11): longitude on the ellipsoid from that on
// the auxiliary sphere.
double LongitudeCorrection(double sinAlpha, double cosSquaredAlpha, double sigma, double sinSigma, double cosSigma,
                           double cos2SigmaM) {
    const double c = kF / 16 * cosSquaredAlpha * (4 + kF * (4 - 3 * cosSquaredAlpha));
    return (1 - c) * kF * sinAlpha *
           (sigma + c * sinSigma * (cos2SigmaM + c * cosSigma * (-1 + 2 * cos2SigmaM * cos2SigmaM)));
}

}  // namespace

GeodesicEnd GeodesicDirect(double latitude, double longitudeEast, double azimuth, double distanceMetres) {
    const double alpha1 = Radians(azimuth);
    const double sinAlpha1 = std::sin(alpha1), cosAlpha1 = std::cos(alpha1);
    const double tanU1 = (1 - kF) * std::tan(Radians(latitude));
    const double cosU1 = 1 / std::sqrt(1 + tanU1 * tanU1), sinU1 = tanU1 * cosU1;
    const double sigma1 = std::atan2(tanU1, cosAlpha1);
    const double sinAlpha = cosU1 * sinAlpha1;
    const double cosSquaredAlpha = 1 - sinAlpha * sinAlpha;
    const Series series = SeriesFor(cosSquaredAlpha);

    const double first = distanceMetres / (kB * series.a);
    double sigma = first, sinSigma = 0, cosSigma = 1, cos2SigmaM = 1;
    for (int i = 0; i < kMostIterations; ++i) {
        cos2SigmaM = std::cos(2 * sigma1 + sigma);
        sinSigma = std::sin(sigma);
        cosSigma = std::cos(sigma);
        const double next = first + DeltaSigma(series.b, sinSigma, cosSigma, cos2SigmaM);
        const bool done = std::abs(next - sigma) < kConverged;
        sigma = next;
        if (done) break;
    }
    sinSigma = std::sin(sigma);
    cosSigma = std::cos(sigma);
    cos2SigmaM = std::cos(2 * sigma1 + sigma);

    const double across = sinU1 * sinSigma - cosU1 * cosSigma * cosAlpha1;
    const double latitude2 = std::atan2(sinU1 * cosSigma + cosU1 * sinSigma * cosAlpha1,
                                        (1 - kF) * std::sqrt(sinAlpha * sinAlpha + across * across));
    const double lambda = std::atan2(sinSigma * sinAlpha1, cosU1 * cosSigma - sinU1 * sinSigma * cosAlpha1);
    const double l = lambda - LongitudeCorrection(sinAlpha, cosSquaredAlpha, sigma, sinSigma, cosSigma, cos2SigmaM);
    return {Degrees(latitude2), Wrap180(longitudeEast + Degrees(l)), Wrap360(Degrees(std::atan2(sinAlpha, -across)))};
}

std::optional<GeodesicLine> GeodesicInverse(double latitude1, double longitudeEast1, double latitude2,
                                            double longitudeEast2) {
    const double l = Radians(Wrap180(longitudeEast2 - longitudeEast1));
    const double u1 = std::atan((1 - kF) * std::tan(Radians(latitude1)));
    const double u2 = std::atan((1 - kF) * std::tan(Radians(latitude2)));
    const double sinU1 = std::sin(u1), cosU1 = std::cos(u1), sinU2 = std::sin(u2), cosU2 = std::cos(u2);

    double lambda = l, sinLambda = 0, cosLambda = 1, sinSigma = 0, cosSigma = 1, sigma = 0, sinAlpha = 0;
    double cosSquaredAlpha = 1, cos2SigmaM = 0;
    bool converged = false;
    for (int i = 0; i < kMostIterations && !converged; ++i) {
        sinLambda = std::sin(lambda);
        cosLambda = std::cos(lambda);
        const double east = cosU2 * sinLambda;
        const double north = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
        sinSigma = std::sqrt(east * east + north * north);
        if (sinSigma == 0) return GeodesicLine{};  // the same place
        cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
        sigma = std::atan2(sinSigma, cosSigma);
        sinAlpha = cosU1 * cosU2 * sinLambda / sinSigma;
        cosSquaredAlpha = 1 - sinAlpha * sinAlpha;
        // On the equator cos^2(alpha) is 0 and the term drops out (Vincenty's note).
        cos2SigmaM = cosSquaredAlpha != 0 ? cosSigma - 2 * sinU1 * sinU2 / cosSquaredAlpha : 0;
        const double next = l + LongitudeCorrection(sinAlpha, cosSquaredAlpha, sigma, sinSigma, cosSigma, cos2SigmaM);
        converged = std::abs(next - lambda) < kConverged;
        lambda = next;
    }
    if (!converged) return std::nullopt;
    const Series series = SeriesFor(cosSquaredAlpha);
    GeodesicLine line;
    line.distanceMetres = kB * series.a * (sigma - DeltaSigma(series.b, sinSigma, cosSigma, cos2SigmaM));
    line.startAzimuth = Wrap360(Degrees(std::atan2(cosU2 * sinLambda, cosU1 * sinU2 - sinU1 * cosU2 * cosLambda)));
    line.endAzimuth = Wrap360(Degrees(std::atan2(cosU1 * sinLambda, -sinU1 * cosU2 + cosU1 * sinU2 * cosLambda)));
    return line;
}

}  // namespace azimora
