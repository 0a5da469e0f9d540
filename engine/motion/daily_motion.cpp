// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "motion/daily_motion.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "errors.h"
#include "geometry/dish_beam.h"
#include "motion/day_curve.h"
#include "motion/enclosing_cap.h"

namespace azimora {
namespace {

// The geostationary radius from the Earth's centre, km: GM = 398600.4418
// km^3/s^2 (WGS84) and one sidereal day, 86164.0905 s.
constexpr double kGeostationaryRadiusKm = 42164.17;

// The best aim is sought until the largest angle from it exceeds the
// smallest cap holding the points found so far by no more than this.
constexpr double kAimGapRadians = 1e-9;
constexpr int kMostAimRounds = 8;

// Maxima of the error within this share of the largest are the worst too:
// the two or three ends of the figure that fix the best aim lie within
// rounding of each other, and an end a hundredth short fades as much.
constexpr double kWorstShare = 0.99;

class DayOfTrack {
public:
    DayOfTrack(const DailyMotionInputs& inputs, UnixSeconds epoch)
        : track_(inputs.elements, inputs.latitude, inputs.longitudeWest, inputs.altitudeKm,
                 std::clamp(epoch, inputs.dayStart, inputs.dayStart + kDayStretchSeconds)) {
        const int steps = static_cast<int>(kDayStretchSeconds / kTrackStepSeconds);
        for (int i = 0; i <= steps; ++i) {
            instants_.push_back(inputs.dayStart + i * kTrackStepSeconds);
            points_.push_back(track_.At(instants_.back()));
        }
    }

    [[nodiscard]] const TopocentricTrack& Track() const noexcept { return track_; }
    [[nodiscard]] const std::vector<TrackPoint>& Points() const noexcept { return points_; }

    // A quantity of the track point over the day.
    template <typename Of>
    [[nodiscard]] DayCurve Curve(Of of) const {
        std::vector<double> values;
        for (const TrackPoint& point : points_) values.push_back(of(point));
        return DayCurve(instants_, std::move(values), [this, of](UnixSeconds t) { return of(track_.At(t)); });
    }

    // The angle, degrees, from a fixed direction to the track over the day.
    [[nodiscard]] DayCurve ErrorFrom(Vector3 aim) const {
        std::vector<double> values;
        for (const TrackPoint& point : points_) values.push_back(Degrees(AngleBetween(aim, point.direction)));
        return DayCurve(instants_, std::move(values),
                        [this, aim](UnixSeconds t) { return Degrees(AngleBetween(aim, track_.DirectionAt(t))); });
    }

private:
    TopocentricTrack track_;
    std::vector<UnixSeconds> instants_;
    std::vector<TrackPoint> points_;
};

// The smallest cap holding the samples, then again with the points where
// the track strays farthest from its centre, until no point of the day lies
// measurably beyond it: a cap of the samples alone could miss the ends of
// the figure between two samples. The angle from the aim over the day.
std::pair<Vector3, DayCurve> BestAim(const DayOfTrack& day) {
    std::vector<Vector3> held;
    for (const TrackPoint& point : day.Points()) held.push_back(point.direction);
    Cap cap = SmallestEnclosingCap(held);
    DayCurve error = day.ErrorFrom(cap.centre);
    for (int round = 1; round < kMostAimRounds && Radians(error.Largest()) - cap.radius > kAimGapRadians; ++round) {
        for (const Peak& peak : error.Maxima())
            if (Radians(peak.value) > cap.radius) held.push_back(day.Track().DirectionAt(peak.instant));
        cap = SmallestEnclosingCap(held);
        error = day.ErrorFrom(cap.centre);
    }
    return {cap.centre, std::move(error)};
}

// The largest angle between two points of the day: the widest pair of
// samples, then each end moved to where it lies farthest from the other.
double Swing(const DayOfTrack& day) {
    const std::vector<TrackPoint>& points = day.Points();
    std::size_t first = 0, second = 0;
    double closest = 2;  // the least cosine: the widest angle
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size(); ++j)
            if (const double cosine = Dot(points[i].direction, points[j].direction); cosine < closest)
                closest = cosine, first = i, second = j;
    Vector3 a = points[first].direction, b = points[second].direction;
    double swing = Degrees(AngleBetween(a, b));
    for (int round = 0; round < 4; ++round) {
        const Peak movedA = day.ErrorFrom(b).PeakNear(first);
        a = day.Track().DirectionAt(movedA.instant);
        const Peak movedB = day.ErrorFrom(a).PeakNear(second);
        b = day.Track().DirectionAt(movedB.instant);
        const bool settled = movedB.value - swing < 1e-9;
        swing = std::max(swing, movedB.value);
        if (settled) break;
    }
    return swing;
}

Vector3 NominalDirection(const TopocentricTrack& track, double longitudeWest) {
    const double lambda = Radians(-longitudeWest);
    const Vector3 satellite{kGeostationaryRadiusKm * std::cos(lambda), kGeostationaryRadiusKm * std::sin(lambda), 0};
    return Normalized(satellite - track.Site());
}

// The longitudes passed over in the day, west positive: the least and the
// greatest, unwrapped from the first.
struct LongitudeRange {
    double low = 0, high = 0;
    [[nodiscard]] double Middle() const { return Wrap180((low + high) / 2); }
    [[nodiscard]] double HalfWidth() const { return (high - low) / 2; }
};

LongitudeRange LongitudesOf(const DayOfTrack& day) {
    const double first = day.Points().front().longitudeWest;
    const DayCurve offset = day.Curve([first](const TrackPoint& point) { return Wrap180(point.longitudeWest - first); });
    return {first + offset.Smallest(), first + offset.Largest()};
}

// Hours above the horizon, and the lowest elevation (where all is clear of
// the horizon, the lowest sample). Between two samples a quarter of an
// hour apart the elevation strays from the straight line between them by
// a hundredth of a degree at most (an eighth of the step squared times its
// curvature, about 1.2e-7 degree a second squared at 20 degrees of
// inclination): samples all a degree above the horizon, or all a degree
// below it, leave nothing to refine.
std::pair<double, double> Visibility(const DayOfTrack& day) {
    constexpr double kClearOfHorizon = 1;
    double lowest = 90, highest = -90;
    for (const TrackPoint& point : day.Points())
        lowest = std::min(lowest, point.elevation), highest = std::max(highest, point.elevation);
    if (lowest > kClearOfHorizon) return {kDayStretchSeconds / 3600, lowest};
    if (highest < -kClearOfHorizon) return {0, lowest};
    const DayCurve elevation = day.Curve([](const TrackPoint& point) { return point.elevation; });
    return {(kDayStretchSeconds - elevation.SecondsAtOrBelow(0)) / 3600, elevation.Smallest()};
}

MotionVerdict VerdictOf(const DailyMotion& motion, double lowestElevation) {
    if (motion.hoursAboveHorizon <= 0) return MotionVerdict::OutOfSight;
    if (lowestElevation <= 0) return MotionVerdict::SetsBelowHorizon;
    const bool holds = motion.peakLoss && *motion.peakLoss <= kHoldingLossDb;
    if (holds) return motion.stationKept ? MotionVerdict::StationKept : MotionVerdict::HoldsAllDay;
    return motion.peakLoss ? MotionVerdict::Fades : MotionVerdict::NeedsTrackingMount;
}

}  // namespace

DailyMotion ComputeDailyMotion(const DailyMotionInputs& inputs) {
    const double beamwidth = HalfPowerBeamwidth(inputs.dishDiameterMetres, inputs.frequencyGHz);
    if (!(inputs.dishDiameterMetres > 0) || !(inputs.frequencyGHz > 0) || !std::isfinite(beamwidth) || !(beamwidth > 0))
        throw Error("the dish's diameter and frequency must be positive numbers");
    if (!(std::fabs(inputs.latitude) <= 90) || !std::isfinite(inputs.longitudeWest) || !std::isfinite(inputs.altitudeKm) ||
        !std::isfinite(inputs.dayStart))
        throw Error("the site and the day must be numbers, the latitude within 90 degrees");
    const UnixSeconds epoch = (inputs.elements.epochJulianDay - 2440587.5) * kSecondsPerDay;
    const DayOfTrack day(inputs, epoch);
    const UnixSeconds middle = inputs.dayStart + kDayStretchSeconds / 2;

    DailyMotion motion;
    motion.track = day.Points();
    motion.inclination = day.Track().InclinationAt(middle);
    motion.swing = Swing(day);
    motion.elementsAgeDays = (middle - epoch) / kSecondsPerDay;
    motion.elementsOutdated = std::fabs(motion.elementsAgeDays) > kElementsUsefulDays;
    motion.beamwidth = beamwidth;

    const LocalFrame& frame = day.Track().Frame();
    const auto [best, error] = BestAim(day);
    const SkyDirection bestSky = SkyDirectionOf(frame, best);
    motion.bestAim = {bestSky.azimuth, bestSky.elevation};
    motion.largestError = error.Largest();
    motion.peakLoss = PointingLoss(motion.largestError, beamwidth);
    motion.hoursWithin1dB = error.SecondsAtOrBelow(PointingErrorForLoss(kHoldingLossDb, beamwidth)) / 3600;
    motion.hoursWithin3dB = error.SecondsAtOrBelow(PointingErrorForLoss(kMainBeamLossDb, beamwidth)) / 3600;
    for (const Peak& peak : error.Maxima())
        if (peak.value >= kWorstShare * motion.largestError) motion.worstTimes.push_back(peak.instant);

    const LongitudeRange longitudes = LongitudesOf(day);
    motion.nominalLongitudeWest =
        inputs.nominalLongitudeWest ? Wrap180(*inputs.nominalLongitudeWest) : longitudes.Middle();
    const Vector3 nominal = NominalDirection(day.Track(), motion.nominalLongitudeWest);
    const SkyDirection nominalSky = SkyDirectionOf(frame, nominal);
    motion.nominalAim = {nominalSky.azimuth, nominalSky.elevation};
    motion.nominalLargestError = day.ErrorFrom(nominal).Largest();
    motion.nominalPeakLoss = PointingLoss(motion.nominalLargestError, beamwidth);

    const auto [hoursAbove, lowestElevation] = Visibility(day);
    motion.hoursAboveHorizon = hoursAbove;
    motion.stationKept = motion.inclination <= kStationKeepingBox && longitudes.HalfWidth() <= kStationKeepingBox;
    motion.verdict = VerdictOf(motion, lowestElevation);
    return motion;
}

std::optional<double> InclinationRatePerYear(const MeanElements& one, const MeanElements& other) {
    const double days = other.epochJulianDay - one.epochJulianDay;
    if (!(std::fabs(days) >= kShortestInclinationSpanDays)) return std::nullopt;
    return (other.inclination - one.inclination) / days * 365.25;
}

}  // namespace azimora
