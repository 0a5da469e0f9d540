// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "motion/day_curve.h"

#include <algorithm>

namespace azimora {

DayCurve::DayCurve(std::span<const UnixSeconds> instants, std::vector<double> values, Function f)
    : instants_(instants), values_(std::move(values)), f_(std::move(f)) {}

Peak DayCurve::PeakNear(std::size_t i) const { return TurningPointNear(i, 1); }

Peak DayCurve::TurningPointNear(std::size_t i, double sign) const {
    const std::size_t last = instants_.size() - 1;
    const std::size_t from = i == 0 ? 0 : i - 1, to = i == last ? last : i + 1;
    Peak peak = PeakBetween([&](UnixSeconds t) { return sign * f_(t); }, instants_[from], instants_[to],
                            kTurningPointSeconds);
    // Where the curve leaves an end, the end itself may be the turning point.
    if ((i == 0 || i == last) && sign * values_[i] >= peak.value) peak = {instants_[i], sign * values_[i]};
    return {peak.instant, sign * peak.value};
}

std::vector<Peak> DayCurve::TurningPoints(double sign) const {
    const auto value = [&](std::size_t i) { return sign * values_[i]; };
    const std::size_t last = instants_.size() - 1;
    std::vector<Peak> found;
    for (std::size_t i = 0; i <= last; ++i) {
        // A plateau of equal samples counts once, at its first sample.
        const bool fromBefore = i == 0 || value(i) > value(i - 1);
        const bool toAfter = i == last || value(i) >= value(i + 1);
        if (fromBefore && toAfter) found.push_back(TurningPointNear(i, sign));
    }
    return found;
}

const std::vector<Peak>& DayCurve::Maxima() const {
    if (!maxima_) maxima_ = TurningPoints(1);
    return *maxima_;
}

const std::vector<Peak>& DayCurve::Minima() const {
    if (!minima_) minima_ = TurningPoints(-1);
    return *minima_;
}

double DayCurve::Largest() const {
    double largest = values_.front();
    for (const Peak& peak : Maxima()) largest = std::max(largest, peak.value);
    return largest;
}

double DayCurve::Smallest() const {
    double smallest = values_.front();
    for (const Peak& peak : Minima()) smallest = std::min(smallest, peak.value);
    return smallest;
}

double DayCurve::SecondsAtOrBelow(double level) const {
    if (Largest() <= level) return instants_.back() - instants_.front();
    // Between consecutive samples and turning points the curve runs one way:
    // it crosses the level at most once there.
    std::vector<Peak> nodes;
    for (std::size_t i = 0; i < instants_.size(); ++i) nodes.push_back({instants_[i], values_[i]});
    nodes.insert(nodes.end(), Maxima().begin(), Maxima().end());
    nodes.insert(nodes.end(), Minima().begin(), Minima().end());
    std::sort(nodes.begin(), nodes.end(), [](const Peak& a, const Peak& b) { return a.instant < b.instant; });
    const auto above = [&](UnixSeconds t) { return f_(t) - level; };
    double seconds = 0;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const Peak& a = nodes[i - 1];
        const Peak& b = nodes[i];
        const bool aUnder = a.value <= level, bUnder = b.value <= level;
        if (aUnder && bUnder) {
            seconds += b.instant - a.instant;
        } else if (aUnder != bUnder) {
            const UnixSeconds crossing = RootBetween(above, a.instant, a.value - level, b.instant, b.value - level, 1e-12);
            seconds += aUnder ? crossing - a.instant : b.instant - crossing;
        }
    }
    return seconds;
}

}  // namespace azimora
