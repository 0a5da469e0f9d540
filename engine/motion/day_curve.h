// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "sky/civil_time.h"
#include "sky/instant_search.h"

// A smooth quantity over a stretch of time (an angle of a satellite's day),
// known at the instants of a grid and, between them, through the function
// itself: its turning points and how long it stays at or under a level.
// The grid must be fine enough that no two turning points share one pair
// of neighbouring steps: then each turning point shows as a turning point
// of the samples, and the curve runs one way between them.
namespace azimora {

// Turning points are placed to within this many seconds: a satellite's
// sky position moves no more than a thousandth of a degree in a second.
inline constexpr double kTurningPointSeconds = 0.1;

class DayCurve {
public:
    using Function = std::function<double(UnixSeconds)>;

    // instants: increasing, at least two, kept by the caller; values: f at each of them.
    DayCurve(std::span<const UnixSeconds> instants, std::vector<double> values, Function f);

    // Each local maximum (minimum), its instant and value refined between
    // the samples; an end of the stretch counts where the curve falls
    // (rises) away from it.
    [[nodiscard]] const std::vector<Peak>& Maxima() const;
    [[nodiscard]] const std::vector<Peak>& Minima() const;
    [[nodiscard]] double Largest() const;
    [[nodiscard]] double Smallest() const;

    // The local maximum near the sample at index i, refined between its
    // neighbours (and the end, where i is one).
    [[nodiscard]] Peak PeakNear(std::size_t i) const;

    // Seconds the curve stays at or under the level.
    [[nodiscard]] double SecondsAtOrBelow(double level) const;

    [[nodiscard]] double operator()(UnixSeconds t) const { return f_(t); }

private:
    // sign 1: maxima; -1: minima.
    [[nodiscard]] Peak TurningPointNear(std::size_t i, double sign) const;
    [[nodiscard]] std::vector<Peak> TurningPoints(double sign) const;

    std::span<const UnixSeconds> instants_;
    std::vector<double> values_;
    Function f_;
    mutable std::optional<std::vector<Peak>> maxima_, minima_;
};

}  // namespace azimora
