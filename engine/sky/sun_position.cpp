// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/sun_position.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <mutex>
#include <numbers>
#include <unordered_map>

#include "geometry/earth_model.h"
#include "sky/solar_series_data.h"

namespace azimora {
namespace {

// Terrestrial minus universal time through the 2020s (IERS: 69.2 s in 2025);
// a second's error moves the sun by 0.00001 degree.
constexpr double kDeltaTSeconds = 69.2;
constexpr double kArcsecond = 1.0 / 3600;

// The sun's apparent place of date and what turns it into right ascension,
// declination and sidereal time; degrees.
struct ApparentSun {
    double longitude = 0;  // apparent: nutation and aberration included
    double latitude = 0;
    double obliquity = 0;  // true obliquity of the ecliptic
    double nutationInLongitude = 0;
};

struct Nutation {
    double longitude;  // delta psi, degrees
    double obliquity;  // delta epsilon, degrees
};

// The IAU 1980 nutation (Meeus, chapter 22): the fundamental arguments of
// (22.1)-ish polynomials, then Table 22.A.
Nutation NutationAt(double t) {
    const auto polynomial = [t](double a, double b, double c, double d) { return Radians(a + t * (b + t * (c + t / d))); };
    const double elongation = polynomial(297.85036, 445267.111480, -0.0019142, 189474);
    const double sunAnomaly = polynomial(357.52772, 35999.050340, -0.0001603, -300000);
    const double moonAnomaly = polynomial(134.96298, 477198.867398, 0.0086972, 56250);
    const double latitudeArgument = polynomial(93.27191, 483202.017538, -0.0036825, 327270);
    const double node = polynomial(125.04452, -1934.136261, 0.0020708, 450000);
    double psi = 0, epsilon = 0;
    for (const NutationTerm& term : kNutationIau1980) {
        const double argument = term.d * elongation + term.m * sunAnomaly + term.mp * moonAnomaly +
                                term.f * latitudeArgument + term.omega * node;
        psi += (term.psi + term.psiRate * t) * std::sin(argument);
        epsilon += (term.eps + term.epsRate * t) * std::cos(argument);
    }
    return {psi * 0.0001 * kArcsecond, epsilon * 0.0001 * kArcsecond};
}

// Mean obliquity of the ecliptic (Meeus 22.2), degrees.
double MeanObliquity(double t) {
    return 23.0 + 26.0 / 60 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) * kArcsecond;
}

// Meeus, chapter 25, "higher accuracy": the Earth's heliocentric place from
// VSOP87D, turned round to the sun's geocentric place, to the FK5 frame,
// then nutation and aberration. About 0.1" against the full theory.
ApparentSun ComputeApparentSun(double julianEphemerisDay) {
    const double tau = (julianEphemerisDay - 2451545.0) / 365250;
    double sums[3][6] = {};
    for (const Vsop87Term& term : kVsop87dEarth) {
        const int series = term.series == 'L' ? 0 : term.series == 'B' ? 1 : 2;
        sums[series][term.power] += term.a * std::cos(term.b + term.c * tau);
    }
    double values[3] = {};
    for (int series = 0; series < 3; ++series)
        for (int power = 5; power >= 0; --power) values[series] = values[series] * tau + sums[series][power];
    const double t = tau * 10;  // centuries
    double longitude = Degrees(values[0]) + 180;
    double latitude = -Degrees(values[1]);
    const double radius = values[2];
    // To the FK5 system (25.9).
    const double shifted = Radians(longitude - 1.397 * t - 0.00031 * t * t);
    longitude -= 0.09033 * kArcsecond;
    latitude += 0.03916 * kArcsecond * (std::cos(shifted) - std::sin(shifted));
    const Nutation nutation = NutationAt(t);
    ApparentSun sun;
    sun.longitude = longitude + nutation.longitude - 20.4898 * kArcsecond / radius;
    sun.latitude = latitude;
    sun.obliquity = MeanObliquity(t) + nutation.obliquity;
    sun.nutationInLongitude = nutation.longitude;
    return sun;
}

SunCoordinates Equatorial(const ApparentSun& sun) {
    const double lambda = Radians(sun.longitude), beta = Radians(sun.latitude), epsilon = Radians(sun.obliquity);
    return {Wrap360(Degrees(std::atan2(std::sin(lambda) * std::cos(epsilon) - std::tan(beta) * std::sin(epsilon),
                                       std::cos(lambda)))),
            Degrees(std::asin(std::sin(beta) * std::cos(epsilon) +
                              std::cos(beta) * std::sin(epsilon) * std::sin(lambda)))};
}

// Mean sidereal time (12.4), then the equation of the equinoxes.
double SiderealTime(double julianDay, double nutationInLongitude, double obliquity) {
    const double t = (julianDay - 2451545.0) / 36525;
    const double mean = 280.46061837 + 360.98564736629 * (julianDay - 2451545.0) + t * t * (0.000387933 - t / 38710000);
    return Wrap360(mean + nutationInLongitude * std::cos(Radians(obliquity)));
}

// The series cost a few microseconds; the sun's place is wanted thousands
// of times a search. So it is worked out at each day's 0h of dynamical time
// and taken between those by cubic interpolation over four days, which
// keeps it within 0.001" (the shortest term that matters, the nutation's
// 13.7 days of 0.23", moves it by less). Blocks of days are kept for every
// thread to share.
constexpr int kBlockDays = 32;

struct SunBlock {
    long key = 0;
    std::array<ApparentSun, kBlockDays + 3> days;  // from the block's first day less one
};

std::shared_ptr<const SunBlock> MakeBlock(long key) {
    auto block = std::make_shared<SunBlock>();
    block->key = key;
    const double first = static_cast<double>(key) * kBlockDays;
    for (std::size_t i = 0; i < block->days.size(); ++i) {
        block->days[i] = ComputeApparentSun(first + static_cast<double>(i) + 0.5 - 1);
        // Longitudes made continuous across the block.
        if (i > 0) {
            while (block->days[i].longitude < block->days[i - 1].longitude - 180) block->days[i].longitude += 360;
            while (block->days[i].longitude > block->days[i - 1].longitude + 180) block->days[i].longitude -= 360;
        }
    }
    return block;
}

const SunBlock& BlockOf(long key) {
    thread_local std::shared_ptr<const SunBlock> last;
    if (last && last->key == key) return *last;
    static std::mutex mutex;
    static std::unordered_map<long, std::shared_ptr<const SunBlock>> blocks;
    const std::lock_guard lock(mutex);
    auto found = blocks.find(key);
    if (found == blocks.end()) {
        if (blocks.size() >= 1024) blocks.clear();  // about 90 years; those in use live on in their threads
        found = blocks.emplace(key, MakeBlock(key)).first;
    }
    last = found->second;
    return *last;
}

ApparentSun InterpolatedSun(double julianEphemerisDay) {
    // Days counted from 0h, where Julian days count from noon.
    const double day = julianEphemerisDay - 0.5;
    const double whole = std::floor(day);
    const auto index = static_cast<long>(whole);
    const long key = static_cast<long>(std::floor(static_cast<double>(index) / kBlockDays));
    const SunBlock& block = BlockOf(key);
    const auto at = static_cast<std::size_t>(index - key * kBlockDays);  // the day before is days[at]
    const double x = day - whole;
    // Lagrange's weights for days -1, 0, 1, 2 at x.
    const double w[4] = {-x * (x - 1) * (x - 2) / 6, (x + 1) * (x - 1) * (x - 2) / 2, -(x + 1) * x * (x - 2) / 2,
                         (x + 1) * x * (x - 1) / 6};
    ApparentSun sun;
    for (std::size_t k = 0; k < 4; ++k) {
        const ApparentSun& node = block.days[at + k];
        sun.longitude += w[k] * node.longitude;
        sun.latitude += w[k] * node.latitude;
        sun.obliquity += w[k] * node.obliquity;
        sun.nutationInLongitude += w[k] * node.nutationInLongitude;
    }
    return sun;
}

}  // namespace

SunCoordinates SunAtJulianEphemerisDay(double julianEphemerisDay) {
    return Equatorial(ComputeApparentSun(julianEphemerisDay));
}

double ApparentSiderealTime(double julianDay) {
    const double t = (julianDay - 2451545.0) / 36525;
    const Nutation nutation = NutationAt(t);
    return SiderealTime(julianDay, nutation.longitude, MeanObliquity(t) + nutation.obliquity);
}

Vector3 SunDirection(UnixSeconds instant) {
    const double julianDay = JulianDay(instant);
    // The nutation of the sidereal time 69 s later differs by 1e-9 degree.
    const ApparentSun apparent = InterpolatedSun(julianDay + kDeltaTSeconds / kSecondsPerDay);
    const SunCoordinates sun = Equatorial(apparent);
    // The sun's east longitude over the Earth: right ascension less sidereal time.
    const double longitude =
        Radians(sun.rightAscension - SiderealTime(julianDay, apparent.nutationInLongitude, apparent.obliquity));
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
