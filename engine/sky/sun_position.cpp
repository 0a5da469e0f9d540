// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/sun_position.h"

#include <algorithm>
#include <cmath>

#include "geometry/earth_model.h"

namespace azimora {
namespace {

// Terrestrial minus universal time through the 2020s (IERS: 69.2 s in 2025);
// a minute's error moves the sun by 0.0007 degree.
constexpr double kDeltaTSeconds = 69.2;

struct SolarTerms {
    double apparentLongitude;  // degrees
    double obliquity;          // true obliquity, degrees
    double nutationInLongitude;
};

SolarTerms Terms(double julianEphemerisDay) {
    const double t = (julianEphemerisDay - 2451545.0) / 36525;  // centuries from J2000.0
    const double meanLongitude = 280.46646 + t * (36000.76983 + t * 0.0003032);  // (25.2)
    const double meanAnomaly = Radians(357.52911 + t * (35999.05029 - t * 0.0001537));  // (25.3)
    const double centre = (1.914602 - t * (0.004817 + t * 0.000014)) * std::sin(meanAnomaly) +
                          (0.019993 - t * 0.000101) * std::sin(2 * meanAnomaly) +
                          0.000289 * std::sin(3 * meanAnomaly);
    const double omega = Radians(125.04 - 1934.136 * t);
    const double trueLongitude = meanLongitude + centre;
    // Nutation (-0.00478 sin omega) and aberration (-0.00569) of chapter 25.
    const double nutation = -0.00478 * std::sin(omega);
    const double apparent = trueLongitude - 0.00569 + nutation;
    // Mean obliquity (22.2) and its correction for the apparent place (25.8).
    const double meanObliquity =
        23.0 + 26.0 / 60 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) / 3600;
    return {apparent, meanObliquity + 0.00256 * std::cos(omega), nutation};
}

}  // namespace

SunCoordinates SunAtJulianEphemerisDay(double julianEphemerisDay) {
    const SolarTerms terms = Terms(julianEphemerisDay);
    const double lambda = Radians(terms.apparentLongitude);
    const double epsilon = Radians(terms.obliquity);
    return {Wrap360(Degrees(std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)))),
            Degrees(std::asin(std::sin(epsilon) * std::sin(lambda)))};
}

double ApparentSiderealTime(double julianDay) {
    const double t = (julianDay - 2451545.0) / 36525;
    // Mean sidereal time (12.4), then the equation of the equinoxes.
    const double mean = 280.46061837 + 360.98564736629 * (julianDay - 2451545.0) + t * t * (0.000387933 - t / 38710000);
    const SolarTerms terms = Terms(julianDay);
    return Wrap360(mean + terms.nutationInLongitude * std::cos(Radians(terms.obliquity)));
}

Vector3 SunDirection(UnixSeconds instant) {
    const double julianDay = JulianDay(instant);
    const SunCoordinates sun = SunAtJulianEphemerisDay(julianDay + kDeltaTSeconds / kSecondsPerDay);
    // The sun's east longitude over the Earth: right ascension less sidereal time.
    const double longitude = Radians(sun.rightAscension - ApparentSiderealTime(julianDay));
    const double declination = Radians(sun.declination);
    return {std::cos(declination) * std::cos(longitude), std::cos(declination) * std::sin(longitude),
            std::sin(declination)};
}

HorizonPosition ToHorizon(Vector3 direction, double latitude, double longitudeWest) {
    const LocalFrame frame = LocalFrameAt(latitude, longitudeWest);
    const Vector3 unit = Normalized(direction);
    return {Wrap360(Degrees(std::atan2(Dot(unit, frame.east), Dot(unit, frame.north)))),
            Degrees(std::asin(std::clamp(Dot(unit, frame.up), -1.0, 1.0)))};
}

}  // namespace azimora
