// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/sun_events.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <cmath>

#include "sky/sun_position.h"

namespace azimora {
namespace {

constexpr double kSpeedOfLight = 299792458.0;
constexpr double kSunRadius = 0.25;
// The sun's hour angle grows by 360 degrees a solar day.
constexpr double kHourAngleRate = 360.0 / kSecondsPerDay;

double SunAzimuth(const DishSite& site, UnixSeconds t) {
    return ToHorizon(SunDirection(t), site.latitude, site.longitudeWest).azimuth;
}

// The sun's hour angle at the site, degrees, west positive.
double SunHourAngle(const DishSite& site, UnixSeconds t) {
    const Vector3 sun = SunDirection(t);
    return Wrap180(-site.longitudeWest - Degrees(std::atan2(sun.y, sun.x)));
}

// The hour angles at which a sun of declination delta stands in azimuth A:
// east cos A = north sin A, solved as p sin H + q cos H = c.
std::vector<double> HourAnglesAtAzimuth(double latitude, double declination, double azimuth) {
    const double phi = Radians(latitude), delta = Radians(declination), a = Radians(azimuth);
    const double p = -std::cos(delta) * std::cos(a);
    const double q = std::sin(phi) * std::cos(delta) * std::sin(a);
    const double c = std::cos(phi) * std::sin(delta) * std::sin(a);
    const double r = std::hypot(p, q);
    if (r < 1e-12 || std::fabs(c) > r) return {};
    const double psi = std::atan2(q, p);
    const double base = std::asin(c / r);
    std::vector<double> hours;
    for (const double h : {base - psi, std::numbers::pi - base - psi}) {
        // The other root points the opposite way.
        const double east = -std::cos(delta) * std::sin(h);
        const double north = std::cos(phi) * std::sin(delta) - std::sin(phi) * std::cos(delta) * std::cos(h);
        if (east * std::sin(a) + north * std::cos(a) > 0) hours.push_back(Degrees(h));
    }
    return hours;
}

// Newton's method on the sun's azimuth; nullopt when it does not settle.
std::optional<UnixSeconds> RefineAlignment(const DishSite& site, double azimuth, UnixSeconds t) {
    constexpr double kStep = 30;
    for (int i = 0; i < 12; ++i) {
        const double miss = Wrap180(SunAzimuth(site, t) - azimuth);
        if (std::fabs(miss) < 1e-6) return t;
        const double rate = Wrap180(SunAzimuth(site, t + kStep) - SunAzimuth(site, t - kStep)) / (2 * kStep);
        if (rate == 0 || !std::isfinite(rate)) return std::nullopt;
        t -= std::clamp(miss / rate, -3600.0, 3600.0);
    }
    return std::fabs(Wrap180(SunAzimuth(site, t) - azimuth)) < 1e-4 ? std::optional(t) : std::nullopt;
}

// The dish's line of sight, a unit vector in the Earth-fixed frame.
Vector3 DirectionToSatellite(const DishSite& site) {
    const EarthGeometry earth;
    return Normalized(GeostationaryPosition(earth, site.satelliteLongitudeWest) -
                      SitePosition(earth, site.latitude, site.longitudeWest));
}

void SortAndMerge(std::vector<UnixSeconds>& instants, double within) {
    std::sort(instants.begin(), instants.end());
    instants.erase(std::unique(instants.begin(), instants.end(),
                               [within](double a, double b) { return std::fabs(a - b) < within; }),
                   instants.end());
}

// The instant in [a, b] where f, decreasing then increasing, is least.
template <typename F>
UnixSeconds Minimum(F f, UnixSeconds a, UnixSeconds b) {
    constexpr double kGolden = 0.6180339887498949;
    double x1 = b - kGolden * (b - a), x2 = a + kGolden * (b - a);
    double f1 = f(x1), f2 = f(x2);
    while (b - a > 0.5) {
        if (f1 < f2) {
            b = x2, x2 = x1, f2 = f1;
            x1 = b - kGolden * (b - a), f1 = f(x1);
        } else {
            a = x1, x1 = x2, f1 = f2;
            x2 = a + kGolden * (b - a), f2 = f(x2);
        }
    }
    return (a + b) / 2;
}

// Where f crosses level between a and b, f(a) and f(b) on either side.
template <typename F>
UnixSeconds Crossing(F f, double level, UnixSeconds a, UnixSeconds b) {
    const bool rising = f(a) < level;
    while (b - a > 0.25) {
        const double mid = (a + b) / 2;
        ((f(mid) < level) == rising ? a : b) = mid;
    }
    return (a + b) / 2;
}

}  // namespace

std::vector<UnixSeconds> SunAlignments(const DishSite& site, double azimuth, const CivilDate& day) {
    const UnixSeconds dayStart = StartOfDay(day), dayEnd = dayStart + kSecondsPerDay;
    const double declination = Degrees(std::asin(SunDirection(dayStart + kSecondsPerDay / 2).z));
    std::vector<UnixSeconds> found;
    const double hourAngleAtStart = SunHourAngle(site, dayStart);
    for (const double hourAngle : HourAnglesAtAzimuth(site.latitude, declination, azimuth)) {
        const UnixSeconds guess = dayStart + Wrap360(hourAngle - hourAngleAtStart) / kHourAngleRate;
        // The same hour angle a solar day either side may fall in the day too.
        for (const double shift : {-kSecondsPerDay, 0.0, kSecondsPerDay}) {
            const auto t = RefineAlignment(site, azimuth, guess + shift);
            if (!t || *t < dayStart || *t >= dayEnd) continue;
            if (ToHorizon(SunDirection(*t), site.latitude, site.longitudeWest).elevation > 0) found.push_back(*t);
        }
    }
    SortAndMerge(found, 2);
    return found;
}

std::vector<UnixSeconds> SunAlignmentsBetween(const DishSite& site, double azimuth, UnixSeconds from, UnixSeconds to) {
    std::vector<UnixSeconds> found;
    for (UnixSeconds day = StartOfDay(DateOf(from)); day < to; day += kSecondsPerDay) {
        for (const UnixSeconds t : SunAlignments(site, azimuth, DateOf(day)))
            if (t >= from && t < to) found.push_back(t);
    }
    return found;
}

double OutageThreshold(double dishDiameterMetres, double frequencyGHz) {
    const double wavelength = kSpeedOfLight / (frequencyGHz * 1e9);
    return 70 * wavelength / dishDiameterMetres / 2 + kSunRadius;
}

double SunSeparation(const DishSite& site, UnixSeconds instant) {
    return Degrees(std::acos(std::clamp(Dot(SunDirection(instant), DirectionToSatellite(site)), -1.0, 1.0)));
}

std::vector<SunOutage> SunOutages(const DishSite& site, double threshold, UnixSeconds from, UnixSeconds to) {
    if (!(threshold > 0 && threshold <= kWidestOutageThreshold)) return {};
    const Vector3 toSatellite = DirectionToSatellite(site);
    const Vector3 up = LocalFrameAt(site.latitude, site.longitudeWest).up;
    if (Dot(toSatellite, up) <= 0) return {};
    // The sun's height over the site's horizon plane, as a sine.
    const auto sunHeight = [&](UnixSeconds t) { return Dot(SunDirection(t), up); };
    const double satelliteDeclination = Degrees(std::asin(toSatellite.z));
    const double satelliteLongitude = Degrees(std::atan2(toSatellite.y, toSatellite.x));
    const auto separation = [&](UnixSeconds t) {
        return Degrees(std::acos(std::clamp(Dot(SunDirection(t), toSatellite), -1.0, 1.0)));
    };
    const auto sunLongitude = [](UnixSeconds t) {
        const Vector3 sun = SunDirection(t);
        return Degrees(std::atan2(sun.y, sun.x));
    };
    // The sun crosses about a quarter of a degree a minute; the search
    // reaches well beyond the threshold either side of the peak.
    const double reach = std::max(1800.0, threshold / 0.2 * 60 * 1.5);

    std::vector<SunOutage> outages;
    for (UnixSeconds day = StartOfDay(DateOf(from)); day < to; day += kSecondsPerDay) {
        // Never nearer than the difference in declination, which moves less
        // than half a degree a day.
        const double declination = Degrees(std::asin(SunDirection(day + kSecondsPerDay / 2).z));
        if (std::fabs(declination - satelliteDeclination) > threshold + 0.5) continue;
        // When the sun passes the satellite's meridian; from an hour before
        // the day so that a pass at midnight is not lost.
        const UnixSeconds searchStart = day - 3600;
        UnixSeconds pass = searchStart + Wrap360(sunLongitude(searchStart) - satelliteLongitude) / kHourAngleRate;
        for (int i = 0; i < 3; ++i) pass += Wrap180(sunLongitude(pass) - satelliteLongitude) / kHourAngleRate;
        const UnixSeconds peak = Minimum(separation, pass - 1200, pass + 1200);
        if (separation(peak) >= threshold || peak < from || peak >= to) continue;
        double span = reach;
        while (span < 6 * 3600 && (separation(peak - span) < threshold || separation(peak + span) < threshold)) span *= 2;
        SunOutage outage{Crossing(separation, threshold, peak - span, peak), peak,
                         Crossing(separation, threshold, peak, peak + span)};
        // Only while the sun is up: it rises or sets at most once in an outage.
        const bool upAtStart = sunHeight(outage.start) > 0, upAtEnd = sunHeight(outage.end) > 0;
        if (!upAtStart && !upAtEnd && sunHeight(outage.peak) <= 0) continue;
        if (!upAtStart) outage.start = Crossing(sunHeight, 0, outage.start, outage.end);
        if (!upAtEnd) outage.end = Crossing(sunHeight, 0, outage.start, outage.end);
        outage.peak = std::clamp(outage.peak, outage.start, outage.end);
        outages.push_back(outage);
    }
    std::sort(outages.begin(), outages.end(), [](const SunOutage& a, const SunOutage& b) { return a.peak < b.peak; });
    outages.erase(std::unique(outages.begin(), outages.end(),
                              [](const SunOutage& a, const SunOutage& b) { return std::fabs(a.peak - b.peak) < 3600; }),
                  outages.end());
    return outages;
}

}  // namespace azimora
