// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/sun_events.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <cmath>

#include "geometry/dish_beam.h"
#include "sky/instant_search.h"
#include "sky/sun_position.h"

namespace azimora {
namespace {

constexpr double kSunRadius = 0.25;
// The sun's hour angle grows by 360 degrees a solar day.
constexpr double kHourAngleRate = 360.0 / kSecondsPerDay;

// The sun's hour angle at the site, degrees, west positive.
double SunHourAngle(const DishSite& site, UnixSeconds t) {
    const Vector3 sun = SunDirection(t);
    return Wrap180(-site.longitudeWest - Degrees(std::atan2(sun.y, sun.x)));
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

// What the search for sun outages needs of one site, worked out once.
class OutageSearch {
public:
    OutageSearch(const DishSite& site, double threshold) : threshold_(threshold) {
        toSatellite_ = DirectionToSatellite(site);
        up_ = LocalFrameAt(site.latitude, site.longitudeWest).up;
        satelliteDeclination_ = Degrees(std::asin(toSatellite_.z));
        satelliteLongitude_ = Degrees(std::atan2(toSatellite_.y, toSatellite_.x));
    }
    [[nodiscard]] bool Possible() const {
        return threshold_ > 0 && threshold_ <= kWidestOutageThreshold && Dot(toSatellite_, up_) > 0;
    }

    // The first day from day on that may hold an outage: the sun comes
    // within the threshold only where its declination is within it of the
    // satellite's (seen from the site), and its declination moves less
    // than 0.41 degree a day, so the days between are passed over unseen.
    [[nodiscard]] UnixSeconds NextCandidateDay(UnixSeconds day, UnixSeconds to) const {
        while (day < to) {
            const double apart = std::fabs(Degrees(std::asin(SunDirection(day + kSecondsPerDay / 2).z)) -
                                           satelliteDeclination_) - threshold_ - kDeclinationMargin;
            if (apart <= 0) return day;
            day += std::max(1.0, std::floor(apart / kMostDeclinationPerDay)) * kSecondsPerDay;
        }
        return day;
    }

    // The outage of the sun's pass over the satellite's meridian that
    // follows an hour before day (a pass at midnight is not lost).
    [[nodiscard]] std::optional<SunOutage> OnDay(UnixSeconds day) const {
        const UnixSeconds searchStart = day - 3600;
        UnixSeconds pass = searchStart + Wrap360(SunLongitude(searchStart) - satelliteLongitude_) / kHourAngleRate;
        for (int i = 0; i < 2; ++i) pass += Wrap180(SunLongitude(pass) - satelliteLongitude_) / kHourAngleRate;
        const UnixSeconds peak = Closest(pass);
        if (Separation(peak) >= threshold_) return std::nullopt;
        SunOutage outage{Edge(peak, -1), peak, Edge(peak, 1)};
        // Only while the sun is up: it rises or sets at most once in an outage.
        const auto height = [&](UnixSeconds t) { return Dot(SunDirection(t), up_); };
        const double atStart = height(outage.start), atEnd = height(outage.end);
        const bool upAtStart = atStart > 0, upAtEnd = atEnd > 0;
        if (!upAtStart && !upAtEnd && height(outage.peak) <= 0) return std::nullopt;
        if (upAtStart != upAtEnd) {
            const UnixSeconds horizon = RootBetween(height, outage.start, atStart, outage.end, atEnd, 1e-12);
            (upAtStart ? outage.end : outage.start) = horizon;
        }
        outage.peak = std::clamp(outage.peak, outage.start, outage.end);
        return outage;
    }

private:
    // The sun's declination seen from the site differs from the Earth's
    // centre's by its parallax; and within a day it moves up to 0.41 degree.
    static constexpr double kDeclinationMargin = 0.5;
    static constexpr double kMostDeclinationPerDay = 0.41;

    static double SunLongitude(UnixSeconds t) {
        const Vector3 sun = SunDirection(t);
        return Degrees(std::atan2(sun.y, sun.x));
    }
    [[nodiscard]] double Separation(UnixSeconds t) const {
        return Degrees(std::acos(std::clamp(Dot(SunDirection(t), toSatellite_), -1.0, 1.0)));
    }
    // Where the sun comes closest: Newton's method on the cosine of the
    // separation, its slopes from steps of 30 s either side.
    [[nodiscard]] UnixSeconds Closest(UnixSeconds t) const {
        constexpr double kStep = 30;
        const auto cosine = [&](UnixSeconds at) { return Dot(SunDirection(at), toSatellite_); };
        for (int i = 0; i < 8; ++i) {
            const double before = cosine(t - kStep), here = cosine(t), after = cosine(t + kStep);
            const double slope = (after - before) / (2 * kStep), curve = (after - 2 * here + before) / (kStep * kStep);
            if (!(curve < 0)) break;  // no maximum to go for: the sun is far
            const double move = std::clamp(-slope / curve, -1200.0, 1200.0);
            t += move;
            if (std::fabs(move) < 0.01) break;
        }
        return t;
    }
    // Where the separation reaches the threshold before (-1) or after (+1)
    // the peak: a guess from the sun's pace (15 degrees an hour across the
    // sky at its declination), widened until it lies outside, then closed in on.
    [[nodiscard]] UnixSeconds Edge(UnixSeconds peak, int side) const {
        const auto beyond = [&](UnixSeconds t) { return Separation(t) - threshold_; };
        const double closest = Separation(peak);
        const double pace = kHourAngleRate * std::cos(Radians(satelliteDeclination_));
        double span = std::max(60.0, std::sqrt(threshold_ * threshold_ - closest * closest) / pace);
        UnixSeconds inside = peak;
        double insideMiss = closest - threshold_;
        UnixSeconds outside = peak + side * span;
        double outsideMiss = beyond(outside);
        while (outsideMiss < 0 && span < 6 * 3600) {
            inside = outside, insideMiss = outsideMiss;
            span *= 1.5;
            outside = peak + side * span;
            outsideMiss = beyond(outside);
        }
        if (outsideMiss < 0) return outside;
        return side > 0 ? RootBetween(beyond, inside, insideMiss, outside, outsideMiss, 1e-9)
                        : RootBetween(beyond, outside, outsideMiss, inside, insideMiss, 1e-9);
    }

    double threshold_;
    Vector3 toSatellite_;
    Vector3 up_;
    double satelliteDeclination_ = 0;
    double satelliteLongitude_ = 0;
};

}  // namespace

// The sun stands in azimuth A where its direction has no part across the
// vertical plane of A: g(t) = sun . (east cos A - north sin A) = 0, on the
// side of A (sun . (north cos A + east sin A) > 0). g is smooth, with no
// wrap at north, and over a day close to p sin H + q cos H - c in the sun's
// hour angle H (p, q, c from the latitude, A and the declination): between
// two extremes of that sinusoid it crosses zero at most once. So g is taken
// at the day's ends, at the sinusoid's extremes (with the declination of
// midday) and every six hours (for where the sinusoid is flat and the
// declination's drift decides, the equator at an equinox), and each change
// of sign is closed in on with the sun's true position at every step.
std::vector<UnixSeconds> SunAlignments(const DishSite& site, double azimuth, const CivilDate& day) {
    const UnixSeconds dayStart = StartOfDay(day), dayEnd = dayStart + kSecondsPerDay;
    const LocalFrame frame = LocalFrameAt(site.latitude, site.longitudeWest);
    const double a = Radians(azimuth);
    const Vector3 across = std::cos(a) * frame.east - std::sin(a) * frame.north;
    const Vector3 along = std::cos(a) * frame.north + std::sin(a) * frame.east;
    const auto g = [&](UnixSeconds t) { return Dot(SunDirection(t), across); };

    const double declination = std::asin(SunDirection(dayStart + kSecondsPerDay / 2).z);
    const double phi = Radians(site.latitude);
    const double p = -std::cos(declination) * std::cos(a);
    const double q = std::sin(phi) * std::cos(declination) * std::sin(a);
    std::vector<UnixSeconds> points = {dayStart, dayEnd};
    for (UnixSeconds t = dayStart + 6 * 3600; t < dayEnd; t += 6 * 3600) points.push_back(t);
    const double hourAngleAtStart = SunHourAngle(site, dayStart);
    const double extreme = Degrees(std::atan2(p, q));  // where p cos H - q sin H = 0
    for (const double hourAngle : {extreme, extreme + 180}) {
        const UnixSeconds t = dayStart + Wrap360(hourAngle - hourAngleAtStart) / kHourAngleRate;
        for (const double shift : {-kSecondsPerDay, 0.0, kSecondsPerDay})
            if (t + shift > dayStart && t + shift < dayEnd) points.push_back(t + shift);
    }
    std::sort(points.begin(), points.end());

    std::vector<UnixSeconds> found;
    double previous = g(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double now = g(points[i]);
        if (previous != 0 && (now == 0 || (now < 0) != (previous < 0))) {
            // 1e-9 across: the sun within 6e-8 degree of the azimuth.
            const UnixSeconds t = now == 0 ? points[i] : RootBetween(g, points[i - 1], previous, points[i], now, 1e-9);
            const Vector3 sun = SunDirection(t);
            if (t >= dayStart && t < dayEnd && Dot(sun, along) > 0 && Dot(sun, frame.up) > 0) found.push_back(t);
        }
        previous = now;
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
    return HalfPowerBeamwidth(dishDiameterMetres, frequencyGHz) / 2 + kSunRadius;
}

double SunSeparation(const DishSite& site, UnixSeconds instant) {
    return Degrees(std::acos(std::clamp(Dot(SunDirection(instant), DirectionToSatellite(site)), -1.0, 1.0)));
}

std::vector<SunOutage> SunOutages(const DishSite& site, double threshold, UnixSeconds from, UnixSeconds to) {
    const OutageSearch search(site, threshold);
    if (!search.Possible()) return {};
    std::vector<SunOutage> outages;
    for (UnixSeconds day = search.NextCandidateDay(StartOfDay(DateOf(from)), to); day < to;
         day = search.NextCandidateDay(day + kSecondsPerDay, to)) {
        const auto outage = search.OnDay(day);
        if (!outage || outage->peak < from || outage->peak >= to) continue;
        // The pass an hour before one day may be the last day's.
        if (!outages.empty() && std::fabs(outage->peak - outages.back().peak) < 3600) continue;
        outages.push_back(*outage);
    }
    return outages;
}

std::optional<SunOutage> NextSunOutage(const DishSite& site, double threshold, UnixSeconds from, UnixSeconds to) {
    const OutageSearch search(site, threshold);
    if (!search.Possible()) return std::nullopt;
    for (UnixSeconds day = search.NextCandidateDay(StartOfDay(DateOf(from)), to); day < to;
         day = search.NextCandidateDay(day + kSecondsPerDay, to)) {
        const auto outage = search.OnDay(day);
        if (outage && outage->peak >= from && outage->peak < to) return outage;
    }
    return std::nullopt;
}

}  // namespace azimora
